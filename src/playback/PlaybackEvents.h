#pragma once
// What the player window tells the view that hosts it, in the view's own terms. The player
// window decodes the tool's callbacks once (after the wrapper has taken in state, blocks and
// layout) and calls one of these; the display view implements it and knows nothing of the
// callback blocks. None is called while the window is being destroyed.
#include <cstdint>

namespace zevrin {

class IPlaybackEvents {
public:
    virtual ~IPlaybackEvents() = default;
    // The tool has opened the media and plays it; `durationUs` 0 when unknown (live).
    virtual void OnPlaybackOpened(std::int64_t durationUs) = 0;
    virtual void OnPauseChanged(bool paused) = 0;
    // The tool's periodic report while playing.
    virtual void OnPlaybackPosition(std::int64_t positionUs) = 0;
    // The tool has stopped playing (its own end, a stop, or the end of the run told for a tool
    // that never said so).
    virtual void OnPlaybackStopped() = 0;
    // A playback run has ended and its thread is joined.
    virtual void OnPlaybackEnded() = 0;
};

} // namespace zevrin
