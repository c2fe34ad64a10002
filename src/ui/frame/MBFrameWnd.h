#pragma once
// A frame whose menu is drawn by a menu bar of its own instead of the window's menu. The frame
// hands the bar its menu messages after handling them itself: Alt+letter, Alt or F10 alone,
// and the popup and selection notifications the bar navigates by.
#include "framework/ControlBar.h"
#include "framework/FrameWnd.h"

namespace zevrin {

class CMenuBar;

class CMBFrameWnd : public fw::CFrameWnd {
public:
    fw::CControlBar* MenuBar() const { return menuBar_; }
    bool PreTranslateMessage(MSG& msg) override;

protected:
    void SetMenuBar(fw::CControlBar* bar) { menuBar_ = bar; }
    // Gives the window's menu to the bar and takes it off the window.
    void MoveMenuToBar(CMenuBar& bar);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The shared fonts follow the frame to its new scale before the bars and panes rebuild.
    void OnDpiChanged(int dpi) override;

private:
    CMenuBar* Bar() const;
    LRESULT OnMenuChar(WPARAM, LPARAM);
    LRESULT OnInitMenuPopupMessage(WPARAM, LPARAM);
    LRESULT OnMenuSelect(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM, LPARAM);

    fw::CControlBar* menuBar_ = nullptr;
    // Alt went down and up with no other key between: only then does its release open the bar,
    // as a window menu does (Alt+3 is a shortcut, not a trip to the menu).
    bool altAlone_ = true;
};

} // namespace zevrin
