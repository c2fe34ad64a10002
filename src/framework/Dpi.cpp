#include "framework/Dpi.h"

namespace fw {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up once: older systems have no per-window DPI.
GetDpiForWindowFn PerWindowDpi() {
    static const GetDpiForWindowFn fn = [] {
        HMODULE user = GetModuleHandleW(L"user32.dll");
        void* proc = user ? reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")) : nullptr;
        return reinterpret_cast<GetDpiForWindowFn>(proc);
    }();
    return fn;
}

} // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

int DpiOf(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return SystemDpi();
    if (GetDpiForWindowFn fn = PerWindowDpi()) {
        if (UINT dpi = fn(hwnd); dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

} // namespace fw
