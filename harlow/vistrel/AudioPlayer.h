// The audio thread: decodes, converts to 16-bit PCM at the device's rate, applies the volume, plays
// through waveOut and keeps the media clock on the sound actually heard.
#pragma once

#include <cstdint>
#include <thread>
#include <vector>

#include "AvHandles.h"
#include "PacketQueue.h"
#include "SharedState.h"
#include "WaveOut.h"

namespace harlow::vistrel {

class AudioPlayer {
public:
    AudioPlayer(SharedState& shared, PacketQueue& queue) : shared_(shared), queue_(queue) {}
    ~AudioPlayer() { Join(); }

    // Opens decoder and device; false when either fails (the caller then plays without sound).
    bool Open(AVStream* stream, std::int64_t originUs, int threads, bool useDevice);
    const AVCodecContext* Decoder() const { return decoder_.get(); }
    const WaveOut& Device() const { return device_; }
    void Start();
    void Join();
    void SetPaused(bool paused);

private:
    void Run();
    void Handle(QueuedPacket& item);
    void Play(AVFrame* frame);
    bool Convert(AVFrame* frame, std::vector<std::int16_t>& out);
    void Output(const std::int16_t* samples, std::size_t frames);
    void SyncClock();

    SharedState& shared_;
    PacketQueue& queue_;
    AVStream* stream_ = nullptr;
    std::int64_t originUs_ = 0;
    CodecPtr decoder_;
    ResamplerPtr resampler_;
    WaveOut device_;
    std::thread thread_;
    int serial_ = 0;
    bool anchored_ = false;
    std::int64_t anchorUs_ = 0; // media time of the first sample written since the last reset
    bool ended_ = false;
    bool doneReported_ = false;
};

} // namespace harlow::vistrel
