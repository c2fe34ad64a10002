#include "StreamEncoder.h"

#include "CodecOpening.h"
#include "SampleGain.h"

#include <algorithm>
#include <cstdlib>

extern "C" {
#include <libavutil/channel_layout.h>
}

namespace harlow::brannet {

namespace {

int ChooseSampleRate(const AVCodec* codec, int wanted) {
    if (!codec->supported_samplerates) return wanted;
    int best = codec->supported_samplerates[0];
    for (const int* r = codec->supported_samplerates; *r != 0; ++r)
        if (std::abs(*r - wanted) < std::abs(best - wanted)) best = *r;
    return best;
}

int MaxChannels(const AVCodec* codec) {
    if (!codec->ch_layouts) return 8;
    int most = 0;
    for (const AVChannelLayout* l = codec->ch_layouts; l->nb_channels != 0; ++l) most = std::max(most, l->nb_channels);
    return most;
}

} // namespace

AudioEncoder::~AudioEncoder() {
    if (fifo_) av_audio_fifo_free(fifo_);
}

bool AudioEncoder::Open(AVStream* input, const EncodeOptions& o, Muxer& muxer, std::string& error) {
    input_ = input;
    threads_ = o.threads;
    decoder_ = OpenDecoder(input, o.threads);
    if (!decoder_) {
        error = "no decoder for the audio";
        return false;
    }
    const AVCodec* codec = o.audioCodec.empty() ? DefaultEncoder(muxer.Context()->oformat, AVMEDIA_TYPE_AUDIO)
                                                : avcodec_find_encoder_by_name(o.audioCodec.c_str());
    if (!codec || codec->type != AVMEDIA_TYPE_AUDIO) {
        error = "no audio encoder " + (o.audioCodec.empty() ? std::string("for this format") : o.audioCodec);
        return false;
    }
    encoder_.reset(avcodec_alloc_context3(codec));
    AVCodecContext* e = encoder_.get();
    e->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : decoder_->sample_fmt;
    e->sample_rate = ChooseSampleRate(codec, o.sampleRate > 0 ? o.sampleRate : decoder_->sample_rate);
    int channels = o.channels > 0 ? o.channels : decoder_->ch_layout.nb_channels;
    if (o.channels > MaxChannels(codec)) {
        error = std::string("the ") + codec->name + " encoder can't write " + std::to_string(o.channels) + " channels";
        return false;
    }
    channels = std::clamp(channels, 1, MaxChannels(codec));
    av_channel_layout_default(&e->ch_layout, channels);
    e->time_base = {1, e->sample_rate};
    e->bit_rate = o.audioBitRate > 0 ? o.audioBitRate : 64000 * std::min(channels, 2);
    gain_ = o.volume / 256.0;
    if (o.durationUs > 0) samplesLimit_ = av_rescale(o.durationUs, e->sample_rate, AV_TIME_BASE);
    if (!OpenEncoder(codec, o.audioPreset, muxer, error)) return false;
    fifo_ = av_audio_fifo_alloc(e->sample_fmt, channels, 1024);
    return fifo_ != nullptr;
}

bool AudioEncoder::MakeResampler(const AVFrame* frame) {
    AVChannelLayout in{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels == 0)
        av_channel_layout_default(&in, std::max(1, frame->ch_layout.nb_channels));
    else
        av_channel_layout_copy(&in, &frame->ch_layout);
    SwrContext* raw = nullptr;
    const int rc = swr_alloc_set_opts2(&raw, &encoder_->ch_layout, encoder_->sample_fmt, encoder_->sample_rate, &in,
                                       static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    resampler_.reset(raw);
    return rc >= 0 && swr_init(raw) >= 0;
}

bool AudioEncoder::Consume(AVFrame* frame, std::int64_t t) {
    const std::int64_t frameUs = av_rescale(frame->nb_samples, AV_TIME_BASE, std::max(1, frame->sample_rate));
    if (!started_) {
        if (t + frameUs <= 0) return true; // wholly before -ss
        if (!MakeResampler(frame)) return false;
        // Audio that starts later on the output timeline (-itsoffset) is preceded by silence.
        if (t > 0 && !PadSilence(av_rescale(t, encoder_->sample_rate, AV_TIME_BASE))) return false;
    }
    const int room = swr_get_out_samples(resampler_.get(), frame->nb_samples);
    if (room <= 0) return true;
    FramePtr out = NewFrame();
    out->format = encoder_->sample_fmt;
    out->nb_samples = room;
    av_channel_layout_copy(&out->ch_layout, &encoder_->ch_layout);
    if (av_frame_get_buffer(out.get(), 0) < 0) return false;
    const int got = swr_convert(resampler_.get(), out->data, room, const_cast<const uint8_t**>(frame->extended_data),
                                frame->nb_samples);
    if (got <= 0) return true;
    ApplyGain(encoder_->sample_fmt, out->extended_data, encoder_->ch_layout.nb_channels, got, gain_);
    av_audio_fifo_write(fifo_, reinterpret_cast<void**>(out->extended_data), got);
    if (!started_) {
        started_ = true;
        // The first frame straddles -ss: drop the part before it.
        if (t < 0)
            av_audio_fifo_drain(
                fifo_, static_cast<int>(std::min<std::int64_t>(av_audio_fifo_size(fifo_),
                                                               av_rescale(-t, encoder_->sample_rate, AV_TIME_BASE))));
    }
    return EncodeFromFifo(false);
}

bool AudioEncoder::EncodeFromFifo(bool all) {
    AVCodecContext* e = encoder_.get();
    const bool variable = e->frame_size <= 0 || (e->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    const int frameSize = variable ? 1024 : e->frame_size;
    while (!done_) {
        int n = std::min(av_audio_fifo_size(fifo_), frameSize);
        if (n <= 0 || (n < frameSize && !all)) return true;
        if (samplesLimit_ > 0) n = static_cast<int>(std::min<std::int64_t>(n, samplesLimit_ - samplesOut_));
        // Fixed-size encoders without a short last frame get theirs padded with silence.
        const bool pad = !variable && n < frameSize && !(e->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME);
        FramePtr frame = NewFrame();
        frame->format = e->sample_fmt;
        frame->nb_samples = pad ? frameSize : n;
        frame->sample_rate = e->sample_rate;
        av_channel_layout_copy(&frame->ch_layout, &e->ch_layout);
        if (av_frame_get_buffer(frame.get(), 0) < 0) return false;
        av_audio_fifo_read(fifo_, reinterpret_cast<void**>(frame->extended_data), n);
        if (pad)
            av_samples_set_silence(frame->extended_data, n, frameSize - n, e->ch_layout.nb_channels, e->sample_fmt);
        frame->pts = samplesOut_;
        samplesOut_ += n;
        positionUs_ = av_rescale(samplesOut_, AV_TIME_BASE, e->sample_rate);
        frames_++;
        if (samplesLimit_ > 0 && samplesOut_ >= samplesLimit_) done_ = true;
        if (!SendToEncoder(frame.get())) return false;
    }
    return true;
}

bool AudioEncoder::PadSilence(std::int64_t samples) {
    const int chunk = 4096;
    FramePtr silence = NewFrame();
    silence->format = encoder_->sample_fmt;
    silence->nb_samples = chunk;
    av_channel_layout_copy(&silence->ch_layout, &encoder_->ch_layout);
    if (av_frame_get_buffer(silence.get(), 0) < 0) return false;
    av_samples_set_silence(silence->extended_data, 0, chunk, encoder_->ch_layout.nb_channels, encoder_->sample_fmt);
    while (samples > 0 && !done_) {
        const int n = static_cast<int>(std::min<std::int64_t>(samples, chunk));
        av_audio_fifo_write(fifo_, reinterpret_cast<void**>(silence->extended_data), n);
        samples -= n;
        if (!EncodeFromFifo(false)) return false;
    }
    return true;
}

bool AudioEncoder::Drain() {
    if (!resampler_ || !fifo_) return true;
    if (!done_) {
        const int room = swr_get_out_samples(resampler_.get(), 0);
        if (room > 0) {
            FramePtr out = NewFrame();
            out->format = encoder_->sample_fmt;
            out->nb_samples = room;
            av_channel_layout_copy(&out->ch_layout, &encoder_->ch_layout);
            if (av_frame_get_buffer(out.get(), 0) >= 0) {
                const int got = swr_convert(resampler_.get(), out->data, room, nullptr, 0);
                if (got > 0) {
                    ApplyGain(encoder_->sample_fmt, out->extended_data, encoder_->ch_layout.nb_channels, got, gain_);
                    av_audio_fifo_write(fifo_, reinterpret_cast<void**>(out->extended_data), got);
                }
            }
        }
    }
    return EncodeFromFifo(true);
}

} // namespace harlow::brannet
