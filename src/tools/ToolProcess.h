#pragma once
// Runs one of the media tools as a hidden process and waits for it, optionally watching a stop
// flag that the user interface thread sets. The tools report only through their exit code
// (0 success) and, for the clients below, through window messages.
#include <windows.h>

#include <atomic>
#include <string>

namespace zevrin {

// Values of a run's stop flag. The user interface thread writes it, the waiting worker polls it.
enum ToolStopValue : int {
    kStopNone = 0,
    kStopInteracted = 1,    // the user paused or otherwise took part; the run goes on
    kStopRequested = 2,     // end the tool
    kStopWindowClosing = 3, // end the tool, its window is going away
};
using ToolStopFlag = std::atomic<int>;

class CToolProcess {
public:
    CToolProcess() = default;
    CToolProcess(const CToolProcess&) = delete;
    CToolProcess& operator=(const CToolProcess&) = delete;
    virtual ~CToolProcess() = default;

    void SetToolPath(std::wstring path) { toolPath_ = std::move(path); }
    const std::wstring& ToolPath() const { return toolPath_; }
    // A run still going after this long is ended and fails (0, the default: no limit), so that
    // a tool stuck on a damaged file can't hold its caller's queue for ever.
    void SetTimeLimit(DWORD ms) { timeLimitMs_ = ms; }
    bool LastRunTimedOut() const { return timedOut_; }

    // Starts the tool with the complete command line (its quoted path first) and waits for it.
    // 0 when it ran and exited with 0; -1 when it is missing, could not start, failed or was
    // stopped or ended at the time limit. A tool that has not ended 1000 ms after the flag rose
    // above 1 is terminated.
    int Run(const std::wstring& commandLine, const ToolStopFlag* stopFlag) const;

private:
    std::wstring toolPath_;
    DWORD timeLimitMs_ = 0;
    mutable bool timedOut_ = false;
};

} // namespace zevrin
