#include "PacketQueue.h"

namespace harlow::vistrel {

namespace {
std::size_t SizeOf(const QueuedPacket& item) {
    return item.packet ? static_cast<std::size_t>(item.packet->size) + sizeof(AVPacket) : sizeof(AVPacket);
}
// A queue never holds fewer than this many packets, whatever their size, so one huge packet
// can't stall the reader forever.
constexpr std::size_t kMinPackets = 8;
} // namespace

bool PacketQueue::Push(QueuedPacket item) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return aborted_ || bytes_ < maxBytes_ || items_.size() < kMinPackets; });
    if (aborted_) return false;
    bytes_ += SizeOf(item);
    items_.push_back(std::move(item));
    changed_.notify_all();
    return true;
}

bool PacketQueue::Pop(QueuedPacket& item, std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, wait, [&] { return aborted_ || !items_.empty(); }) || aborted_) return false;
    item = std::move(items_.front());
    items_.pop_front();
    bytes_ -= SizeOf(item);
    changed_.notify_all();
    return true;
}

void PacketQueue::Flush(int serial) {
    std::lock_guard lock(mutex_);
    items_.clear();
    bytes_ = 0;
    QueuedPacket marker;
    marker.kind = QueuedPacket::Kind::Flush;
    marker.serial = serial;
    bytes_ += SizeOf(marker);
    items_.push_back(std::move(marker));
    changed_.notify_all();
}

void PacketQueue::Abort() {
    std::lock_guard lock(mutex_);
    aborted_ = true;
    changed_.notify_all();
}

bool PacketQueue::Full() const {
    std::lock_guard lock(mutex_);
    return bytes_ >= maxBytes_ && items_.size() >= kMinPackets;
}

} // namespace harlow::vistrel
