// Drawing a picture: a plain copy for opaque pictures, a blend over the destination for
// pictures with an alpha plane.
#include "image/ThumbnailImage.h"

#include "framework/Handles.h"

#include <algorithm>

namespace zevrin {

namespace {

// A 32-bit top-down DIB section of the given size; `bits` receives its pixels (BGRA).
HBITMAP CreateDib(HDC dc, int width, int height, uint32_t** bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

// The source pixel that lands on destination (x, y) when the picture is stretched.
size_t SourceIndex(const ImageBuffer& b, int x, int y, int width, int height) {
    int sx = static_cast<int>(static_cast<long long>(x) * b.width / width);
    int sy = static_cast<int>(static_cast<long long>(y) * b.height / height);
    return static_cast<size_t>(sy) * static_cast<size_t>(b.width) + static_cast<size_t>(sx);
}

void DrawOpaque(HDC dc, const ImageBuffer& b, const RECT& dest, bool smooth) {
    std::vector<uint32_t> bgra(static_cast<size_t>(b.width) * static_cast<size_t>(b.height));
    for (size_t i = 0; i < bgra.size(); ++i)
        bgra[i] = b.bgr[i * 3] | b.bgr[i * 3 + 1] << 8 | static_cast<uint32_t>(b.bgr[i * 3 + 2]) << 16;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), b.width, -b.height, 1, 32, BI_RGB};
    int oldMode = SetStretchBltMode(dc, smooth ? HALFTONE : COLORONCOLOR);
    if (smooth) SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0, b.width, b.height,
                  bgra.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

// Reads the destination back, mixes the picture in by its alpha and writes the result.
void DrawBlended(HDC dc, const ImageBuffer& b, const RECT& dest, int globalAlpha) {
    int width = dest.right - dest.left, height = dest.bottom - dest.top;
    fw::UniqueHandle<fw::NullIsInvalid<HDC, ::DeleteDC>> mem(CreateCompatibleDC(dc));
    uint32_t* bits = nullptr;
    fw::UniqueBitmap dib(CreateDib(dc, width, height, &bits));
    if (!mem || !dib || !bits) return;
    HGDIOBJ old = SelectObject(mem.Get(), dib.Get());
    BitBlt(mem.Get(), 0, 0, width, height, dc, dest.left, dest.top, SRCCOPY);
    GdiFlush();
    int factor = std::clamp(globalAlpha, 0, 255);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t s = SourceIndex(b, x, y, width, height);
            int a = b.alpha[s] * (factor + 1) / 256;
            uint32_t& d = bits[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            if (a == 0) continue;
            const uint8_t* p = &b.bgr[s * 3];
            if (a == 255) {
                d = p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16;
                continue;
            }
            uint32_t mixed = 0;
            for (int c = 0; c < 3; ++c) {
                uint32_t under = (d >> (8 * c)) & 0xFF;
                mixed |= ((p[c] * a + under * (255 - a)) / 256) << (8 * c);
            }
            d = mixed;
        }
    }
    BitBlt(dc, dest.left, dest.top, width, height, mem.Get(), 0, 0, SRCCOPY);
    SelectObject(mem.Get(), old);
}

} // namespace

bool CThumbnailImage::Draw(HDC dc, RECT dest, const RECT* clip, bool smooth) const {
    if (IsEmpty() || !dc) return false;
    if (dest.right - dest.left < 0) dest.right = dest.left + Width();
    if (dest.bottom - dest.top < 0) dest.bottom = dest.top + Height();
    if (dest.right == dest.left || dest.bottom == dest.top) return false;

    int saved = SaveDC(dc);
    if (clip) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    if (HasAlpha())
        DrawBlended(dc, buffer_, dest, globalAlpha);
    else
        DrawOpaque(dc, buffer_, dest, smooth);
    RestoreDC(dc, saved);
    return true;
}

} // namespace zevrin
