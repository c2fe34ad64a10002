#include "Demuxer.h"

#include <chrono>

namespace harlow::vistrel {

namespace {
constexpr auto kIdle = std::chrono::milliseconds(10);
constexpr auto kReadBudget = std::chrono::seconds(20); // one stalled read ends the media
} // namespace

void Demuxer::Route(int videoStream, PacketQueue* video, int audioStream, PacketQueue* audio) {
    videoStream_ = video ? videoStream : -1;
    audioStream_ = audio ? audioStream : -1;
    video_ = video;
    audio_ = audio;
    for (unsigned i = 0; i < input_->nb_streams; ++i)
        if (static_cast<int>(i) != videoStream_ && static_cast<int>(i) != audioStream_)
            input_->streams[i]->discard = AVDISCARD_ALL;
}

void Demuxer::RequestSeek(std::int64_t targetUs) {
    std::lock_guard lock(seekMutex_);
    seekRequest_ = targetUs;
}

void Demuxer::Start() {
    thread_ = std::thread([this] { Run(); });
}

void Demuxer::Join() {
    if (thread_.joinable()) thread_.join();
}

void Demuxer::Seek(std::int64_t targetUs) {
    const std::int64_t ts = targetUs + originUs_;
    interrupter_.Arm(std::chrono::seconds(10));
    // To the key frame at or before the target; the decoders skip up to the target itself.
    if (avformat_seek_file(input_, -1, INT64_MIN, ts, ts, 0) < 0)
        avformat_seek_file(input_, -1, INT64_MIN, ts, INT64_MAX, 0);
    interrupter_.Disarm();
    const int serial = shared_.serial + 1;
    shared_.seekTargetUs = targetUs;
    shared_.clock.Set(targetUs);
    shared_.serial = serial;
    if (video_) video_->Flush(serial);
    if (audio_) audio_->Flush(serial);
    ended_ = false;
}

void Demuxer::Deliver(PacketQueue* queue, QueuedPacket item) {
    // Wait for room, but stay ready for a seek or a stop.
    while (!shared_.stop && queue->Full()) {
        {
            std::lock_guard lock(seekMutex_);
            if (seekRequest_) return; // the packet belongs to where we are leaving
        }
        std::this_thread::sleep_for(kIdle);
    }
    queue->Push(std::move(item));
}

void Demuxer::Run() {
    PacketPtr packet = NewPacket();
    while (!shared_.stop) {
        std::optional<std::int64_t> seek;
        {
            std::lock_guard lock(seekMutex_);
            seek.swap(seekRequest_);
        }
        if (seek) {
            Seek(*seek);
            continue;
        }
        if (ended_) {
            std::this_thread::sleep_for(kIdle); // the media may still be sought back into
            continue;
        }
        interrupter_.Arm(kReadBudget);
        const int rc = av_read_frame(input_, packet.get());
        interrupter_.Disarm();
        if (rc == AVERROR(EAGAIN)) {
            std::this_thread::sleep_for(kIdle);
            continue;
        }
        if (rc < 0) {
            // The end, or an error we can't read past: both end the media.
            ended_ = true;
            const int serial = shared_.serial;
            for (PacketQueue* q : {video_, audio_})
                if (q) Deliver(q, QueuedPacket{QueuedPacket::Kind::End, nullptr, serial});
            continue;
        }
        PacketQueue* target = packet->stream_index == videoStream_   ? video_
                              : packet->stream_index == audioStream_ ? audio_
                                                                     : nullptr;
        if (target) {
            QueuedPacket item{QueuedPacket::Kind::Data, PacketPtr(av_packet_clone(packet.get())), shared_.serial};
            Deliver(target, std::move(item));
        }
        av_packet_unref(packet.get());
    }
}

} // namespace harlow::vistrel
