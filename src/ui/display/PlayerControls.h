#pragma once
// What the control bar drives directly, without going through commands: the seek position and
// the volume of the player. The video panel provides it.
#include <cstdint>

namespace zevrin {

class IPlayerControls {
public:
    virtual ~IPlayerControls() = default;
    virtual int PlayerState() const = 0;  // 0 idle, 1 starting, 2 playing, 3 paused
    virtual int Volume() const = 0;
    virtual bool IsMuted() const = 0;
    virtual void SetVolume(int volume) = 0;
    virtual void SeekTo(std::int64_t microseconds) = 0;
};

} // namespace zevrin
