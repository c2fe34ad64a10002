// A bounded queue of packets between the read thread and one decoder thread. A seek flushes it
// and starts a new serial: the decoder drops whatever belongs to an older one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "AvHandles.h"

namespace harlow::vistrel {

struct QueuedPacket {
    enum class Kind { Data, Flush, End } kind = Kind::Data;
    PacketPtr packet; // Data only
    int serial = 0;
};

class PacketQueue {
public:
    explicit PacketQueue(std::size_t maxBytes) : maxBytes_(maxBytes) {}

    // Blocks while the queue is full; false when aborted.
    bool Push(QueuedPacket item);
    // Waits up to `wait`; false when nothing came (or aborted).
    bool Pop(QueuedPacket& item, std::chrono::milliseconds wait);
    // Drops everything queued and queues a flush marker of the new serial.
    void Flush(int serial);
    void Abort();
    bool Full() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QueuedPacket> items_;
    std::size_t bytes_ = 0;
    std::size_t maxBytes_;
    bool aborted_ = false;
};

} // namespace harlow::vistrel
