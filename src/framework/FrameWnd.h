#pragma once
// A top-level frame window: menu, accelerators, icon and title from one resource id, control
// bars docked at its top and bottom edges, the client pane (id IDW_PANE_FIRST) in between, an
// active view, and the command routing that sends menu and accelerator commands to the active
// view, the frame and the application in turn.
#include "framework/Handles.h"
#include "framework/Wnd.h"

#include <functional>
#include <string>
#include <vector>

namespace fw {

class CControlBar;
class CDocument;
class CView;

// What the frame needs to make its client area.
struct CCreateContext {
    CDocument* document = nullptr;
    std::function<CView*()> newView;
};

class CFrameWnd : public CWnd {
public:
    // Loads menu, accelerator table, icon and title (first field of the string) `resourceId`
    // and creates the window.
    bool LoadFrame(UINT resourceId, DWORD style, const CCreateContext& context);

    CView* ActiveView() const { return activeView_; }
    void SetActiveView(CView* view, bool focus = true);
    CDocument* Document() const { return document_; }

    // Sends a command (ui == nullptr) or its update (ui != nullptr) along the routing order.
    virtual bool RouteCmdMsg(UINT id, CCmdUI* ui);

    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    void ShowControlBar(CControlBar* bar, bool show);
    // Places the bars and the client pane.
    virtual void RecalcLayout();

    // Calls OnInitialUpdate on the document's views and activates the first one if none is.
    void InitialUpdateFrame();

    HMENU Menu() const { return ::GetMenu(Hwnd()); }
    HACCEL Accelerators() const { return accel_.Get(); }
    const std::wstring& Title() const { return title_; }

    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Once created, a frame deletes itself when its window goes.
    void PostNcDestroy() override {
        if (autoDelete_) delete this;
    }

    // Creates what fills the client pane; by default one view from the context.
    virtual bool OnCreateClient(const CCreateContext& context);
    // WM_CREATE: return -1 to fail creation.
    virtual int OnCreate(const CREATESTRUCTW& cs);
    // The user or the program asked to close the frame.
    virtual void OnClose();
    // The frame's DPI changed (moved to a screen of another scale): by default every descendant
    // gets WM_DPI_RESCALE, then the bars and the pane are laid out again.
    virtual void OnDpiChanged(int dpi);

    LRESULT OnCreateMessage(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnCloseMessage(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnInitMenuPopup(WPARAM, LPARAM);
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM, LPARAM);
    LRESULT OnDpiChangedMessage(WPARAM, LPARAM);

private:
    UniqueAccel accel_;
    UniqueIcon icon_;
    UniqueIcon smallIcon_;
    std::wstring title_;
    CView* activeView_ = nullptr;
    CDocument* document_ = nullptr;
    std::vector<CControlBar*> bars_;
    const CCreateContext* context_ = nullptr; // only during creation
    bool autoDelete_ = false;
};

} // namespace fw
