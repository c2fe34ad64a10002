#include "ToolRunner.h"

#include <cstdlib>
#include <fstream>

namespace harlow::test {

namespace {

std::wstring FromLinuxPath(const char* variable)
{
    const char* value = std::getenv(variable);
    if (!value || !*value)
        return L"";
    std::wstring path = L"Z:";
    for (const char* p = value; *p; ++p)
        path += (*p == '/') ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return path;
}

} // namespace

std::wstring ToolPath(const std::wstring& exe)
{
    return FromLinuxPath("ZEVRIN_DIST") + L"\\Harlow\\" + exe;
}

std::wstring Clip(const std::wstring& name)
{
    return FromLinuxPath("HARLOW_CLIPS") + L"\\" + name;
}

std::wstring TempFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    // Wine reuses process ids from run to run: make the name unique by creating it.
    static unsigned counter = GetTickCount();
    for (;;) {
        const std::wstring folder = std::wstring(base) + L"harlow-test-" + std::to_wstring(GetCurrentProcessId()) +
                                    L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
    }
}

std::wstring Quote(const std::wstring& s)
{
    return L"\"" + s + L"\"";
}

bool Exists(const std::wstring& path)
{
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

ToolProcess::ToolProcess(const std::wstring& exe, const std::wstring& args)
{
    std::wstring line = Quote(ToolPath(exe)) + L" " + args;
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si,
                       &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
    }
}

ToolProcess::~ToolProcess()
{
    if (!process_)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ToolProcess::WaitExit(std::chrono::milliseconds limit, DWORD& exitCode)
{
    if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_, &exitCode) != 0;
}

RunResult RunTool(const std::wstring& exe, const std::wstring& args, std::chrono::milliseconds limit)
{
    RunResult r;
    const auto start = std::chrono::steady_clock::now();
    ToolProcess p(exe, args);
    if (!p.Started()) {
        r.exitCode = 0xFFFFFFFF;
        return r;
    }
    r.timedOut = !p.WaitExit(limit, r.exitCode);
    r.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return r;
}

} // namespace harlow::test
