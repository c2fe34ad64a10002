// Progress reports to the caller's window: type 2 when encoding starts, type 10 a few times a
// second, type 0 with a message when something fails, type 4 at the end.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "CallbackChannel.h"

namespace harlow::brannet {

class Progress {
public:
    explicit Progress(CallbackChannel channel) : channel_(channel) {}

    void Started(std::int64_t expectedUs);
    void Advanced(std::int64_t positionUs, std::int64_t bytes, int frames); // rate-limited
    void Failed(const std::string& message);
    void Ended();
    // False when the caller's window has gone away: nobody waits for the result any more.
    bool CallerAlive() const { return !channel_.Enabled() || channel_.CallerAlive(); }

private:
    void Send(std::int32_t type);
    CallbackChannel channel_;
    EncodeProgress state_{};
    std::chrono::steady_clock::time_point lastSent_{};
};

} // namespace harlow::brannet
