#include "MediaInput.h"

#include "Text.h"

#include <cwctype>

extern "C" {
#include <libavutil/dict.h>
}

namespace harlow {

void Interrupter::Arm(std::chrono::milliseconds budget) {
    deadline_ = (std::chrono::steady_clock::now() + budget).time_since_epoch().count();
    armed_ = true;
}

int Interrupter::Check(void* self) {
    auto* me = static_cast<Interrupter*>(self);
    if (me->stop_) return 1;
    if (me->armed_ && std::chrono::steady_clock::now().time_since_epoch().count() > me->deadline_) return 1;
    return 0;
}

bool IsUrl(const std::wstring& path) {
    // "scheme://..." with a scheme of two letters or more; "C:\..." is a drive, not a scheme.
    const std::size_t colon = path.find(L"://");
    if (colon == std::wstring::npos || colon < 2) return false;
    for (std::size_t i = 0; i < colon; ++i)
        if (!iswalnum(path[i]) && path[i] != L'+' && path[i] != L'-' && path[i] != L'.') return false;
    return true;
}

InputPtr OpenInput(const std::wstring& path, Interrupter& interrupter, const OpenOptions& options) {
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) return nullptr;
    raw->interrupt_callback = interrupter.Callback();
    // Bounded probing: a few megabytes and seconds are plenty for real media and cap hostile input.
    raw->probesize = 8 << 20;
    raw->max_analyze_duration = 8 * AV_TIME_BASE;

    AVDictionary* dict = nullptr;
    if (IsUrl(path)) {
        av_dict_set(&dict, "rw_timeout", "10000000", 0); // µs without data before giving up
        av_dict_set(&dict, "timeout", "10000000", 0);
        av_dict_set(&dict, "reconnect", "0", 0);
    }
    interrupter.Arm(options.openBudget);
    // The file protocol of this FFmpeg build takes UTF-8 names and opens them as wide names.
    const std::string url = ToUtf8(path);
    int rc = avformat_open_input(&raw, url.c_str(), nullptr, &dict);
    av_dict_free(&dict);
    if (rc < 0) {
        interrupter.Disarm();
        return nullptr; // avformat_open_input frees the context on failure
    }
    InputPtr input(raw);
    if (options.findStreamInfo && avformat_find_stream_info(input.get(), nullptr) < 0) {
        interrupter.Disarm();
        return nullptr;
    }
    interrupter.Disarm();
    if (interrupter.StopRequested()) return nullptr;
    return input;
}

AVRational UsableFrameRate(const AVStream* stream) {
    const AVRational avg = stream->avg_frame_rate;
    if (avg.num > 0 && avg.den > 0 && av_q2d(avg) < 1000) return avg;
    const AVRational real = stream->r_frame_rate;
    if (real.num > 0 && real.den > 0 && av_q2d(real) < 1000) return real;
    return {0, 1};
}

} // namespace harlow
