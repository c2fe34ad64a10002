#include "StreamTiming.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace harlow::quorrin {

namespace {

constexpr auto kReadBudget = std::chrono::seconds(4);
constexpr std::int64_t kReadByteBudget = std::int64_t(512) << 20;
constexpr auto kTailBudget = std::chrono::seconds(2);

std::int64_t ToMicroseconds(std::int64_t ticks, AVRational base) {
    return av_rescale_q(ticks, base, AVRational{1, AV_TIME_BASE});
}

// The span of one stream's packets as they are read: first start, last end. A packet without a
// duration lasts as long as the step before it.
class PacketSpan {
public:
    void Add(const AVPacket& packet) {
        const std::int64_t t = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
        if (t == AV_NOPTS_VALUE) return;
        if (previous_ != AV_NOPTS_VALUE && t > previous_) step_ = t - previous_;
        previous_ = t;
        if (first_ == AV_NOPTS_VALUE || t < first_) first_ = t;
        const std::int64_t stop = t + (packet.duration > 0 ? packet.duration : step_);
        if (end_ == AV_NOPTS_VALUE || stop > end_) end_ = stop;
    }
    bool Known() const { return first_ != AV_NOPTS_VALUE && end_ != AV_NOPTS_VALUE; }
    std::int64_t First() const { return first_; }
    std::int64_t End() const { return end_; }

private:
    std::int64_t first_ = AV_NOPTS_VALUE, end_ = AV_NOPTS_VALUE, previous_ = AV_NOPTS_VALUE, step_ = 0;
};

// Reads packets from where the input stands to the end of the file, within the budgets; false
// when a budget ran out first.
bool ReadSpans(AVFormatContext* input, std::vector<PacketSpan>& spans, std::vector<MeasuredStream>* counts,
               std::chrono::steady_clock::duration timeBudget, std::int64_t byteBudget) {
    const auto deadline = std::chrono::steady_clock::now() + timeBudget;
    PacketPtr packet = NewPacket();
    std::int64_t bytes = 0;
    while (av_read_frame(input, packet.get()) >= 0) {
        const unsigned s = static_cast<unsigned>(packet->stream_index);
        if (s < spans.size()) {
            spans[s].Add(*packet);
            if (counts) {
                (*counts)[s].frames++;
                (*counts)[s].bytes += packet->size;
            }
        }
        bytes += packet->size;
        av_packet_unref(packet.get());
        if (bytes > byteBudget || std::chrono::steady_clock::now() > deadline) return false;
    }
    return true;
}

} // namespace

bool RewindToStart(AVFormatContext* input) { return av_seek_frame(input, -1, 0, AVSEEK_FLAG_BACKWARD) >= 0; }

bool KeepsCompleteIndex(const AVFormatContext* input) {
    // The MOV family demuxer builds its index from the sample tables before any packet is read;
    // fragmented files keep theirs in fragments and are left to the header.
    return std::strncmp(input->iformat->name, "mov,", 4) == 0;
}

std::int64_t FindFlvTagStart(const std::uint8_t* data, std::int64_t size) {
    // A tag: type (8 audio, 9 video, 18 script), 24-bit data size, 32-bit time, 24-bit stream id
    // (always 0), the data, then the tag's own size again. Two tags in a row that agree on all
    // that are not there by chance.
    const auto tagAt = [&](std::int64_t p, std::int64_t& next) {
        if (p + 15 > size || (data[p] != 8 && data[p] != 9 && data[p] != 18) || data[p + 8] || data[p + 9] ||
            data[p + 10])
            return false;
        const std::int64_t length = (std::int64_t(data[p + 1]) << 16) | (data[p + 2] << 8) | data[p + 3];
        const std::int64_t trailer = p + 11 + length;
        if (trailer + 4 > size) return false;
        const std::int64_t stored = (std::int64_t(data[trailer]) << 24) | (data[trailer + 1] << 16) |
                                    (data[trailer + 2] << 8) | data[trailer + 3];
        next = trailer + 4;
        return stored == length + 11;
    };
    for (std::int64_t p = 0; p + 15 <= size; ++p) {
        std::int64_t next = 0, after = 0;
        if (tagAt(p, next) && tagAt(next, after)) return p;
    }
    return -1;
}

std::vector<MeasuredStream> MeasureFromIndex(AVFormatContext* input, std::int64_t fileSize) {
    std::vector<MeasuredStream> out(input->nb_streams);
    bool any = false;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        AVStream* st = input->streams[i];
        const int count = avformat_index_get_entries_count(st);
        if (count <= 0) continue;
        // The index holds each sample's time; a sample lasts until the next one starts, the last
        // one until the track ends (its start and length after the edit list). Samples before the
        // track's start (encoder priming the edit list cuts away) are not played.
        const std::int64_t trackStart = st->start_time != AV_NOPTS_VALUE ? st->start_time : AV_NOPTS_VALUE;
        const std::int64_t trackEnd =
            trackStart != AV_NOPTS_VALUE && st->duration > 0 ? trackStart + st->duration : AV_NOPTS_VALUE;
        std::int64_t first = AV_NOPTS_VALUE, end = AV_NOPTS_VALUE, step = 0;
        MeasuredStream m;
        for (int k = 0; k < count; ++k) {
            const AVIndexEntry* e = avformat_index_get_entry(st, k);
            // A truncated file keeps the index of what was never written: stop at missing data.
            if (fileSize > 0 && e->pos + e->size > fileSize) break;
            const AVIndexEntry* next = k + 1 < count ? avformat_index_get_entry(st, k + 1) : nullptr;
            std::int64_t stop;
            if (next && next->timestamp > e->timestamp)
                stop = next->timestamp;
            else if (!next && trackEnd != AV_NOPTS_VALUE && trackEnd > e->timestamp)
                stop = trackEnd;
            else
                stop = e->timestamp + step; // the table says nothing better
            step = stop - e->timestamp;
            if (first == AV_NOPTS_VALUE) first = e->timestamp;
            end = std::max(end == AV_NOPTS_VALUE ? stop : end, stop);
            m.frames++;
            m.bytes += e->size;
        }
        if (m.frames == 0) continue;
        if (trackStart != AV_NOPTS_VALUE && trackStart > first && trackStart < end) first = trackStart;
        m.startUs = ToMicroseconds(first, st->time_base);
        m.durationUs = ToMicroseconds(end - first, st->time_base);
        out[i] = m;
        any = true;
    }
    if (!any) out.clear();
    return out;
}

