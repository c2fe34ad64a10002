// A stand-in for a Zevrin that no longer answers: a window of the main frame's class that
// ignores WM_CLOSE. The installer test starts it and expects a silent uninstall to end it.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) return 0;  // stuck: never closes
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ZevrinFrame";
    if (!RegisterClassW(&wc)) return 1;
    HWND frame = CreateWindowW(L"ZevrinFrame", L"Zevrin (not answering)", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                               nullptr, nullptr, instance, nullptr);
    if (!frame) return 1;
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
