// Plays one file with the playback tool into a window of its own, as Zevrin would, and prints the
// CPU seconds the tool spent:  harlow_bench_host <Vistrel.exe> <media>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "harlow/ToolMessages.h"

namespace {

int g_frames = 0;
bool g_ended = false;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == harlow::kToolCallbackData && data->cbData == harlow::kToolCallbackSize) {
            const auto* block = static_cast<const harlow::ToolCallbackBlock*>(data->lpData);
            if (block->head.type == harlow::kCallbackStatus)
                g_frames = static_cast<int>(block->status.framesShown);
            if (block->head.type == harlow::kCallbackEnded)
                g_ended = true;
            return 1;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

double Seconds(const FILETIME& t)
{
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fputs("usage: harlow_bench_host <Vistrel.exe> <media>\n", stderr);
        return 2;
    }
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HarlowBenchHost";
    RegisterClassExW(&wc);
    HWND frame = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    const std::wstring line = L"\"" + std::wstring(argv[1]) + L"\" -displaywindow " +
                              std::to_wstring(reinterpret_cast<std::intptr_t>(frame)) + L" -threads 8 \"" + argv[2] +
                              L"\" -effect 14 -callbackwindow " + std::to_wstring(reinterpret_cast<std::intptr_t>(frame)) +
                              L" -context 1";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::wstring mutableLine = line;
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 3;
    while (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 50, QS_ALLINPUT);
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(120))
            TerminateProcess(pi.hProcess, 1);
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    FILETIME created, exited, kernel, user;
    GetProcessTimes(pi.hProcess, &created, &exited, &kernel, &user);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    std::printf("vistrel_cpu_seconds=%.2f wall_seconds=%.2f frames_shown=%d ended=%d exit=%lu\n",
                Seconds(kernel) + Seconds(user), wall, g_frames, g_ended ? 1 : 0, code);
    return 0;
}
