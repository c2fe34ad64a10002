#pragma once
// What the control bar drives directly, without going through commands: the seek position and
// the volume of the player. The video panel provides it.
#include "playback/PlayerState.h"

#include <cstdint>

namespace zevrin {

class IPlayerControls {
public:
    virtual ~IPlayerControls() = default;
    virtual PlayerState GetPlayerState() const = 0;
    virtual int Volume() const = 0;
    virtual bool IsMuted() const = 0;
    virtual void SetVolume(int volume) = 0;
    virtual void SeekTo(std::int64_t microseconds) = 0;
};

} // namespace zevrin
