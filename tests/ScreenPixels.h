#pragma once
// What the screen shows of a rectangle or a window, one 0x00RRGGBB value a pixel, row by row:
// the tests that check what was drawn read the screen as the user sees it, windows of other
// processes included.
#include <windows.h>

#include <vector>

namespace zevrin::test {

inline std::vector<DWORD> ScreenPixels(const RECT& rect) {
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (cx <= 0 || cy <= 0) return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, cx, cy, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + static_cast<size_t>(cx) * cy);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

inline std::vector<DWORD> ScreenPixels(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return ScreenPixels(rect);
}

// A screen pixel as GDI spells a colour.
inline COLORREF ColorOf(DWORD pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

} // namespace zevrin::test
