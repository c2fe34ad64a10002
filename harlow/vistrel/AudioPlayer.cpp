#include "AudioPlayer.h"

#include "CodecOpening.h"
#include "SampleGain.h"

#include <algorithm>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include "harlow/ToolMessages.h"

namespace harlow::vistrel {

namespace {
constexpr AVRational kMicroseconds{1, AV_TIME_BASE};
constexpr auto kPollInterval = std::chrono::milliseconds(20);
} // namespace

bool AudioPlayer::Open(AVStream* stream, std::int64_t originUs, int threads, bool useDevice) {
    stream_ = stream;
    originUs_ = originUs;
    decoder_ = OpenDecoder(stream, threads);
    if (!decoder_) return false;
    if (!useDevice) return false;
    const int channels = std::clamp(decoder_->ch_layout.nb_channels, 1, 2);
    const int rate = decoder_->sample_rate > 0 ? decoder_->sample_rate : 44100;
    // Some devices refuse unusual rates: fall back to the common ones and resample.
    return device_.Open(rate, channels) || device_.Open(48000, channels) || device_.Open(44100, 2);
}

void AudioPlayer::Start() {
    thread_ = std::thread([this] { Run(); });
}

void AudioPlayer::Join() {
    if (thread_.joinable()) thread_.join();
}

void AudioPlayer::SetPaused(bool paused) {
    if (paused)
        device_.Pause();
    else
        device_.Resume();
}

void AudioPlayer::Run() {
    QueuedPacket item;
    while (!shared_.stop) {
        if (queue_.Pop(item, kPollInterval)) {
            Handle(item);
            continue;
        }
        SyncClock();
        if (ended_ && !doneReported_ && device_.Drained()) {
            doneReported_ = true;
            PostMessageW(shared_.controlWindow, kMessageStreamDone, kStreamAudio, serial_);
        }
    }
    device_.Reset();
}

void AudioPlayer::Handle(QueuedPacket& item) {
    if (item.kind == QueuedPacket::Kind::Flush) {
        avcodec_flush_buffers(decoder_.get());
        device_.Reset();
        if (shared_.paused) device_.Pause(); // a reset device plays again at once; a seek while paused stays paused
        serial_ = item.serial;
        anchored_ = false;
        ended_ = doneReported_ = false;
        return;
    }
    if (item.serial != serial_) return;
    const bool end = item.kind == QueuedPacket::Kind::End;
    if (avcodec_send_packet(decoder_.get(), end ? nullptr : item.packet.get()) < 0 && !end)
        return; // a damaged packet: skip it
    FramePtr frame = NewFrame();
    while (avcodec_receive_frame(decoder_.get(), frame.get()) >= 0) {
        Play(frame.get());
        av_frame_unref(frame.get());
    }
    if (end) {
        ended_ = true;
        avcodec_flush_buffers(decoder_.get());
    }
}

bool AudioPlayer::Convert(AVFrame* frame, std::vector<std::int16_t>& out) {
    if (!resampler_) {
        AVChannelLayout in{}, target{};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&in, std::max(1, frame->ch_layout.nb_channels));
        else
            av_channel_layout_copy(&in, &frame->ch_layout);
        av_channel_layout_default(&target, device_.Channels());
        SwrContext* raw = nullptr;
        const int rc = swr_alloc_set_opts2(&raw, &target, AV_SAMPLE_FMT_S16, device_.SampleRate(), &in,
                                           static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&target);
        resampler_.reset(raw);
        if (rc < 0 || swr_init(raw) < 0) {
            resampler_.reset();
            return false;
        }
    }
    const int room = swr_get_out_samples(resampler_.get(), frame->nb_samples);
    out.resize(static_cast<std::size_t>(std::max(room, 0)) * device_.Channels());
    std::uint8_t* planes[1] = {reinterpret_cast<std::uint8_t*>(out.data())};
    const int got = swr_convert(resampler_.get(), planes, room, const_cast<const std::uint8_t**>(frame->extended_data),
                                frame->nb_samples);
    out.resize(static_cast<std::size_t>(std::max(got, 0)) * device_.Channels());
    return got > 0;
}

void AudioPlayer::Play(AVFrame* frame) {
    std::vector<std::int16_t> pcm;
    if (!device_.IsOpen() || !Convert(frame, pcm)) return;
    const int channels = device_.Channels();
    std::size_t frames = pcm.size() / channels;
    std::int16_t* data = pcm.data();
    if (!anchored_) {
        // The first samples after a start or seek: skip what lies before the target.
        std::int64_t t = shared_.seekTargetUs;
        if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
            t = av_rescale_q(frame->best_effort_timestamp, stream_->time_base, kMicroseconds) - originUs_;
        const std::int64_t skip =
            std::clamp<std::int64_t>(av_rescale(shared_.seekTargetUs - t, device_.SampleRate(), AV_TIME_BASE), 0,
                                     static_cast<std::int64_t>(frames));
        if (skip == static_cast<std::int64_t>(frames)) return;
        data += skip * channels;
        frames -= static_cast<std::size_t>(skip);
        anchorUs_ = t + av_rescale(skip, AV_TIME_BASE, device_.SampleRate());
        anchored_ = true;
        shared_.clock.Set(anchorUs_);
    }
    unsigned char* plane = reinterpret_cast<unsigned char*>(data);
    ApplyGain(AV_SAMPLE_FMT_S16, &plane, channels, static_cast<int>(frames), shared_.volume / 100.0);
    Output(data, frames);
}

void AudioPlayer::Output(const std::int16_t* samples, std::size_t frames) {
    const int serial = serial_;
    while (frames > 0 && !shared_.stop && shared_.serial == serial) {
        const std::size_t taken = device_.Write(samples, frames, kPollInterval);
        samples += taken * device_.Channels();
        frames -= taken;
        SyncClock();
    }
}

void AudioPlayer::SyncClock() {
    if (!anchored_ || !device_.IsOpen()) return;
    const std::int64_t played = device_.PlayedFrames();
    // Once everything written has been heard the device stands still; the clock runs on alone.
    if (played <= 0 || played >= device_.WrittenFrames()) return;
    shared_.clock.SyncToAudio(anchorUs_ + av_rescale(played, AV_TIME_BASE, device_.SampleRate()));
}

} // namespace harlow::vistrel
