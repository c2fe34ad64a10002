#include "VideoRenderer.h"

#include "ToolProcess.h"

#include "harlow/ToolMessages.h"

#include <algorithm>

namespace harlow::vistrel {

namespace {

constexpr wchar_t kClassName[] = L"HarlowVideoOutput";

struct DrawContext {
    HDC dc = nullptr;
    HWND owner = nullptr;
};

// The DC to draw the child with, already offset and clipped to the child under Wine.
DrawContext AcquireDC(HWND child, bool underWine) {
    if (!underWine) return {GetDC(child), child};
    HWND root = GetAncestor(child, GA_ROOT);
    HDC dc = root ? GetDCEx(root, nullptr, DCX_CACHE) : nullptr;
    if (!dc) return {};
    POINT origin{0, 0};
    MapWindowPoints(child, root, &origin, 1);
    RECT client{};
    GetClientRect(child, &client);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    return {dc, root};
}

} // namespace

LRESULT CALLBACK VideoRenderer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* redraw = reinterpret_cast<std::atomic<bool>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers everything; erasing would only flicker
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        if (redraw) *redraw = true; // the video thread paints the last picture again
        return 0;
    }
    case WM_SIZE:
        if (redraw) *redraw = true;
        return 0;
    case WM_SETCURSOR:
        if (GetWindowLongPtrW(window, 0) & kEffectHideCursor) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool VideoRenderer::Create(HWND parent, int effect, std::atomic<bool>* redrawRequested) {
    if (!parent || !IsWindow(parent)) return false;
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassExW(&wc);
    parent_ = parent;
    effect_ = effect;
    underWine_ = RunningUnderWine();
    RECT client{};
    GetClientRect(parent, &client);
    parentSize_ = {client.right, client.bottom};
    // Disabled, so that mouse clicks fall through to the caller's window; no parent notifications,
    // which would be sent synchronously to the caller's thread.
    child_ = CreateWindowExW(WS_EX_NOPARENTNOTIFY, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0,
                             client.right, client.bottom, parent, reinterpret_cast<HMENU>(0), wc.hInstance, nullptr);
    if (!child_) return false;
    SetWindowLongPtrW(child_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(redrawRequested));
    SetWindowLongPtrW(child_, 0, effect);
    return true;
}

void VideoRenderer::Destroy() {
    if (child_) {
        DestroyWindow(child_);
        child_ = nullptr;
    }
}

void VideoRenderer::FollowParent() {
    if (!child_ || !IsWindow(parent_)) return;
    RECT client{};
    GetClientRect(parent_, &client);
    if (client.right == parentSize_.cx && client.bottom == parentSize_.cy) return;
    parentSize_ = {client.right, client.bottom};
    Resize(client.right, client.bottom);
}

void VideoRenderer::Resize(int width, int height) {
    if (!child_ || width <= 0 || height <= 0) return;
    // Asynchronous: the caller's thread processes it when it can, and we never wait on it.
    SetWindowPos(child_, nullptr, 0, 0, width, height, SWP_ASYNCWINDOWPOS | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

RECT VideoRenderer::PictureRect(double displayAspect) const {
    RECT client{};
    if (child_) GetClientRect(child_, &client);
    if (!(effect_ & kEffectKeepAspect) || displayAspect <= 0 || client.right <= 0 || client.bottom <= 0) return client;
    int w = client.right, h = static_cast<int>(client.right / displayAspect + 0.5);
    if (h > client.bottom) {
        h = client.bottom;
        w = static_cast<int>(client.bottom * displayAspect + 0.5);
    }
    const int x = (client.right - w) / 2, y = (client.bottom - h) / 2;
    return {x, y, x + w, y + h};
}

void VideoRenderer::Present(const std::uint8_t* bgra, int stride, int width, int height, const RECT& area) {
    if (!child_ || width <= 0 || height <= 0) return;
    DrawContext c = AcquireDC(child_, underWine_);
    if (!c.dc) return;
    if (effect_ & (kEffectBlackBorders | kEffectKeepAspect)) {
        RECT client{};
        GetClientRect(child_, &client);
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        const RECT bands[] = {{0, 0, client.right, area.top},
                              {0, area.bottom, client.right, client.bottom},
                              {0, area.top, area.left, area.bottom},
                              {area.right, area.top, client.right, area.bottom}};
        for (const RECT& band : bands)
            if (band.right > band.left && band.bottom > band.top) FillRect(c.dc, &band, black);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = stride / 4;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(c.dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0, width, height, bgra,
                  &info, DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(c.owner, c.dc);
}

} // namespace harlow::vistrel
