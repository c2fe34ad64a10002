#include "StreamTiming.h"

#include <chrono>
#include <cstring>

namespace harlow::quorrin {

namespace {

constexpr auto kReadBudget = std::chrono::seconds(4);
constexpr std::int64_t kReadByteBudget = std::int64_t(512) << 20;

std::int64_t ToMicroseconds(std::int64_t ticks, AVRational base)
{
    return av_rescale_q(ticks, base, AVRational{1, AV_TIME_BASE});
}

} // namespace

bool KeepsCompleteIndex(const AVFormatContext* input)
{
    // The MOV family demuxer builds its index from the sample tables before any packet is read;
    // fragmented files keep theirs in fragments and are left to the header.
    return std::strncmp(input->iformat->name, "mov,", 4) == 0;
}

std::vector<MeasuredStream> MeasureFromIndex(AVFormatContext* input, std::int64_t fileSize)
{
    std::vector<MeasuredStream> out(input->nb_streams);
    bool any = false;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        AVStream* st = input->streams[i];
        const int count = avformat_index_get_entries_count(st);
        if (count <= 0)
            continue;
        std::int64_t first = AV_NOPTS_VALUE, last = AV_NOPTS_VALUE, previous = AV_NOPTS_VALUE, step = 0;
        MeasuredStream m;
        for (int k = 0; k < count; ++k) {
            const AVIndexEntry* e = avformat_index_get_entry(st, k);
            // A truncated file keeps the index of what was never written: stop at missing data.
            if (fileSize > 0 && e->pos + e->size > fileSize)
                break;
            if (first == AV_NOPTS_VALUE)
                first = e->timestamp;
            if (previous != AV_NOPTS_VALUE && e->timestamp > previous)
                step = e->timestamp - previous;
            previous = last = e->timestamp;
            m.frames++;
            m.bytes += e->size;
        }
        if (m.frames == 0)
            continue;
        // The last sample lasts as long as the one before it.
        m.durationUs = ToMicroseconds(last - first + step, st->time_base);
        out[i] = m;
        any = true;
    }
    if (!any)
        out.clear();
    return out;
}

std::vector<MeasuredStream> MeasureByReading(AVFormatContext* input)
{
    std::vector<MeasuredStream> out(input->nb_streams);
    std::vector<std::int64_t> first(input->nb_streams, AV_NOPTS_VALUE), end(input->nb_streams, AV_NOPTS_VALUE);
    if (av_seek_frame(input, -1, 0, AVSEEK_FLAG_BACKWARD) < 0 && avio_seek(input->pb, 0, SEEK_SET) < 0)
        return {};
    const auto deadline = std::chrono::steady_clock::now() + kReadBudget;
    PacketPtr packet = NewPacket();
    std::int64_t bytes = 0;
    while (av_read_frame(input, packet.get()) >= 0) {
        const unsigned s = static_cast<unsigned>(packet->stream_index);
        if (s < out.size()) {
            std::int64_t t = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (t != AV_NOPTS_VALUE) {
                if (first[s] == AV_NOPTS_VALUE || t < first[s])
                    first[s] = t;
                const std::int64_t stop = t + packet->duration;
                if (end[s] == AV_NOPTS_VALUE || stop > end[s])
                    end[s] = stop;
            }
            out[s].frames++;
            out[s].bytes += packet->size;
        }
        bytes += packet->size;
        av_packet_unref(packet.get());
        if (bytes > kReadByteBudget || std::chrono::steady_clock::now() > deadline)
            return {};
    }
    for (unsigned s = 0; s < out.size(); ++s)
        if (first[s] != AV_NOPTS_VALUE && end[s] != AV_NOPTS_VALUE)
            out[s].durationUs = ToMicroseconds(end[s] - first[s], input->streams[s]->time_base);
    return out;
}

} // namespace harlow::quorrin
