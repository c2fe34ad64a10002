#include "PlaybackClock.h"

#include <cstdlib>

namespace harlow::vistrel {

namespace {
constexpr std::int64_t kAudioSlackUs = 15000;
}

std::int64_t PlaybackClock::NowLocked() const {
    if (paused_) return baseUs_;
    const auto elapsed = std::chrono::steady_clock::now() - baseTime_;
    return baseUs_ + std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
}

std::int64_t PlaybackClock::NowUs() const {
    std::lock_guard lock(mutex_);
    return NowLocked();
}

void PlaybackClock::Set(std::int64_t mediaUs) {
    std::lock_guard lock(mutex_);
    baseUs_ = mediaUs;
    baseTime_ = std::chrono::steady_clock::now();
}

void PlaybackClock::SyncToAudio(std::int64_t audioUs) {
    std::lock_guard lock(mutex_);
    if (paused_ || std::llabs(NowLocked() - audioUs) <= kAudioSlackUs) return;
    baseUs_ = audioUs;
    baseTime_ = std::chrono::steady_clock::now();
}

void PlaybackClock::SetPaused(bool paused) {
    std::lock_guard lock(mutex_);
    if (paused == paused_) return;
    baseUs_ = NowLocked();
    baseTime_ = std::chrono::steady_clock::now();
    paused_ = paused;
}

bool PlaybackClock::Paused() const {
    std::lock_guard lock(mutex_);
    return paused_;
}

} // namespace harlow::vistrel
