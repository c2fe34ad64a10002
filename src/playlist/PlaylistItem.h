#pragma once
// One item of the playlist: the entry as playlist files keep it, plus what the program learns
// about it in the background (media information, title, duration text, thumbnail).
#include "image/ThumbnailImage.h"
#include "playlist/PlayMark.h"
#include "playlist/PlaylistEntry.h"
#include "tools/MediaInfo.h"
#include "services/ToolPaths.h"
#include "tools/ToolProcess.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace zevrin {

// Progress of the background work on an item.
namespace ItemWork {
inline constexpr uint16_t LoadingInfo = 0x0001;
inline constexpr uint16_t ResolvingArtwork = 0x0002;
inline constexpr uint16_t Probing = 0x0010; // stays set when the probe failed
inline constexpr uint16_t Extracting = 0x0020;
inline constexpr uint16_t LoadingImage = 0x0040;
inline constexpr uint16_t ProbeSucceeded = 0x0100;
inline constexpr uint16_t ExtractionTried = 0x0200;
inline constexpr uint16_t ImageLoaded = 0x0400;
} // namespace ItemWork

// What the playlist draws for an item.
enum ItemKind : int { kKindUnknown = -1, kKindAudio = 0, kKindVideo = 1, kKindVideoAudio = 2, kKindPicture = 10 };

class CPlaylistItem : public CPlaylistEntry {
public:
    CPlaylistItem() = default;
    explicit CPlaylistItem(const std::wstring& mediaPath) { path = mediaPath; }

    // Probes the media once with the probe tool of `tools`; 1 when the item has its
    // information (now or from before).
    int LoadInfo(const ToolPaths& tools, const ToolStopFlag* stop = nullptr);
    // Finds artwork beside the media or extracts a frame with the encode tool of `tools`, and
    // sets `kind`. Returns 1.
    int ResolveArtwork(const ToolPaths& tools, const ToolStopFlag* stop = nullptr);
    // Deletes a frame this item extracted into the temporary folder.
    void DeleteTempFiles();
    void CopyFrom(const CPlaylistEntry& entry);

    bool HasWork(uint16_t bits) const { return (work.load() & bits) != 0; }

    uint16_t playMark = 0; // a PlayMark: 0 not current, 1 playing, 2 paused
    std::atomic<uint16_t> work{0};
    CMediaInfo info;
    int kind = kKindUnknown;
    int iconIndex = -1;
    CThumbnailImage thumbnail;
    std::wstring durationText;

private:
    void SetWork(uint16_t bits) { work.fetch_or(bits); }
    void ClearWork(uint16_t bits) { work.fetch_and(static_cast<uint16_t>(~bits)); }
    int KindFromFlags() const;
    bool LoadArtworkImage(const std::wstring& file, bool fitToThumbnail);
    bool LoadArtworkBeside();
    bool ExtractFrame(const ToolPaths& tools, const ToolStopFlag* stop);
};

// The playing time of a playlist: the durations of the items whose information is loaded.
int64_t TotalDuration(const std::vector<const CPlaylistItem*>& items);

// The title a file gives when its media has none: the name without folder and extension.
std::wstring TitleFromPath(const std::wstring& path);
// A title made safe to name a file with: characters Windows refuses become "_".
std::wstring FileNameFromTitle(const std::wstring& title);

} // namespace zevrin
