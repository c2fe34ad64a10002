// What the threads of one playback share. Plain atomics; the clock has its own lock.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "PlaybackClock.h"

namespace harlow::vistrel {

// Posted to the control window by the worker threads.
inline constexpr UINT kMessageStreamDone = WM_APP + 1; // wParam StreamKind, lParam serial
inline constexpr UINT kMessageFailed = WM_APP + 2;

struct SharedState {
    std::atomic<bool> stop{false};
    std::atomic<int> serial{0};                // bumped by every seek
    std::atomic<std::int64_t> seekTargetUs{0}; // frames and samples before it are not played
    std::atomic<int> volume{100};
    std::atomic<bool> paused{false};
    std::atomic<bool> stepRequested{false};
    std::atomic<bool> redrawRequested{false};
    std::atomic<std::int64_t> framesShown{0};
    std::atomic<std::int64_t> framesDropped{0};
    PlaybackClock clock;
    HWND controlWindow = nullptr;
};

} // namespace harlow::vistrel
