#pragma once
// What the player window tells the view that hosts it. The display view implements it; the
// player window knows nothing else about that view.
#include <cstdint>

namespace zevrin {

class IPlaybackEvents {
public:
    virtual ~IPlaybackEvents() = default;
    // A callback of the playback tool, after the wrapper and the player window have taken it
    // in (state, blocks, layout). Arguments as the wrapper's sink receives them; pointers are
    // valid only during the call. Not called while the window is being destroyed.
    virtual void OnPlaybackEvent(int type, int argCount, const std::intptr_t* args) = 0;
    // A playback run has ended and its thread is joined; not called while the window is
    // being destroyed.
    virtual void OnPlaybackEnded() = 0;
};

} // namespace zevrin
