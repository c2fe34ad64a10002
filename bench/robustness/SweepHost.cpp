// Runs every file of a folder through one media tool, each run with a bound, and prints one line
// per file:  <tool> <outcome> <exit code> <milliseconds> <file name>
// with outcome ok (exit 0), fail (a failure exit of the tool's own), hang (still running at the
// bound: ended here) or crash (the tool's crash filter answered, or the process died of a fault).
//
//   robustness_sweep_host <Harlow folder> probe|encode|play <media folder> <scratch folder>
//
// The playback tool plays into a window of this host as the program's would, and is told to stop
// after two seconds, the way a user's Stop reaches it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "harlow/ToolMessages.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD kCrashFilterExit = 6;                 // the tools' own "crashed" exit code
constexpr auto kProbeBound = std::chrono::seconds(25);
constexpr auto kEncodeBound = std::chrono::seconds(25);
constexpr auto kPlayBeforeStop = std::chrono::seconds(2);
constexpr auto kPlayBound = std::chrono::seconds(12); // opening, two seconds of play and the stop

struct PlaySession {
    HWND toolWindow = nullptr;
    bool ended = false;
};
PlaySession g_session;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == harlow::kToolCallbackData && data->cbData == harlow::kToolCallbackSize) {
            const auto* block = static_cast<const harlow::ToolCallbackBlock*>(data->lpData);
            if (block->head.type == harlow::kCallbackOpened)
                g_session.toolWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(block->toolWindow));
            if (block->head.type == harlow::kCallbackEnded)
                g_session.ended = true;
        }
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateHostWindow()
{
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RobustnessSweepHost";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"sweep", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

void SendStop(HWND toolWindow)
{
    harlow::ToolControlBlock block{};
    block.command = harlow::kCommandStop;
    COPYDATASTRUCT data{harlow::kToolControlData, harlow::kToolControlSize, &block};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(toolWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 2000, &result);
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

struct Outcome {
    const char* name;
    DWORD exitCode;
    long long ms;
};

// Starts the command line and waits for its end, pumping this thread's messages; a playback run
// is stopped after two seconds. Past the bound the process is ended and the run is a hang.
Outcome Run(std::wstring commandLine, Clock::duration bound, bool playback)
{
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    const auto start = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return {"nostart", GetLastError(), 0};
    CloseHandle(pi.hThread);
    bool stopSent = false;
    bool hung = false;
    while (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        Pump();
        MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 20, QS_ALLINPUT);
        const auto elapsed = Clock::now() - start;
        if (playback && !stopSent && g_session.toolWindow && elapsed > kPlayBeforeStop) {
            SendStop(g_session.toolWindow);
            stopSent = true;
        }
        if (elapsed > bound) {
            TerminateProcess(pi.hProcess, 0xDEAD);
            WaitForSingleObject(pi.hProcess, 5000);
            hung = true;
            break;
        }
    }
    Pump();
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    if (hung)
        return {"hang", code, ms};
    if (code == 0)
        return {"ok", code, ms};
    if (code == kCrashFilterExit || code >= 0xC0000000u)
        return {"crash", code, ms};
    return {"fail", code, ms};
}

std::vector<std::wstring> FilesOf(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.')
            names.push_back(found.cFileName);
    while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Narrow(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 5) {
        std::fputs("usage: robustness_sweep_host <Harlow folder> probe|encode|play <media folder> <scratch>\n", stderr);
        return 2;
    }
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const std::wstring harlow = argv[1], tool = argv[2], media = argv[3], scratch = argv[4];
    HWND host = tool == L"play" ? CreateHostWindow() : nullptr;
    const std::wstring hostId = std::to_wstring(reinterpret_cast<std::intptr_t>(host));
    for (const std::wstring& name : FilesOf(media)) {
        const std::wstring path = media + L"\\" + name;
        Outcome outcome{};
        if (tool == L"probe") {
            outcome = Run(Quoted(harlow + L"\\Quorrin.exe") + L" " + Quoted(path) + L" -o " +
                              Quoted(scratch + L"\\probe.xml"),
                          kProbeBound, false);
        } else if (tool == L"encode") {
            outcome = Run(Quoted(harlow + L"\\Brannet.exe") + L" -i " + Quoted(path) +
                              L" -ss 0:00:01.000 -f image2 -vframes 1 -y " + Quoted(scratch + L"\\frame.jpg"),
                          kEncodeBound, false);
        } else {
            g_session = {};
            outcome = Run(Quoted(harlow + L"\\Vistrel.exe") + L" -displaywindow " + hostId + L" -threads 2 " +
                              Quoted(path) + L" -effect 14 -callbackwindow " + hostId + L" -context 1",
                          kPlayBound, true);
        }
        std::printf("%s %s %lu %lld %s\n", Narrow(tool).c_str(), outcome.name, outcome.exitCode, outcome.ms,
                    Narrow(name).c_str());
        std::fflush(stdout);
    }
    if (host)
        DestroyWindow(host);
    return 0;
}
