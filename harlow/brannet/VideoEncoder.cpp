#include "StreamEncoder.h"

#include "CodecOpening.h"
#include "MediaInput.h"

namespace harlow::brannet {

namespace {

constexpr AVRational kMicroseconds{1, AV_TIME_BASE};

AVPixelFormat ChoosePixelFormat(const AVCodec* codec, AVPixelFormat source) {
    if (!codec->pix_fmts) return source;
    for (const AVPixelFormat* f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
        if (*f == AV_PIX_FMT_YUV420P) return *f;
    for (const AVPixelFormat* f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
        if (*f == source) return *f;
    return codec->pix_fmts[0];
}

} // namespace

bool VideoEncoder::Open(AVStream* input, const EncodeOptions& o, Muxer& muxer, std::string& error) {
    input_ = input;
    threads_ = o.threads;
    decoder_ = OpenDecoder(input, o.threads);
    if (!decoder_) {
        error = "no decoder for the video";
        return false;
    }
    const AVCodec* codec = o.videoCodec.empty() ? DefaultEncoder(muxer.Context()->oformat, AVMEDIA_TYPE_VIDEO)
                                                : avcodec_find_encoder_by_name(o.videoCodec.c_str());
    if (!codec || codec->type != AVMEDIA_TYPE_VIDEO) {
        error = "no video encoder " + (o.videoCodec.empty() ? std::string("for this format") : o.videoCodec);
        return false;
    }
    cropLeft_ = o.cropLeft, cropTop_ = o.cropTop, cropRight_ = o.cropRight, cropBottom_ = o.cropBottom;
    const int sourceW = decoder_->width - cropLeft_ - cropRight_;
    const int sourceH = decoder_->height - cropTop_ - cropBottom_;
    if (sourceW < 2 || sourceH < 2) {
        error = "the crop leaves no picture";
        return false;
    }
    encoder_.reset(avcodec_alloc_context3(codec));
    AVCodecContext* e = encoder_.get();
    e->width = (o.width > 0 ? o.width : sourceW) & ~1;
    e->height = (o.height > 0 ? o.height : sourceH) & ~1;
    e->pix_fmt = ChoosePixelFormat(codec, decoder_->pix_fmt);
    AVRational rate = o.frameRateNum > 0 ? AVRational{o.frameRateNum, o.frameRateDen} : UsableFrameRate(input);
    if (rate.num <= 0) rate = {25, 1};
    av_reduce(&rate.num, &rate.den, rate.num, rate.den, 65535); // MPEG-4 allows 16-bit time bases
    e->framerate = rate;
    e->time_base = av_inv_q(rate);
    if (o.videoBitRate > 0) e->bit_rate = o.videoBitRate;
    if (o.bufferSize > 0) {
        // The rate control wants a peak rate with its buffer; allow twice the average.
        e->rc_buffer_size = o.bufferSize;
        e->rc_max_rate = 2 * (e->bit_rate > 0 ? e->bit_rate : 200000);
    }
    if (o.sameQuality) {
        e->flags |= AV_CODEC_FLAG_QSCALE;
        e->global_quality = FF_QP2LAMBDA * 2;
    }
    // Keep the display shape: the requested aspect, else the source's.
    AVRational display{o.aspectNum, o.aspectDen};
    if (display.num <= 0 || display.den <= 0) {
        AVRational sar = input->codecpar->sample_aspect_ratio;
        if (sar.num <= 0 || sar.den <= 0) sar = {1, 1};
        display = av_mul_q(AVRational{sourceW, sourceH}, sar);
    }
    e->sample_aspect_ratio = av_mul_q(display, AVRational{e->height, e->width});
    av_reduce(&e->sample_aspect_ratio.num, &e->sample_aspect_ratio.den, e->sample_aspect_ratio.num,
              e->sample_aspect_ratio.den, 255);
    frameLimit_ = o.frameCount;
    return OpenEncoder(codec, o.videoPreset, muxer, error);
}

FramePtr VideoEncoder::Convert(AVFrame* frame) {
    frame->crop_left = cropLeft_;
    frame->crop_top = cropTop_;
    frame->crop_right = cropRight_;
    frame->crop_bottom = cropBottom_;
    if (av_frame_apply_cropping(frame, AV_FRAME_CROP_UNALIGNED) < 0) return nullptr;
    AVCodecContext* e = encoder_.get();
    scaler_.reset(sws_getCachedContext(scaler_.release(), frame->width, frame->height,
                                       static_cast<AVPixelFormat>(frame->format), e->width, e->height, e->pix_fmt,
                                       SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler_) return nullptr;
    FramePtr out = NewFrame();
    out->width = e->width;
    out->height = e->height;
    out->format = e->pix_fmt;
    out->sample_aspect_ratio = e->sample_aspect_ratio;
    if (av_frame_get_buffer(out.get(), 0) < 0) return nullptr;
    sws_scale(scaler_.get(), frame->data, frame->linesize, 0, frame->height, out->data, out->linesize);
    return out;
}

bool VideoEncoder::Consume(AVFrame* frame, std::int64_t t) {
    if (t < 0) return true; // before -ss: decoded only to reach it
    if (timeline_.durationUs > 0 && t >= timeline_.durationUs) {
        done_ = true;
        return true;
    }
    // A lower output rate drops the frames that fall into an already filled slot.
    const std::int64_t pts = av_rescale_q_rnd(t, kMicroseconds, encoder_->time_base,
                                              static_cast<AVRounding>(AV_ROUND_NEAR_INF | AV_ROUND_PASS_MINMAX));
    if (lastPts_ != AV_NOPTS_VALUE && pts <= lastPts_) return true;
    FramePtr picture = Convert(frame);
    if (!picture) return true;
    lastPts_ = pts;
    picture->pts = pts;
    if (encoder_->flags & AV_CODEC_FLAG_QSCALE) picture->quality = encoder_->global_quality;
    positionUs_ = t;
    ++frames_;
    if (frameLimit_ > 0 && frames_ >= frameLimit_) done_ = true;
    return SendToEncoder(picture.get());
}

} // namespace harlow::brannet
