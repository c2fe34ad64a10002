#include "Muxer.h"

#include "Text.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace harlow::brannet {

bool Muxer::Create(const std::string& format, const std::wstring& finalPath, const std::wstring& tempPath) {
    const std::string finalName = ToUtf8(finalPath);
    const AVOutputFormat* muxer = av_guess_format(format.empty() ? nullptr : format.c_str(),
                                                  format.empty() ? finalName.c_str() : nullptr, nullptr);
    if (!muxer) return false;
    AVFormatContext* raw = nullptr;
    tempUrl_ = ToUtf8(tempPath);
    if (avformat_alloc_output_context2(&raw, muxer, nullptr, tempUrl_.c_str()) < 0 || !raw) return false;
    context_.reset(raw);
    return true;
}

AVStream* Muxer::AddStream(const AVCodecContext* encoder) {
    AVStream* stream = avformat_new_stream(context_.get(), nullptr);
    if (!stream || avcodec_parameters_from_context(stream->codecpar, encoder) < 0) return nullptr;
    stream->time_base = encoder->time_base;
    stream->avg_frame_rate = encoder->framerate;
    stream->sample_aspect_ratio = encoder->sample_aspect_ratio;
    return stream;
}

bool Muxer::Start(const std::map<std::string, std::string>& metadata, std::int64_t sizeLimit) {
    AVFormatContext* c = context_.get();
    sizeLimit_ = sizeLimit;
    for (const auto& [key, value] : metadata) av_dict_set(&c->metadata, key.c_str(), value.c_str(), 0);
    AVDictionary* options = nullptr;
    if (c->oformat->flags & AVFMT_NOFILE) {
        // Picture sequences name their files themselves; one picture keeps the name as given.
        av_dict_set(&options, "update", "1", 0);
    } else if (avio_open2(&c->pb, tempUrl_.c_str(), AVIO_FLAG_WRITE, nullptr, nullptr) < 0) {
        return false;
    }
    const int rc = avformat_write_header(c, &options);
    av_dict_free(&options);
    return rc >= 0;
}

std::int64_t Muxer::BytesWritten() const { return context_ && context_->pb ? avio_tell(context_->pb) : 0; }

bool Muxer::Write(AVPacket* packet, const AVCodecContext* encoder, AVStream* stream) {
    if (limitReached_) {
        av_packet_unref(packet);
        return true;
    }
    if (sizeLimit_ > 0 && BytesWritten() + packet->size > sizeLimit_) {
        // -fs: the file ends here, as a complete file of at most the given size.
        limitReached_ = true;
        av_packet_unref(packet);
        return true;
    }
    av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
    packet->stream_index = stream->index;
    return av_interleaved_write_frame(context_.get(), packet) >= 0;
}

bool Muxer::Finish() {
    const bool ok = av_write_trailer(context_.get()) >= 0;
    if (context_->pb && !(context_->oformat->flags & AVFMT_NOFILE)) avio_closep(&context_->pb);
    return ok;
}

} // namespace harlow::brannet
