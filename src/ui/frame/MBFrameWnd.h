#pragma once
// A frame whose menu is drawn by a menu bar of its own instead of the window's menu. Until the
// menu bar is part of the program this keeps the window's own menu.
#include "framework/ControlBar.h"
#include "framework/FrameWnd.h"

namespace zevrin {

class CMBFrameWnd : public fw::CFrameWnd {
public:
    fw::CControlBar* MenuBar() const { return menuBar_; }

protected:
    void SetMenuBar(fw::CControlBar* bar) { menuBar_ = bar; }

private:
    fw::CControlBar* menuBar_ = nullptr;
};

} // namespace zevrin
