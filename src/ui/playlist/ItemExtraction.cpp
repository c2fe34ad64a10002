#include "ui/playlist/ItemExtraction.h"

namespace zevrin {

bool NeedsExtraction(const CPlaylistItem& item) {
    bool infoDone = item.flags & EntryFlag::InfoLoaded;
    bool artworkDone =
        (item.flags & EntryFlag::ArtworkResolved) && (item.HasWork(ItemWork::ImageLoaded) || item.kind != kKindUnknown);
    return !(infoDone && artworkDone);
}

void CopyForWork(const CPlaylistItem& from, CPlaylistItem& to) {
    to.CopyFrom(from);
    to.info = from.info;
    to.kind = from.kind;
    to.work.store(from.work.load());
}

void ApplyResults(CPlaylistItem& from, CPlaylistItem& to) {
    to.flags = from.flags;
    to.duration = from.duration;
    to.title = std::move(from.title);
    to.artwork = std::move(from.artwork);
    to.info = std::move(from.info);
    to.kind = from.kind;
    to.thumbnail = std::move(from.thumbnail);
    to.durationText = std::move(from.durationText);
    to.work.store(from.work.load());
}

} // namespace zevrin
