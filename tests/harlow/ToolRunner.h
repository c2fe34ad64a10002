// Runs the installed tools the way Zevrin does: hidden, no standard handles, quoted command line.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace harlow::test {

// Windows path of the installed tool folder (from ZEVRIN_DIST) and of the generated clips
// (from HARLOW_CLIPS); both given as Linux paths by the test script.
std::wstring ToolPath(const std::wstring& exe);
std::wstring Clip(const std::wstring& name);
std::wstring TempFolder(); // a fresh folder for this test's outputs

struct RunResult {
    DWORD exitCode = 0;
    bool timedOut = false;
    std::chrono::milliseconds elapsed{0};
};

// Starts "\"tool\" args", waits up to `limit`, kills it on time-out.
RunResult RunTool(const std::wstring& exe, const std::wstring& args,
                  std::chrono::milliseconds limit = std::chrono::seconds(60));

// A started process, ended by the destructor if still running.
class ToolProcess {
public:
    ToolProcess(const std::wstring& exe, const std::wstring& args);
    ~ToolProcess();
    bool Started() const { return process_ != nullptr; }
    HANDLE Handle() const { return process_; }
    bool WaitExit(std::chrono::milliseconds limit, DWORD& exitCode);

private:
    HANDLE process_ = nullptr;
};

std::wstring Quote(const std::wstring& s);
bool Exists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);

} // namespace harlow::test
