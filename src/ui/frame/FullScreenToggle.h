#pragma once
// Full screen without a separate window: the frame is made larger than the screen so that its
// client area covers it exactly and the caption, borders and, by choice, the bars lie outside.
#include <windows.h>

namespace zevrin {

// The window rectangle whose client area covers a screen of the given size, enlarged by the
// margins and by 2 pixels on every side.
RECT FullScreenWindowRect(const RECT& window, const RECT& clientOnScreen, SIZE screen, const RECT& margins);

class CFullScreenToggle {
public:
    enum State { kNormal = 0, kEntering = 1, kFullScreen = 2 };

    void SetFrame(HWND frame) { frame_ = frame; }
    int State() const { return state_; }
    bool IsFullScreen() const { return state_ != kNormal; }
    const RECT& FullScreenRect() const { return fullRect_; }
    // left, top, right, bottom: how far the window reaches beyond the screen.
    RECT margins{};

    void Toggle();

private:
    void Enter();
    void Leave();

    HWND frame_ = nullptr;
    int state_ = kNormal;
    WINDOWPLACEMENT saved_{sizeof(WINDOWPLACEMENT)};
    RECT fullRect_{};
};

} // namespace zevrin
