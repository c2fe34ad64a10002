// The read thread: reads packets into the video and audio queues and carries out seeks, which
// flush both queues and start a new serial.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "AvHandles.h"
#include "MediaInput.h"
#include "PacketQueue.h"
#include "SharedState.h"

namespace harlow::vistrel {

class Demuxer {
public:
    Demuxer(SharedState& shared, AVFormatContext* input, Interrupter& interrupter, std::int64_t originUs)
        : shared_(shared), input_(input), interrupter_(interrupter), originUs_(originUs) {}
    ~Demuxer() { Join(); }

    // Streams to feed; -1 for none. Packets of other streams are not even read.
    void Route(int videoStream, PacketQueue* video, int audioStream, PacketQueue* audio);
    void RequestSeek(std::int64_t targetUs); // any thread; the latest request wins
    void Start();
    void Join();

private:
    void Run();
    void Seek(std::int64_t targetUs);
    void Deliver(PacketQueue* queue, QueuedPacket item);

    SharedState& shared_;
    AVFormatContext* input_;
    Interrupter& interrupter_;
    std::int64_t originUs_;
    int videoStream_ = -1, audioStream_ = -1;
    PacketQueue* video_ = nullptr;
    PacketQueue* audio_ = nullptr;
    std::mutex seekMutex_;
    std::optional<std::int64_t> seekRequest_;
    std::thread thread_;
    bool ended_ = false;
};

} // namespace harlow::vistrel
