#pragma once
// What the display view needs from the playlist pane: the items in order, the selection, the
// play marks, the preview area that can host the video, and the commands it carries out.
#include "playlist/PlayMark.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace zevrin {

struct PlaylistItemRef {
    std::uint32_t id = 0; // never reused while the program runs
    std::wstring path;
    std::wstring title;
};

class IPlaylistPane {
public:
    virtual ~IPlaylistPane() = default;

    virtual int ItemCount() const = 0;
    // false when there is no item at the index.
    virtual bool ItemAt(int index, PlaylistItemRef& item) const = 0;
    // The index of the item with this id, -1 when it has left the playlist.
    virtual int IndexOfId(std::uint32_t id) const = 0;
    virtual int FirstSelected() const = 0; // -1 when nothing is selected
    virtual void SetPlayMark(int index, PlayMark mark) = 0;

    // The preview area of the playlist pane takes the video window, or gives it back.
    virtual void HostVideo(HWND video) = 0;
    virtual void ReleaseVideo() = 0;
    virtual void ShowProperties(int index) = 0;
    // Writes "Default.play" when the playlist is kept across runs; true when it was written or
    // is not kept.
    virtual bool SaveDefaultPlaylist() = 0;
    // The pane's window, for the commands it carries out ("Open Files...").
    virtual HWND PaneWindow() const = 0;
    // The playback has opened its media, or ended: work the pane held back so that the tool
    // could start sooner (the probes of a newly opened set) may run.
    virtual void PlaybackSettled() = 0;
};

} // namespace zevrin
