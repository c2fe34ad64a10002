#include "StreamEncoder.h"

#include "CodecOpening.h"

#include <array>

namespace harlow::brannet {

namespace {
constexpr AVRational kMicroseconds{1, AV_TIME_BASE};
}

bool StreamEncoder::Decode(const AVPacket* packet) {
    if (done_) return true;
    const int sent = avcodec_send_packet(decoder_.get(), packet);
    if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_EOF)
        return true; // a damaged packet costs its own frames only
    FramePtr frame = NewFrame();
    while (!done_ && avcodec_receive_frame(decoder_.get(), frame.get()) >= 0) {
        std::int64_t t = positionUs_;
        if (frame->best_effort_timestamp != AV_NOPTS_VALUE) {
            const std::int64_t origin = input_->start_time == AV_NOPTS_VALUE ? 0 : input_->start_time;
            t = av_rescale_q(frame->best_effort_timestamp - origin, input_->time_base, kMicroseconds) +
                timeline_.inputOffsetUs - timeline_.startUs;
        }
        const bool ok = Consume(frame.get(), t);
        av_frame_unref(frame.get());
        if (!ok) return false;
    }
    return true;
}

bool StreamEncoder::Finish() {
    if (!done_) Decode(nullptr);
    if (!Drain()) return false;
    return SendToEncoder(nullptr);
}

bool StreamEncoder::SendToEncoder(const AVFrame* frame) {
    const int sent = avcodec_send_frame(encoder_.get(), frame);
    if (sent < 0 && sent != AVERROR_EOF) return false;
    PacketPtr packet = NewPacket();
    for (;;) {
        const int rc = avcodec_receive_packet(encoder_.get(), packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
        if (rc < 0) return false;
        if (!muxer_->Write(packet.get(), encoder_.get(), output_)) return false;
    }
}

bool StreamEncoder::OpenEncoder(const AVCodec* codec, std::map<std::string, std::string> privateOptions, Muxer& muxer,
                                std::string& error) {
    muxer_ = &muxer;
    encoder_->thread_count = threads_;
    if (muxer.Context()->oformat->flags & AVFMT_GLOBALHEADER) encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const EncoderOpening opening = harlow::OpenEncoder(encoder_.get(), codec, privateOptions);
    if (!opening.opened) {
        error = std::string("the ") + codec->name + " encoder does not accept these settings";
        return false;
    }
    // A preset entry the encoder did not take is an option this run can't honour.
    if (!opening.unusedOption.empty()) {
        error = std::string("the ") + codec->name + " encoder has no option " + opening.unusedOption;
        return false;
    }
    output_ = muxer.AddStream(encoder_.get());
    if (!output_) {
        error = "the output can't take this stream";
        return false;
    }
    return true;
}

const AVCodec* DefaultEncoder(const AVOutputFormat* muxer, AVMediaType type) {
    const AVCodecID preferred = type == AVMEDIA_TYPE_VIDEO ? muxer->video_codec : muxer->audio_codec;
    if (preferred != AV_CODEC_ID_NONE)
        if (const AVCodec* codec = avcodec_find_encoder(preferred)) return codec;
    static constexpr std::array kVideo{
        AV_CODEC_ID_MPEG4, AV_CODEC_ID_H263,       AV_CODEC_ID_MJPEG,      AV_CODEC_ID_FLV1, AV_CODEC_ID_MSMPEG4V2,
        AV_CODEC_ID_WMV2,  AV_CODEC_ID_MPEG2VIDEO, AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_PNG,  AV_CODEC_ID_RAWVIDEO};
    static constexpr std::array kAudio{AV_CODEC_ID_AAC,   AV_CODEC_ID_MP2,       AV_CODEC_ID_AC3,
                                       AV_CODEC_ID_WMAV2, AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_PCM_U8};
    if (preferred == AV_CODEC_ID_NONE) return nullptr; // the container takes no stream of this kind
    const auto pick = [&](const auto& list) -> const AVCodec* {
        for (AVCodecID id : list)
            if (avformat_query_codec(muxer, id, FF_COMPLIANCE_NORMAL) == 1)
                if (const AVCodec* codec = avcodec_find_encoder(id)) return codec;
        return nullptr;
    };
    return type == AVMEDIA_TYPE_VIDEO ? pick(kVideo) : pick(kAudio);
}

} // namespace harlow::brannet
