// 16-bit PCM through waveOut: a ring of buffers, filled by the audio thread, played by the device.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

namespace harlow::vistrel {

class WaveOut {
public:
    WaveOut() = default;
    ~WaveOut();
    WaveOut(const WaveOut&) = delete;
    WaveOut& operator=(const WaveOut&) = delete;

    // False when no device opens (as under Wine without a sound server): play without sound then.
    bool Open(int sampleRate, int channels);
    bool IsOpen() const { return device_ != nullptr; }
    int SampleRate() const { return rate_; }
    int Channels() const { return channels_; }

    // Queues interleaved samples; waits up to `wait` for a free buffer. Returns the frames taken.
    std::size_t Write(const std::int16_t* samples, std::size_t frames, std::chrono::milliseconds wait);
    void Pause();
    void Resume();
    void Reset();                      // drops what is queued; the played position starts again at 0
    std::int64_t PlayedFrames() const; // since the last reset
    std::int64_t WrittenFrames() const { return written_; }
    bool Drained() const; // everything written has been played

private:
    static constexpr int kBuffers = 8;
    static constexpr std::size_t kFramesPerBuffer = 2048;
    struct Buffer {
        WAVEHDR header{};
        std::vector<std::int16_t> samples;
    };
    Buffer* FreeBuffer();

    HWAVEOUT device_ = nullptr;
    HANDLE event_ = nullptr;
    std::array<Buffer, kBuffers> buffers_;
    int rate_ = 0;
    int channels_ = 0;
    std::int64_t written_ = 0;
};

} // namespace harlow::vistrel
