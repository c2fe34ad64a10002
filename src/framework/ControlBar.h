#pragma once
// A bar docked at the top or the bottom edge of a frame, with a fixed height. The frame lays
// the bars out around its client pane and lets them refresh their buttons when it is idle.
#include "framework/Wnd.h"

namespace fw {

class CFrameWnd;

class CControlBar : public CWnd {
public:
    enum class Side { Top, Bottom };

    Side DockSide() const { return side_; }
    int Height() const { return height_; }
    // Whether the bar is meant to be seen (its own style), whatever its frame's state.
    bool IsShown() const { return Hwnd() && (::GetWindowLongW(Hwnd(), GWL_STYLE) & WS_VISIBLE); }
    void SetHeight(int height) { height_ = height; }

    // Runs the update handlers of the bar's buttons through the frame's command routing.
    virtual void OnUpdateCmdUI(CFrameWnd& frame) { (void)frame; }

protected:
    // Creates the bar window as a visible child of the frame and registers it there.
    bool CreateBar(CFrameWnd& frame, Side side, int height, UINT id, const wchar_t* className,
                   DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);

private:
    Side side_ = Side::Top;
    int height_ = 0;
};

} // namespace fw
