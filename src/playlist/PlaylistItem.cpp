#include "playlist/PlaylistItem.h"

#include "services/AppSettings.h"
#include "framework/Dpi.h"
#include "framework/Text.h"
#include "tools/EncodeTool.h"
#include "tools/ProbeTool.h"
#include "tools/ValueFormat.h"

#include <windows.h>

namespace zevrin {

namespace {

constexpr const wchar_t* kArtworkExtensions[] = {L".jpg", L".jpeg", L".gif", L".tif", L".tiff", L".png", L".bmp"};

bool FileExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring WithExtension(const std::wstring& path, const wchar_t* extension) {
    size_t slash = path.find_last_of(L"\\/");
    size_t dot = path.find_last_of(L'.');
    std::wstring base =
        (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) ? path.substr(0, dot) : path;
    return base + extension;
}

bool IsUrl(const std::wstring& path) { return path.find(L"://") != std::wstring::npos; }

} // namespace

std::wstring TitleFromPath(const std::wstring& path) {
    std::wstring name = path;
    if (IsUrl(name)) name = name.substr(0, name.find_first_of(L"?#"));
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    return name;
}

std::wstring FileNameFromTitle(const std::wstring& title) {
    std::wstring name = fw::Trim(title);
    for (wchar_t& c : name)
        if (c < 32 || wcschr(L"\\/:*?\"<>|", c)) c = L'_';
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    return name.empty() ? std::wstring(L"frame") : name;
}

int CPlaylistItem::LoadInfo(const ToolPaths& tools, const ToolStopFlag* stop) {
    if (!(flags & EntryFlag::InfoLoaded)) {
        SetWork(ItemWork::LoadingInfo);
        if (!HasWork(ItemWork::ProbeSucceeded)) {
            SetWork(ItemWork::Probing);
            if (ProbeMedia(tools.probe, path, info, stop) != 0) return 0;
            SetWork(ItemWork::ProbeSucceeded);
            ClearWork(ItemWork::Probing);
        }
        flags |= info.flags & EntryFlag::MediaInfoFlags;
        duration = info.duration;
        // A title from a playlist file is the user's and stays.
        if (title.empty()) title = fw::Trim(info.title);
        if (title.empty()) title = TitleFromPath(path);
        ClearWork(ItemWork::LoadingInfo);
        flags |= EntryFlag::InfoLoaded;
    }
    if (duration > 0) durationText = FormatDuration(duration, false, false, false);
    return 1;
}

int CPlaylistItem::KindFromFlags() const {
    bool video = flags & EntryFlag::HasVideo, audio = flags & EntryFlag::HasAudio;
    if (video && audio) return kKindVideoAudio;
    if (video) return kKindVideo;
    if (audio) return kKindAudio;
    return kKindUnknown;
}

// The "image loaded" bit counts only with a picture to go with it: a worker's copy of an item
// carries the item's bits but not its picture, and must load the picture again rather than hand
// an empty one back over the real one.
bool CPlaylistItem::LoadArtworkImage(const std::wstring& file, bool fitToThumbnail) {
    if (HasWork(ItemWork::ImageLoaded) && !thumbnail.IsEmpty()) return true;
    SetWork(ItemWork::LoadingImage);
    bool ok = thumbnail.LoadFile(file);
    const CAppSettings& settings = Settings();
    if (ok && fitToThumbnail)
        ok = thumbnail.FitIntoBox(fw::ScaleTo(settings.thumbnailCx, settings.thumbnailDpi),
                                  fw::ScaleTo(settings.thumbnailCy, settings.thumbnailDpi));
    ClearWork(ItemWork::LoadingImage);
    if (ok) SetWork(ItemWork::ImageLoaded);
    return ok;
}

// The first picture beside the media that loads; one that can't be read (damaged, or in a form
// no decoder takes) does not end the search.
bool CPlaylistItem::LoadArtworkBeside() {
    for (const wchar_t* extension : kArtworkExtensions) {
        std::wstring candidate = WithExtension(path, extension);
        if (!FileExists(candidate) || !LoadArtworkImage(candidate, true)) continue;
        artwork = candidate;
        flags |= EntryFlag::ArtworkBesideMedia;
        return true;
    }
    return false;
}

int CPlaylistItem::ResolveArtwork(const ToolPaths& tools, const ToolStopFlag* stop) {
    if (flags & EntryFlag::ArtworkResolved) {
        // Known from before (a reloaded playlist): show what was found, without a tool run. The
        // file holds the whole frame, so it is fitted like a new one: every thumbnail has the
        // box's size, also after the size setting changed. A thumbnail whose file has gone
        // meanwhile leaves the item drawn by its kind.
        bool beside = flags & EntryFlag::ArtworkBesideMedia;
        if (!artwork.empty() && LoadArtworkImage(beside ? artwork : Settings().TempPath(artwork), true))
            kind = kKindPicture;
        else
            kind = KindFromFlags();
        return 1;
    }

    SetWork(ItemWork::ResolvingArtwork);
    artwork.clear();
    bool found = !IsUrl(path) && LoadArtworkBeside();
    if (!found && (flags & EntryFlag::HasVideo)) found = ExtractFrame(tools, stop);

    if (found) {
        flags |= EntryFlag::ArtworkSet;
        kind = kKindPicture;
    } else {
        kind = KindFromFlags();
    }
    ClearWork(ItemWork::ResolvingArtwork);
    flags |= EntryFlag::ArtworkResolved;
    return 1;
}

// Tries frames at the thumbnail time and then every two seconds until one is not blank; a
// video that starts black still gets a picture.
bool CPlaylistItem::ExtractFrame(const ToolPaths& tools, const ToolStopFlag* stop) {
    if (HasWork(ItemWork::ExtractionTried)) return HasWork(ItemWork::ImageLoaded);
    SetWork(ItemWork::Extracting);
    CAppSettings& settings = Settings();
    std::wstring target =
        settings.UniqueTempFile(FileNameFromTitle(title.empty() ? TitleFromPath(path) : title), L".jpg");
    const int64_t durationMs = static_cast<int64_t>(duration * 0.001);
    bool found = false;
    for (int t = settings.thumbnailTime;; t += 2000) {
        // The clamp applies only when the duration is known: an unknown one would make every
        // try the frame at 0.
        int at = (durationMs > 0 && t >= durationMs) ? static_cast<int>(durationMs) : t;
        if (ExtractFrameWith(tools.encode, tools.presetFolder, path, target, at, L"", stop) != 0) break;
        CThumbnailImage frame;
        if (!frame.LoadFile(target, CThumbnailImage::Jpeg)) break;
        if (IsBlankFrame(&frame) == 1) {
            frame.FitIntoBox(fw::ScaleTo(settings.thumbnailCx, settings.thumbnailDpi),
                             fw::ScaleTo(settings.thumbnailCy, settings.thumbnailDpi), 0, &thumbnail);
            SetWork(ItemWork::ImageLoaded);
            artwork = target.substr(target.find_last_of(L'\\') + 1);
            found = true;
            break;
        }
        if (t >= 10000 || (stop && stop->load() != 0)) break;
    }
    if (!found) DeleteFileW(target.c_str());
    SetWork(ItemWork::ExtractionTried);
    ClearWork(ItemWork::Extracting);
    return found;
}

void CPlaylistItem::DeleteTempFiles() {
    if ((flags & EntryFlag::ArtworkResolved) && !artwork.empty() && !(flags & EntryFlag::ArtworkBesideMedia) &&
        (flags & EntryFlag::ArtworkSet)) {
        std::wstring file = Settings().TempPath(artwork);
        if (FileExists(file)) DeleteFileW(file.c_str());
    }
}

void CPlaylistItem::CopyFrom(const CPlaylistEntry& entry) {
    flags = entry.flags;
    path = entry.path;
    duration = entry.duration;
    title = entry.title;
    artwork = entry.artwork;
}

int64_t TotalDuration(const std::vector<const CPlaylistItem*>& items) {
    int64_t total = 0;
    for (const CPlaylistItem* item : items)
        if (item->flags & EntryFlag::InfoLoaded) total += item->duration;
    return total;
}

} // namespace zevrin
