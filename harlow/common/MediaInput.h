// Opening media (files and URLs) with bounded probing and a way to interrupt blocking I/O.
#pragma once

#include <atomic>
#include <chrono>
#include <string>

#include "AvHandles.h"

namespace harlow {

// Makes FFmpeg's blocking calls give up: when the owner asks to stop, or when an operation runs past
// its deadline (a stalled server, a hostile file that makes the demuxer spin).
class Interrupter {
public:
    void Arm(std::chrono::milliseconds budget);
    void Disarm() { armed_ = false; }
    void RequestStop() { stop_ = true; }
    bool StopRequested() const { return stop_; }
    AVIOInterruptCB Callback() { return {&Interrupter::Check, this}; }

private:
    static int Check(void* self);
    std::atomic<bool> stop_{false};
    std::atomic<bool> armed_{false};
    std::atomic<std::chrono::steady_clock::rep> deadline_{0};
};

struct OpenOptions {
    std::chrono::milliseconds openBudget{15000}; // for opening and probing together
    bool findStreamInfo = true;
};

bool IsUrl(const std::wstring& path);

// Opens and probes; null on failure. The interrupter must outlive the context.
InputPtr OpenInput(const std::wstring& path, Interrupter& interrupter, const OpenOptions& options = {});

// Average of the first video stream's frame rate, 0/1 when unknown.
AVRational UsableFrameRate(const AVStream* stream);

} // namespace harlow
