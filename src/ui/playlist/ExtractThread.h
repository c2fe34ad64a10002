#pragma once
// One of the two threads that complete the playlist's items (media information, thumbnail):
// parity 0 takes the even indices, parity 1 the odd ones.
#include "framework/WorkerThread.h"
#include "ui/playlist/PlaylistWork.h"

namespace zevrin {

class CExtractThread : public fw::CWorkerThread {
public:
    CExtractThread(IPlaylistWork& work, int parity) : work_(work), parity_(parity) {}
    void RequestStop() { stopFlag_ = kStopRequested; }
    int Parity() const { return parity_; }

protected:
    int Run() override;
    int ExitInstance(int exitCode) override;

private:
    IPlaylistWork& work_;
    int parity_;
    ToolStopFlag stopFlag_{0};
};

} // namespace zevrin
