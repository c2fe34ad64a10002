// Reads the running program's sizes from outside, as a user's tool would: the DPI the system
// reports, and the window rectangles of the main frame's bars and panes. With "menu" it opens
// the menu bar's first popup, with "close" it closes the main window.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

void PrintChild(HWND frame, const wchar_t* cls, const char* name) {
    HWND child = FindWindowExW(frame, nullptr, cls, nullptr);
    RECT rc{};
    if (child) GetWindowRect(child, &rc);
    std::printf("%s %ld %ld\n", name, child ? rc.right - rc.left : -1L, child ? rc.bottom - rc.top : -1L);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    HWND frame = nullptr;
    for (int i = 0; i < 300 && !frame; ++i) {
        frame = FindWindowW(L"ZevrinFrame", nullptr);
        if (!frame) Sleep(100);
    }
    if (!frame) {
        std::printf("no main window\n");
        return 1;
    }
    const wchar_t* action = argc > 1 ? argv[1] : L"sizes";
    if (wcscmp(action, L"menu") == 0) {
        HWND bar = FindWindowExW(frame, nullptr, L"ZevrinMenuBar", nullptr);
        PostMessageW(bar, WM_USER + 100, 0, 0);
        return bar ? 0 : 1;
    }
    if (wcscmp(action, L"close") == 0) {
        PostMessageW(frame, WM_CLOSE, 0, 0);
        return 0;
    }
    HDC screen = GetDC(nullptr);
    std::printf("system_dpi %d\n", GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    void* proc = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow"));
    auto dpiForWindow = reinterpret_cast<GetDpiForWindowFn>(proc);
    std::printf("window_dpi %d\n", dpiForWindow ? static_cast<int>(dpiForWindow(frame)) : -1);
    RECT rc{};
    GetWindowRect(frame, &rc);
    std::printf("frame %ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    PrintChild(frame, L"ZevrinControlBar", "control_bar");
    PrintChild(frame, L"ZevrinMenuBar", "menu_bar");
    return 0;
}
