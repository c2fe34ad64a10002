#pragma once
// The worker thread of one playback run: it runs the playback tool until the tool ends and
// then posts kPlayThreadEnded to the player window, which joins and deletes it.
#include "framework/WorkerThread.h"
#include "playback/PlayRequest.h"

#include <windows.h>

namespace zevrin {

class CPlaybackTool;

inline constexpr UINT kPlayThreadEnded = WM_USER + 400;

class CPlayThread : public fw::CWorkerThread {
public:
    // The request is copied here, on the user interface thread, so that the thread never
    // reads the wrapper's request while the user interface changes it.
    CPlayThread(const CPlaybackTool& tool, HWND notifyWindow);
    int Result() const { return result_; }

protected:
    int Run() override;
    int ExitInstance(int exitCode) override;

private:
    const CPlaybackTool& tool_;
    CPlayRequest snapshot_;
    HWND notifyWindow_;
    int result_ = -1;
};

} // namespace zevrin
