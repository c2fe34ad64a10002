// The media clock. It runs on the system clock and is pulled to the audio device's position
// whenever audio plays, so the audio is the master and video follows it; without audio (no device,
// -an, or after the sound track has ended) the system clock alone keeps time.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>

namespace harlow::vistrel {

class PlaybackClock {
public:
    std::int64_t NowUs() const;
    void Set(std::int64_t mediaUs);
    // Moves the clock to the audio position when they drift apart by more than a few milliseconds;
    // small differences are left alone so that video timing stays smooth.
    void SyncToAudio(std::int64_t audioUs);
    void SetPaused(bool paused);
    bool Paused() const;

private:
    std::int64_t NowLocked() const;
    mutable std::mutex mutex_;
    std::int64_t baseUs_ = 0;
    std::chrono::steady_clock::time_point baseTime_ = std::chrono::steady_clock::now();
    bool paused_ = false;
};

} // namespace harlow::vistrel
