#include "MediaReport.h"

#include "CodecTable.h"
#include "MediaInput.h"
#include "StreamTiming.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

extern "C" {
#include <libavutil/dict.h>
}

namespace harlow::quorrin {

namespace {

constexpr AVRational kMicroseconds{1, AV_TIME_BASE};

std::int64_t ToMicroseconds(std::int64_t ticks, AVRational base) {
    return ticks == AV_NOPTS_VALUE ? 0 : av_rescale_q(ticks, base, kMicroseconds);
}

StreamType TypeOf(AVMediaType t) {
    switch (t) {
    case AVMEDIA_TYPE_VIDEO:
        return StreamType::Video;
    case AVMEDIA_TYPE_AUDIO:
        return StreamType::Audio;
    case AVMEDIA_TYPE_SUBTITLE:
        return StreamType::Subtitle;
    case AVMEDIA_TYPE_DATA:
        return StreamType::Data;
    case AVMEDIA_TYPE_ATTACHMENT:
        return StreamType::Attachment;
    default:
        return StreamType::Other;
    }
}

bool IsPictureDemuxer(const AVInputFormat* format) {
    const std::string_view name = format->name;
    return name.starts_with("image2") || name.ends_with("_pipe");
}

// MJPEG is one still picture only when it came from a picture file; in AVI or MOV it is a video.
CodecEntry Classify(const AVFormatContext* input, const AVStream* st) {
    if (st->codecpar->codec_id == AV_CODEC_ID_MJPEG && IsPictureDemuxer(input->iformat))
        return {AV_CODEC_ID_MJPEG, kCodecJpegPicture, "JPEG"};
    return LookUpCodec(st->codecpar->codec_id);
}

std::string Tag(const AVDictionary* dict, std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        if (const AVDictionaryEntry* e = av_dict_get(dict, key, nullptr, 0); e && e->value && *e->value)
            return e->value;
    return {};
}

// The container's short name, refined for the MOV family by the file's brand.
std::string FormatName(const AVFormatContext* input) {
    std::string name = input->iformat->name;
    if (name.starts_with("mov,")) {
        const std::string brand = Tag(input->metadata, {"major_brand"});
        if (brand.starts_with("3g2")) return "3g2";
        if (brand.starts_with("3gp") || brand.starts_with("3ge") || brand.starts_with("3gg")) return "3gp";
        if (brand.starts_with("qt")) return "mov";
        return brand.empty() ? "mov" : "mp4";
    }
    const std::size_t comma = name.find(',');
    return comma == std::string::npos ? name : name.substr(0, comma);
}

void DescribeVideo(const AVFormatContext* input, AVStream* st, StreamReport& s) {
    const AVCodecParameters* par = st->codecpar;
    s.width = par->width;
    s.height = par->height;
    AVRational sar = av_guess_sample_aspect_ratio(const_cast<AVFormatContext*>(input), st, nullptr);
    if (sar.num <= 0 || sar.den <= 0) sar = {1, 1};
    if (s.width > 0 && s.height > 0)
        av_reduce(&s.aspectNum, &s.aspectDen, std::int64_t(s.width) * sar.num, std::int64_t(s.height) * sar.den,
                  1 << 20);
    const AVRational rate = UsableFrameRate(st);
    s.frameRateNum = rate.num;
    s.frameRateDen = rate.den;
    if (st->disposition & AV_DISPOSITION_ATTACHED_PIC) s.flags |= kStreamAttachedPicture;
}

StreamReport DescribeStream(const AVFormatContext* input, AVStream* st) {
    const AVCodecParameters* par = st->codecpar;
    StreamReport s;
    s.type = TypeOf(par->codec_type);
    const CodecEntry codec = Classify(input, st);
    s.codec = codec.number;
    s.format = std::string(codec.name);
    s.startTime = ToMicroseconds(st->start_time, st->time_base);
    s.duration = st->duration > 0 ? ToMicroseconds(st->duration, st->time_base) : 0;
    s.frames = st->nb_frames;
    s.bitRate = par->bit_rate;
    if (st->disposition & AV_DISPOSITION_DEFAULT) s.flags |= kStreamDefault;
    s.language = Tag(st->metadata, {"language"});
    if (s.language == "und") s.language.clear();
    if (s.type == StreamType::Video) DescribeVideo(input, st, s);
    if (s.type == StreamType::Audio) {
        s.sampleRate = par->sample_rate;
        s.channels = par->ch_layout.nb_channels;
    }
    return s;
}

// How far measured values are taken over the header's.
enum class Trust {
    Measured,        // the measurement is the truth (a sample table, a header that only guessed)
    WhenHeaderLonger // the header may be right; it loses only when it claims more than the file holds
};

bool Disagree(std::int64_t header, std::int64_t measured) {
    return std::llabs(header - measured) > std::max<std::int64_t>(measured / 50, 100000);
}

// Takes measured values over the header's where the header is missing or, as `trust` says, wrong.
void ApplyMeasurements(MediaReport& report, const std::vector<MeasuredStream>& measured, Trust trust) {
    for (std::size_t i = 0; i < report.streams.size() && i < measured.size(); ++i) {
        StreamReport& s = report.streams[i];
        const MeasuredStream& m = measured[i];
        if (m.durationUs <= 0) continue;
        const bool disagrees = Disagree(s.duration, m.durationUs);
        const bool replace = s.duration <= 0 || trust == Trust::Measured || (disagrees && s.duration > m.durationUs);
        if (replace) {
            if (s.duration > 0 && disagrees) s.flags |= kStreamDurationCorrected;
            s.duration = m.durationUs;
        }
        if (m.startUs != AV_NOPTS_VALUE && (replace || trust == Trust::Measured)) s.startTime = m.startUs;
        if (m.frames > 0 && (trust == Trust::Measured || replace || s.frames <= 0)) s.frames = m.frames;
        if (s.bitRate <= 0 && m.bytes > 0)
            s.bitRate = av_rescale(m.bytes, 8 * std::int64_t(AV_TIME_BASE), m.durationUs);
        if (s.type == StreamType::Video && s.frameRateNum <= 0 && m.frames > 1)
            av_reduce(&s.frameRateNum, &s.frameRateDen, m.frames * std::int64_t(AV_TIME_BASE), m.durationUs, 1 << 20);
    }
}

// The media plays from the first packet of its audio and video streams to the end of the last.
std::int64_t ContentDuration(const MediaReport& report) {
    std::int64_t first = INT64_MAX, end = INT64_MIN;
    for (const StreamReport& s : report.streams)
        if ((s.type == StreamType::Video || s.type == StreamType::Audio) && !(s.flags & kStreamAttachedPicture) &&
            s.duration > 0) {
            first = std::min(first, s.startTime);
            end = std::max(end, s.startTime + s.duration);
        }
    return end > first ? end - first : 0;
}

// What the file holds, measured at a cost that is bounded whatever its size: a sample table is
// read as it is; a header that only guessed is checked by reading the packets (at most 4 s and
// 512 MB); any other header is checked by reading small files whole and large ones at their end.
// Returns how far the measurement may be trusted, or nothing when nothing was measured.
std::optional<Trust> Measure(AVFormatContext* input, MediaReport& report, bool guessed) {
    if (KeepsCompleteIndex(input)) {
        ApplyMeasurements(report, MeasureFromIndex(input, report.size), Trust::Measured);
        return Trust::Measured;
    }
    std::optional<Trust> trust;
    std::vector<MeasuredStream> measured;
    if (guessed) {
        measured = MeasureRawAmr(input);
        if (measured.empty()) measured = MeasureByReading(input);
        trust = Trust::Measured;
    } else {
        measured = report.size <= kWholeReadBytes ? MeasureByReading(input) : MeasureTail(input, report.size);
        if (!measured.empty()) trust = Trust::WhenHeaderLonger;
    }
    // Whoever reads the media next (the player) starts from its beginning.
    report.inputAtStart = RewindToStart(input);
    ApplyMeasurements(report, measured, trust.value_or(Trust::Measured));
    return trust;
}

void CorrectTimings(AVFormatContext* input, MediaReport& report, bool isUrl) {
    const bool guessed = input->duration <= 0 || input->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
    const std::optional<Trust> trust = isUrl ? std::nullopt : Measure(input, report, guessed);
    const std::int64_t content = ContentDuration(report);
    if (content > 0) {
        const bool disagrees = Disagree(report.duration, content);
        if (report.duration <= 0 || trust == Trust::Measured || (trust && disagrees && report.duration > content)) {
            if (report.duration > 0 && disagrees) report.flags |= kDurationCorrected;
            report.duration = content;
        }
    }
    // The container's bit rate is the whole file over its duration; recompute it once that changed.
    if (report.size > 0 && report.duration > 0 && (report.bitRate <= 0 || (report.flags & kDurationCorrected)))
        report.bitRate = av_rescale(report.size, 8 * std::int64_t(AV_TIME_BASE), report.duration);
}

MetaReport DescribeMeta(const AVFormatContext* input) {
    const AVDictionary* d = input->metadata;
    MetaReport m;
    m.title = Tag(d, {"title"});
    m.author = Tag(d, {"artist", "author", "album_artist", "composer", "performer"});
    m.copyright = Tag(d, {"copyright"});
    m.comment = Tag(d, {"comment", "description"});
    m.album = Tag(d, {"album"});
    m.genre = Tag(d, {"genre"});
    m.year = std::atoi(Tag(d, {"date", "year"}).c_str()); // "2008-05-01" reads as 2008
    m.track = std::atoi(Tag(d, {"track"}).c_str());       // "3/12" reads as 3
    if (m.year < 0 || m.year > 9999) m.year = 0;
    if (m.track < 0) m.track = 0;
    return m;
}

} // namespace

MediaReport DescribeMedia(AVFormatContext* input, std::int64_t size, bool isUrl) {
    MediaReport report;
    report.format = FormatName(input);
    report.size = size > 0 ? size : 0;
    report.startTime = input->start_time == AV_NOPTS_VALUE ? 0 : input->start_time;
    report.duration = input->duration > 0 ? input->duration : 0;
    report.bitRate = input->bit_rate;
    for (unsigned i = 0; i < input->nb_streams; ++i) report.streams.push_back(DescribeStream(input, input->streams[i]));
    report.meta = DescribeMeta(input);
    CorrectTimings(input, report, isUrl);
    for (const StreamReport& s : report.streams) {
        if (s.type == StreamType::Video) report.flags |= kHasVideo;
        if (s.type == StreamType::Audio) report.flags |= kHasAudio;
    }
    if (input->pb && (input->pb->seekable & AVIO_SEEKABLE_NORMAL)) report.flags |= kSeekable;
    if (isUrl) report.flags |= kNetwork;
    if (report.streams.size() == 1 && IsStillImageNumber(report.streams[0].codec)) report.flags |= kStillImage;
    return report;
}

bool HasPlayableStream(const MediaReport& report) {
    return std::any_of(report.streams.begin(), report.streams.end(), [](const StreamReport& s) {
        return (s.type == StreamType::Video || s.type == StreamType::Audio) && !s.format.empty() && s.format != "none";
    });
}

} // namespace harlow::quorrin
