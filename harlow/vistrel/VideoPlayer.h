// The video thread: decodes, waits for each picture's time on the media clock, converts it with
// swscale to the render window's size and draws it. Late pictures are dropped so that a slow
// machine keeps in step with the sound.
#pragma once

#include <cstdint>
#include <thread>
#include <vector>

#include "AvHandles.h"
#include "PacketQueue.h"
#include "SharedState.h"
#include "VideoRenderer.h"

namespace harlow::vistrel {

class VideoPlayer {
public:
    VideoPlayer(SharedState& shared, PacketQueue& queue, VideoRenderer& renderer)
        : shared_(shared), queue_(queue), renderer_(renderer) {}
    ~VideoPlayer() { Join(); }

    bool Open(AVStream* stream, const AVFormatContext* input, std::int64_t originUs, int threads);
    const AVCodecContext* Decoder() const { return decoder_.get(); }
    double DisplayAspect() const { return displayAspect_; }
    void Start();
    void Join();

private:
    void Run();
    bool DecodeNext(); // fills pending_; false when nothing is available now
    void Handle(QueuedPacket& item);
    void Schedule(); // shows, waits for or drops the pending picture
    void Show(const AVFrame& frame);
    void Idle();

    SharedState& shared_;
    PacketQueue& queue_;
    VideoRenderer& renderer_;
    AVStream* stream_ = nullptr;
    std::int64_t originUs_ = 0;
    double displayAspect_ = 0;
    CodecPtr decoder_;
    ScalerPtr scaler_;
    std::vector<std::uint8_t> pixels_;
    FramePtr pending_;
    std::int64_t pendingUs_ = 0;
    FramePtr last_; // shown last, drawn again after a resize or while paused
    std::thread thread_;
    int serial_ = 0;
    bool shownSinceSeek_ = false;
    bool ended_ = false;
    bool doneReported_ = false;
    std::int64_t lastShownAt_ = 0; // steady clock, µs
};

} // namespace harlow::vistrel
