#include "WaveOut.h"

#include <algorithm>

namespace harlow::vistrel {

WaveOut::~WaveOut() {
    if (device_) {
        waveOutReset(device_);
        for (Buffer& b : buffers_)
            if (b.header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device_, &b.header, sizeof(WAVEHDR));
        waveOutClose(device_);
    }
    if (event_) CloseHandle(event_);
}

bool WaveOut::Open(int sampleRate, int channels) {
    event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    if (!event_ || waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(event_), 0,
                               CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return false;
    }
    rate_ = sampleRate;
    channels_ = channels;
    for (Buffer& b : buffers_) {
        b.samples.resize(kFramesPerBuffer * channels);
        b.header.lpData = reinterpret_cast<LPSTR>(b.samples.data());
        b.header.dwBufferLength = 0;
        b.header.dwFlags = WHDR_DONE; // free
    }
    return true;
}

WaveOut::Buffer* WaveOut::FreeBuffer() {
    for (Buffer& b : buffers_)
        if (b.header.dwFlags & WHDR_DONE || !(b.header.dwFlags & WHDR_PREPARED)) return &b;
    return nullptr;
}

std::size_t WaveOut::Write(const std::int16_t* samples, std::size_t frames, std::chrono::milliseconds wait) {
    Buffer* b = FreeBuffer();
    if (!b) {
        WaitForSingleObject(event_, static_cast<DWORD>(wait.count()));
        b = FreeBuffer();
        if (!b) return 0;
    }
    if (b->header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device_, &b->header, sizeof(WAVEHDR));
    const std::size_t n = frames < kFramesPerBuffer ? frames : kFramesPerBuffer;
    std::copy(samples, samples + n * channels_, b->samples.begin());
    b->header.dwBufferLength = static_cast<DWORD>(n * channels_ * sizeof(std::int16_t));
    b->header.dwFlags = 0;
    if (waveOutPrepareHeader(device_, &b->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR ||
        waveOutWrite(device_, &b->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        b->header.dwFlags |= WHDR_DONE;
        return n; // a device that fails mid-way costs this buffer's sound, not the playback
    }
    written_ += static_cast<std::int64_t>(n);
    return n;
}

void WaveOut::Pause() {
    if (device_) waveOutPause(device_);
}

void WaveOut::Resume() {
    if (device_) waveOutRestart(device_);
}

void WaveOut::Reset() {
    if (!device_) return;
    waveOutReset(device_); // marks every queued buffer done
    written_ = 0;
}

std::int64_t WaveOut::PlayedFrames() const {
    if (!device_) return 0;
    MMTIME time{};
    time.wType = TIME_SAMPLES;
    if (waveOutGetPosition(device_, &time, sizeof time) != MMSYSERR_NOERROR) return 0;
    if (time.wType == TIME_BYTES) return time.u.cb / (channels_ * 2);
    return time.u.sample;
}

bool WaveOut::Drained() const {
    for (const Buffer& b : buffers_)
        if ((b.header.dwFlags & WHDR_PREPARED) && !(b.header.dwFlags & WHDR_DONE)) return false;
    return true;
}

} // namespace harlow::vistrel
