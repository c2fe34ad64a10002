#include "framework/ControlBar.h"

#include "framework/FrameWnd.h"

namespace fw {

bool CControlBar::CreateBar(CFrameWnd& frame, Side side, int height, UINT id, const wchar_t* className, DWORD style) {
    side_ = side;
    height_ = height;
    if (!Create(className, L"", style, RECT{0, 0, 0, height}, frame.Hwnd(), id)) return false;
    frame.AddControlBar(this);
    return true;
}

} // namespace fw
