#pragma once
// The frame's client area: the display pane (0) and the playlist pane (1), either side by side
// with a divider the user can drag (docked, mode 1) or one at a time (mode 2).
#include "framework/Dpi.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "ui/display/PaneSwitch.h"
#include "ui/PaneLayout.h"

namespace zevrin {

// Sent to the frame after a pane change: wParam the PaneLayout, lParam 1 when pane 1 is shown.
inline constexpr UINT WM_PANE_CHANGED = WM_USER + 3;

struct ContainerLayout {
    RECT pane0;
    RECT pane1;
    RECT divider; // empty in mode 2
};

// Where the panes go; `remembered` is the wanted width kept while the window is too narrow for
// it (-1 = none), updated as the layout decides.
// The divider is one pixel wide at 96 DPI, scaled to `dpi`.
ContainerLayout LayOutContainer(const RECT& client, PaneLayout mode, int playlistWidth, int& remembered,
                                int dpi = fw::kBaseDpi);

class CViewContainer : public fw::CWnd, public IPaneSwitch {
public:
    using enum PaneLayout;

    CViewContainer();
    ~CViewContainer() override;

    bool Create(HWND frame, UINT id);
    PaneLayout Mode() const { return mode_; }
    void SetMode(PaneLayout mode);
    // The pane that is the frame's active view: a click into a pane makes it active without
    // passing here, and F6 and the update texts must follow that.
    int ActivePane() const;
    void Activate(int pane);
    void ActivateNext(bool backwards);
    HWND GetPane(int i) const;

    // IPaneSwitch: the display view's requests.
    void ShowDisplayPane() override { Activate(0); }
    void ShowPlaylistPane() override { Activate(1); }
    void ShowNextPane(bool backwards) override { ActivateNext(backwards); }
    bool ShowsOnePane() const override { return mode_ == kOnePane; }
    void RecalcLayout();
    int PlaylistWidth() const { return playlistWidth_; }
    // A cell's width and the scroll bar, at `dpi`.
    static int DefaultPlaylistWidth(int dpi = fw::SystemDpi());
    // The remembered width is process-wide, as a user's choice is.
    static int RememberedWidth() { return remembered_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnCancelMode(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnMouseWheel(WPARAM, LPARAM);
    LRESULT OnDpiRescale(WPARAM, LPARAM);
    bool OnDivider(int x) const;

    PaneLayout mode_;
    int active_ = -1;
    int playlistWidth_;
    int dpi_ = fw::SystemDpi(); // the DPI the widths above are in
    int dragOffset_ = 0;
    bool dragging_ = false;
    HCURSOR resizeCursor_; // shared system cursor: never destroyed
    static inline int remembered_ = -1;
};

} // namespace zevrin
