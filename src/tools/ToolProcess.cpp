#include "tools/ToolProcess.h"

#include "framework/Handles.h"

#include <vector>

namespace zevrin {

namespace {

constexpr DWORD kStopPollMs = 100;
constexpr DWORD kStopGraceMs = 1000;
// TerminateProcess only starts the end; waiting for it lets the exit code and the tool's open
// files settle. A terminated process ends promptly, so this bound is never reached in practice.
constexpr DWORD kTerminateSettleMs = 5000;

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct StartedProcess {
    fw::UniqueKernelHandle process;
    fw::UniqueKernelHandle thread;
};

bool StartHidden(const std::wstring& commandLine, StartedProcess& started) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE; // standard handles stay null: the tools have no console
    // CreateProcessW may write into the command line, so it gets a private copy.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &info))
        return false;
    started.process.Reset(info.hProcess);
    started.thread.Reset(info.hThread);
    return true;
}

void EndProcess(HANDLE process) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kTerminateSettleMs);
}

// Waits for the process, watching the stop flag when there is one; a run past `limitMs`
// (0: no limit) is ended. True when the limit ended it.
bool WaitForTool(HANDLE process, const ToolStopFlag* stopFlag, DWORD limitMs) {
    const ULONGLONG deadline = limitMs ? GetTickCount64() + limitMs : ~0ULL;
    for (;;) {
        if (stopFlag && stopFlag->load() > kStopInteracted) {
            if (WaitForSingleObject(process, kStopGraceMs) == WAIT_TIMEOUT) EndProcess(process);
            return false;
        }
        if (WaitForSingleObject(process, stopFlag || limitMs ? kStopPollMs : INFINITE) != WAIT_TIMEOUT) return false;
        if (GetTickCount64() >= deadline) {
            EndProcess(process);
            return true;
        }
    }
}

} // namespace

int CToolProcess::Run(const std::wstring& commandLine, const ToolStopFlag* stopFlag) const {
    timedOut_ = false;
    // Only the given path counts: a bare name must not be looked up along the search path.
    if (!IsFile(toolPath_)) return -1;
    StartedProcess started;
    if (!StartHidden(commandLine, started)) return -1;
    timedOut_ = WaitForTool(started.process.Get(), stopFlag, timeLimitMs_);
    DWORD exitCode = 1;
    if (!GetExitCodeProcess(started.process.Get(), &exitCode)) exitCode = 1;
    return exitCode == 0 ? 0 : -1;
}

} // namespace zevrin
