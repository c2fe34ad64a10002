#pragma once
// The work the playlist's worker threads do, as the threads see it: a loop that runs on the
// thread with a stop flag, and the window that hears when the thread has ended. The messages
// between the workers and that window are here too; what a posted message carries is owned by
// the message (PostedOwner.h) until the window takes it.
#include "playlist/PlaylistItem.h"
#include "tools/ToolProcess.h"

#include <windows.h>

#include <memory>

namespace zevrin {

// The end of the loader; wParam 0.
constexpr UINT WM_LOADER_ENDED = WM_USER + 410;
// A new item for the playlist: lParam a posted CPlaylistItem (the loader's), or 0 with wParam the
// index of an item added on the window's thread.
constexpr UINT WM_ITEM_LOADED = WM_USER + 411;
// Sent by the loader: is a path in the playlist already? lParam the const std::wstring*.
constexpr UINT WM_PLAYLIST_HAS_PATH = WM_USER + 412;
// The end of an extractor; wParam its parity (0 or 1).
constexpr UINT WM_EXTRACTOR_ENDED = WM_USER + 420;
// Sent by an extractor for the next item to work on: wParam the index, lParam an ExtractJob*.
// 0 when there is no such item, 1 when the job was filled, 2 when the item needs nothing, 3 when
// the index is past the end while the loader runs (wait to be woken, then ask again).
constexpr UINT WM_EXTRACT_JOB = WM_USER + 421;
// Posted by an extractor with a finished job: lParam a posted ExtractJob.
constexpr UINT WM_EXTRACT_DONE = WM_USER + 422;

// A private copy of one item for an extractor, and the results it brings back.
struct ExtractJob {
    int itemId = -1;
    std::unique_ptr<CPlaylistItem> item;
};

class IPlaylistWork {
public:
    virtual ~IPlaylistWork() = default;
    virtual void LoaderWork(const ToolStopFlag& stop) = 0;
    virtual void ExtractWork(int parity, const ToolStopFlag& stop) = 0;
    virtual HWND WorkWindow() const = 0;
};

} // namespace zevrin
