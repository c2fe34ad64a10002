#pragma once
// One playlist entry as playlist files keep it: what the item is, where, how long, its title
// and its artwork.
#include <cstdint>
#include <string>

namespace zevrin {

namespace EntryFlag {
inline constexpr uint32_t HasVideo = 1u << 0;
inline constexpr uint32_t HasAudio = 1u << 1;
inline constexpr uint32_t MediaInfoFlags = 0xFFFFu;      // bits 0-15 come from the media information
inline constexpr uint32_t ArtworkBesideMedia = 1u << 16; // `artwork` is a full path next to the media
inline constexpr uint32_t ArtworkSet = 1u << 17;
inline constexpr uint32_t InfoLoaded = 1u << 24;
inline constexpr uint32_t ArtworkResolved = 1u << 25;
} // namespace EntryFlag

struct CPlaylistEntry {
    uint32_t flags = 0;
    std::wstring path;    // full path or URL of the media
    int64_t duration = 0; // microseconds, 0 until known
    std::wstring title;
    std::wstring artwork; // full path when ArtworkBesideMedia is set, else a name in the temporary folder
};

} // namespace zevrin
