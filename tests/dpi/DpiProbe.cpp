// Reads the running program's sizes from outside, as a user's tool would: the DPI the system
// reports, and the window rectangles of the main frame's bars and of the playlist pane. With
// "menu" it opens the menu bar's first popup, with "command <id>" it sends the frame a menu
// command, with "dialog" it prints the size of the open dialog and closes it, with "close" it
// closes the main window.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cstdlib>

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// The widest window of the class among the frame's children (a hidden bar may be empty).
void PrintChild(HWND frame, const wchar_t* cls, const char* name) {
    RECT widest{};
    bool found = false;
    for (HWND child = FindWindowExW(frame, nullptr, cls, nullptr); child; child = FindWindowExW(frame, child, cls, nullptr)) {
        RECT rc{};
        GetWindowRect(child, &rc);
        if (!found || rc.right - rc.left > widest.right - widest.left) widest = rc;
        found = true;
    }
    if (!found) widest = RECT{0, 0, -1, -1};
    std::printf("%s %ld %ld\n", name, widest.right - widest.left, widest.bottom - widest.top);
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
    if (wcscmp(action, L"command") == 0 && argc > 2) {
        PostMessageW(frame, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[2])), 0);
        return 0;
    }
    if (wcscmp(action, L"dialog") == 0) {
        HWND dialog = nullptr;
        for (int i = 0; i < 50 && !dialog; ++i) {
            dialog = FindWindowW(L"#32770", nullptr);
            if (!dialog) Sleep(100);
        }
        RECT rc{};
        if (dialog) GetWindowRect(dialog, &rc);
        std::printf("dialog %ld %ld\n", rc.right - rc.left, rc.bottom - rc.top);
        if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return dialog ? 0 : 1;
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
    HWND container = FindWindowExW(frame, nullptr, L"ZevrinViewContainer", nullptr);
    HWND playlist = container ? GetDlgItem(container, 0xE901) : nullptr;
    RECT pane{};
    if (playlist) GetWindowRect(playlist, &pane);
    std::printf("playlist %ld %ld %ld %ld\n", pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top);
    return 0;
}
