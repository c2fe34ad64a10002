#pragma once
// The work the playlist's worker threads do, as the threads see it: a loop that runs on the
// thread with a stop flag, and the window that hears when the thread has ended.
#include "tools/ToolProcess.h"

#include <windows.h>

namespace zevrin {

// The end of the loader; wParam 0.
constexpr UINT WM_LOADER_ENDED = WM_USER + 410;
// A loaded item for the playlist: lParam is the new CPlaylistItem, which the receiver owns.
constexpr UINT WM_ITEM_LOADED = WM_USER + 411;
// The end of an extractor; wParam its parity (0 or 1).
constexpr UINT WM_EXTRACTOR_ENDED = WM_USER + 420;

class IPlaylistWork {
public:
    virtual ~IPlaylistWork() = default;
    virtual void LoaderWork(const ToolStopFlag& stop) = 0;
    virtual void ExtractWork(int parity, const ToolStopFlag& stop) = 0;
    virtual HWND WorkWindow() const = 0;
};

} // namespace zevrin