std::vector<MeasuredStream> MeasureRawAmr(AVFormatContext* input) {
    // Storage format (RFC 4867, section 5): a magic line, then frames of one header byte whose
    // mode gives the frame's size; every frame, "no data" ones too, lasts 20 ms.
    static constexpr std::uint8_t kNarrowSizes[16] = {13, 14, 16, 18, 20, 21, 27, 32, 6, 1, 1, 1, 1, 1, 1, 1};
    static constexpr std::uint8_t kWideSizes[16] = {18, 24, 33, 37, 41, 47, 51, 59, 61, 6, 1, 1, 1, 1, 1, 1};
    static constexpr char kNarrowMagic[] = "#!AMR\n";
    static constexpr char kWideMagic[] = "#!AMR-WB\n";
    if (std::strcmp(input->iformat->name, "amr") != 0 || input->nb_streams != 1 || !input->pb) return {};
    const bool wide = input->streams[0]->codecpar->codec_id == AV_CODEC_ID_AMR_WB;
    const char* magic = wide ? kWideMagic : kNarrowMagic;
    const std::uint8_t* sizes = wide ? kWideSizes : kNarrowSizes;
    const int magicSize = static_cast<int>(std::strlen(magic));
    char head[16] = {};
    if (avio_seek(input->pb, 0, SEEK_SET) < 0 ||
        avio_read(input->pb, reinterpret_cast<unsigned char*>(head), magicSize) != magicSize ||
        std::memcmp(head, magic, magicSize) != 0) {
        av_seek_frame(input, -1, 0, AVSEEK_FLAG_BYTE);
        return {}; // the multi-channel variant: left to reading packets
    }
    const std::int64_t fileSize = avio_size(input->pb);
    MeasuredStream m;
    m.startUs = 0;
    for (std::int64_t at = magicSize; at < fileSize && m.bytes <= kReadByteBudget;) {
        const int size = sizes[(avio_r8(input->pb) >> 3) & 0x0F];
        if (at + size > fileSize || avio_skip(input->pb, size - 1) < 0)
            break; // a frame cut short at the end does not play
        at += size;
        m.frames++;
        m.bytes += size;
    }
    av_seek_frame(input, -1, magicSize, AVSEEK_FLAG_BYTE);
    if (m.bytes > kReadByteBudget || m.frames == 0) return {};
    m.durationUs = m.frames * 20000;
    return {m};
}

std::vector<MeasuredStream> MeasureByReading(AVFormatContext* input) {
    std::vector<MeasuredStream> out(input->nb_streams);
    std::vector<PacketSpan> spans(input->nb_streams);
    // Right after opening, reading starts with the packets the stream analysis buffered.
    if (!ReadSpans(input, spans, &out, kReadBudget, kReadByteBudget)) return {};
    for (unsigned s = 0; s < out.size(); ++s) {
        if (!spans[s].Known()) continue;
        const AVRational base = input->streams[s]->time_base;
        out[s].startUs = ToMicroseconds(spans[s].First(), base);
        out[s].durationUs = ToMicroseconds(spans[s].End() - spans[s].First(), base);
    }
    return out;
}

std::vector<MeasuredStream> MeasureTail(AVFormatContext* input, std::int64_t fileSize, std::int64_t tailBytes) {
    if (fileSize <= 0 || !input->pb || std::strcmp(input->iformat->name, "flv") != 0) return {};
    // Enter the file at the first whole tag of its tail: the demuxer can't find one by itself.
    const std::int64_t from = std::max<std::int64_t>(0, fileSize - tailBytes);
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(fileSize - from));
    if (avio_seek(input->pb, from, SEEK_SET) < 0 ||
        avio_read(input->pb, tail.data(), static_cast<int>(tail.size())) != static_cast<int>(tail.size()))
        return {};
    const std::int64_t tag = FindFlvTagStart(tail.data(), static_cast<std::int64_t>(tail.size()));
    if (tag < 0 || av_seek_frame(input, -1, from + tag, AVSEEK_FLAG_BYTE) < 0) return {};
    std::vector<PacketSpan> spans(input->nb_streams);
    if (!ReadSpans(input, spans, nullptr, kTailBudget, 2 * tailBytes)) return {};
    // Only the end is known; the stream starts where its header says.
    std::vector<MeasuredStream> out(input->nb_streams);
    bool any = false;
    for (unsigned s = 0; s < out.size(); ++s) {
        const AVStream* st = input->streams[s];
        if (!spans[s].Known()) continue;
        const std::int64_t start = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
        if (spans[s].End() <= start) continue;
        out[s].durationUs = ToMicroseconds(spans[s].End() - start, st->time_base);
        any = true;
    }
    if (!any) out.clear();
    return out;
}

} // namespace harlow::quorrin
