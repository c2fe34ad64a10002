#include "ui/frame/FullScreenToggle.h"

namespace zevrin {

RECT FullScreenWindowRect(const RECT& window, const RECT& clientOnScreen, SIZE screen, const RECT& margins) {
    RECT r{window.left - clientOnScreen.left, window.top - clientOnScreen.top,
           screen.cx + window.right - clientOnScreen.right, screen.cy + window.bottom - clientOnScreen.bottom};
    r.left -= margins.left + 2;
    r.top -= margins.top + 2;
    r.right += margins.right + 2;
    r.bottom += margins.bottom + 2;
    return r;
}

void CFullScreenToggle::Toggle() {
    if (!frame_) return;
    LockWindowUpdate(frame_);
    if (state_ != kNormal)
        Leave();
    else
        Enter();
    LockWindowUpdate(nullptr);
}

void CFullScreenToggle::Leave() {
    state_ = kNormal;
    if (saved_.showCmd == SW_SHOWMAXIMIZED) ShowWindow(frame_, SW_SHOWMAXIMIZED);
    SetWindowPlacement(frame_, &saved_);
}

void CFullScreenToggle::Enter() {
    state_ = kEntering;
    saved_.length = sizeof(saved_);
    GetWindowPlacement(frame_, &saved_);
    RECT window, client;
    GetWindowRect(frame_, &window);
    GetClientRect(frame_, &client);
    MapWindowPoints(frame_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    fullRect_ = FullScreenWindowRect(window, client, screen, margins);
    WINDOWPLACEMENT wp = saved_;
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = fullRect_;
    SetWindowPlacement(frame_, &wp);
    state_ = kFullScreen;
}

} // namespace zevrin
