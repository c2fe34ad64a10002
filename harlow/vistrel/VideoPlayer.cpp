#include "VideoPlayer.h"

#include "CodecOpening.h"

#include "harlow/ToolMessages.h"

#include <windows.h>
#include <timeapi.h>

#include <chrono>

namespace harlow::vistrel {

namespace {

constexpr AVRational kMicroseconds{1, AV_TIME_BASE};
constexpr std::int64_t kLateUs = 80000;      // a picture this late is dropped...
constexpr std::int64_t kMustShowUs = 500000; // ...unless nothing was shown for this long
constexpr auto kPoll = std::chrono::milliseconds(10);

std::int64_t SteadyUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

bool VideoPlayer::Open(AVStream* stream, const AVFormatContext* input, std::int64_t originUs, int threads) {
    stream_ = stream;
    originUs_ = originUs;
    decoder_ = OpenDecoder(stream, threads);
    if (!decoder_) return false;
    AVRational sar = av_guess_sample_aspect_ratio(const_cast<AVFormatContext*>(input), stream, nullptr);
    if (sar.num <= 0 || sar.den <= 0) sar = {1, 1};
    if (decoder_->width > 0 && decoder_->height > 0) displayAspect_ = av_q2d(sar) * decoder_->width / decoder_->height;
    return true;
}

void VideoPlayer::Start() {
    thread_ = std::thread([this] { Run(); });
}

void VideoPlayer::Join() {
    if (thread_.joinable()) thread_.join();
}

void VideoPlayer::Run() {
    // 1 ms sleeps for picture timing; asked for here, so that the multimedia library loads
    // beside the opening rather than before it.
    timeBeginPeriod(1);
    while (!shared_.stop) {
        if (!pending_ && !DecodeNext()) {
            Idle();
            continue;
        }
        if (pending_) Schedule();
    }
    timeEndPeriod(1);
}

void VideoPlayer::Idle() {
    if (shared_.redrawRequested.exchange(false) && last_) Show(*last_);
    if (ended_ && !doneReported_) {
        doneReported_ = true;
        PostMessageW(shared_.controlWindow, kMessageStreamDone, kStreamVideo, serial_);
    }
}

void VideoPlayer::Handle(QueuedPacket& item) {
    if (item.kind == QueuedPacket::Kind::Flush) {
        avcodec_flush_buffers(decoder_.get());
        serial_ = item.serial;
        pending_.reset();
        shownSinceSeek_ = ended_ = doneReported_ = false;
        return;
    }
    if (item.serial != serial_) return;
    if (item.kind == QueuedPacket::Kind::End) {
        avcodec_send_packet(decoder_.get(), nullptr);
        ended_ = true;
        return;
    }
    avcodec_send_packet(decoder_.get(), item.packet.get()); // a damaged packet is skipped
}

bool VideoPlayer::DecodeNext() {
    FramePtr frame = NewFrame();
    for (;;) {
        const int rc = avcodec_receive_frame(decoder_.get(), frame.get());
        if (rc >= 0) {
            const std::int64_t ts = frame->best_effort_timestamp;
            pendingUs_ = ts == AV_NOPTS_VALUE ? shared_.clock.NowUs()
                                              : av_rescale_q(ts, stream_->time_base, kMicroseconds) - originUs_;
            pending_ = std::move(frame);
            return true;
        }
        if (rc == AVERROR_EOF) {
            avcodec_flush_buffers(decoder_.get()); // ready for a seek after the end
            return false;
        }
        QueuedPacket item;
        if (!queue_.Pop(item, kPoll)) return false;
        Handle(item);
        if (shared_.stop) return false;
    }
}

void VideoPlayer::Schedule() {
    if (serial_ != shared_.serial) {
        pending_.reset(); // a seek is on its way through the queue
        return;
    }
    // Pictures before a seek's target were decoded only to reach it.
    if (!shownSinceSeek_ && pendingUs_ < shared_.seekTargetUs && !ended_) {
        pending_.reset();
        return;
    }
    if (shared_.paused) {
        // While paused: show the first picture after a seek, and one more for each step.
        if (!shownSinceSeek_ || shared_.stepRequested.exchange(false)) {
            shared_.clock.Set(pendingUs_);
            Show(*pending_);
            pending_.reset();
        } else {
            Idle();
            std::this_thread::sleep_for(kPoll);
        }
        return;
    }
    const std::int64_t delay = pendingUs_ - shared_.clock.NowUs();
    if (delay > 2000) {
        if (shared_.redrawRequested.exchange(false) && last_) Show(*last_);
        std::this_thread::sleep_for(std::min(std::chrono::microseconds(delay), std::chrono::microseconds(kPoll)));
        return;
    }
    if (delay < -kLateUs && shownSinceSeek_ && SteadyUs() - lastShownAt_ < kMustShowUs) {
        shared_.framesDropped++;
        pending_.reset();
        return;
    }
    Show(*pending_);
    pending_.reset();
}

void VideoPlayer::Show(const AVFrame& frame) {
    const RECT area = renderer_.PictureRect(displayAspect_);
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w > 0 && h > 0) {
        scaler_.reset(sws_getCachedContext(
            scaler_.release(), frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), w, h,
            AV_PIX_FMT_BGRA, renderer_.SmoothScaling() ? SWS_BICUBIC : SWS_BILINEAR, nullptr, nullptr, nullptr));
        if (scaler_) {
            const int stride = w * 4;
            pixels_.resize(static_cast<std::size_t>(stride) * h);
            std::uint8_t* planes[1] = {pixels_.data()};
            const int strides[1] = {stride};
            sws_scale(scaler_.get(), frame.data, frame.linesize, 0, frame.height, planes, strides);
            renderer_.Present(pixels_.data(), stride, w, h, area);
        }
    }
    if (&frame != last_.get()) last_.reset(av_frame_clone(&frame));
    shownSinceSeek_ = true;
    lastShownAt_ = SteadyUs();
    shared_.framesShown++;
}

} // namespace harlow::vistrel
