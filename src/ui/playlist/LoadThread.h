#pragma once
// The thread that turns the playlist's queued paths into items, one at a time.
#include "framework/WorkerThread.h"
#include "ui/playlist/PlaylistWork.h"

namespace zevrin {

class CLoadThread : public fw::CWorkerThread {
public:
    explicit CLoadThread(IPlaylistWork& work) : work_(work) {}
    void RequestStop() { stopFlag_ = kStopRequested; }
    const ToolStopFlag& StopFlag() const { return stopFlag_; }

protected:
    // The loader asks the shell for icons: it joins an apartment of its own.
    bool InitInstance() override;
    int Run() override;
    int ExitInstance(int exitCode) override;

private:
    IPlaylistWork& work_;
    ToolStopFlag stopFlag_{0};
    bool comInitialized_ = false;
};

} // namespace zevrin
