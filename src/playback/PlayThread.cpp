#include "playback/PlayThread.h"

#include "playback/PlaybackTool.h"

namespace zevrin {

CPlayThread::CPlayThread(const CPlaybackTool& tool, HWND notifyWindow)
    : tool_(tool), snapshot_(tool.request), notifyWindow_(notifyWindow) {}

int CPlayThread::Run() {
    result_ = tool_.RunPlayback(snapshot_);
    return 0;
}

// Posted, never sent: the user interface thread may be waiting for this thread right now.
int CPlayThread::ExitInstance(int exitCode) {
    ::PostMessageW(notifyWindow_, kPlayThreadEnded, 0, 0);
    return exitCode;
}

} // namespace zevrin
