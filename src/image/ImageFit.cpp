// Fitting a picture into the thumbnail box: shrink by area averaging, then centre on a canvas.
#include "image/ThumbnailImage.h"

#include <algorithm>
#include <cstring>

namespace zevrin {

namespace {

// For each destination column (or row), the source span it covers in thousandths of a pixel.
struct Span {
    int first, last; // source pixels touched
    int firstWeight; // share of the first pixel, in thousandths
    int lastWeight;  // share of the last pixel
};

std::vector<Span> Spans(int source, int dest) {
    std::vector<Span> spans(static_cast<size_t>(dest));
    for (int i = 0; i < dest; ++i) {
        long long begin = 1000LL * source * i / dest, end = 1000LL * source * (i + 1) / dest;
        Span& s = spans[static_cast<size_t>(i)];
        s.first = static_cast<int>(begin / 1000);
        s.last = static_cast<int>(std::min<long long>((end - 1) / 1000, source - 1));
        s.firstWeight = static_cast<int>(std::min<long long>(end, (s.first + 1) * 1000LL) - begin);
        s.lastWeight = static_cast<int>(end - s.last * 1000LL);
        if (s.first == s.last) s.lastWeight = s.firstWeight;
    }
    return spans;
}

int Weight(const Span& s, int i) {
    if (i == s.first) return s.firstWeight;
    if (i == s.last) return s.lastWeight;
    return 1000;
}

// Each destination pixel is the area-weighted average of the source pixels under it.
ImageBuffer Shrink(const ImageBuffer& src, int width, int height) {
    ImageBuffer dst;
    dst.Allocate(width, height, !src.alpha.empty());
    std::vector<Span> xs = Spans(src.width, width), ys = Spans(src.height, height);
    for (int y = 0; y < height; ++y) {
        const Span& sy = ys[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const Span& sx = xs[static_cast<size_t>(x)];
            long long acc[4] = {0, 0, 0, 0}, total = 0;
            for (int v = sy.first; v <= sy.last; ++v) {
                for (int u = sx.first; u <= sx.last; ++u) {
                    long long w = static_cast<long long>(Weight(sx, u)) * Weight(sy, v);
                    const uint8_t* p = src.Pixel(u, v);
                    acc[0] += p[0] * w;
                    acc[1] += p[1] * w;
                    acc[2] += p[2] * w;
                    if (!src.alpha.empty())
                        acc[3] += src.alpha[static_cast<size_t>(v) * static_cast<size_t>(src.width) +
                                            static_cast<size_t>(u)] *
                                  w;
                    total += w;
                }
            }
            uint8_t* d = dst.Pixel(x, y);
            for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>((acc[c] + total / 2) / total);
            if (!src.alpha.empty())
                dst.alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                    static_cast<uint8_t>((acc[3] + total / 2) / total);
        }
    }
    return dst;
}

} // namespace

bool CThumbnailImage::FitIntoBox(int boxWidth, int boxHeight, COLORREF canvas, CThumbnailImage* out) {
    if (IsEmpty() || boxWidth <= 0 || boxHeight <= 0) return false;
    const ImageBuffer& src = buffer_;
    int width = src.width, height = src.height;
    ImageBuffer scaled;
    const ImageBuffer* picture = &src;
    if (width > boxWidth || height > boxHeight) {
        if (static_cast<double>(boxWidth) / boxHeight * height > width) {
            width = static_cast<int>(static_cast<double>(boxHeight) / src.height * src.width);
            height = boxHeight;
        } else {
            height = static_cast<int>(static_cast<double>(boxWidth) / src.width * src.height);
            width = boxWidth;
        }
        width = std::max(width, 1);
        height = std::max(height, 1);
        scaled = Shrink(src, width, height);
        picture = &scaled;
    }

    ImageBuffer result;
    result.Allocate(boxWidth, boxHeight, !src.alpha.empty());
    for (int y = 0; y < boxHeight; ++y)
        for (int x = 0; x < boxWidth; ++x) {
            uint8_t* p = result.Pixel(x, y);
            p[0] = GetBValue(canvas);
            p[1] = GetGValue(canvas);
            p[2] = GetRValue(canvas);
        }
    int left = (boxWidth - width) / 2, top = (boxHeight - height) / 2;
    for (int y = 0; y < height; ++y) {
        std::memcpy(result.Pixel(left, top + y), picture->Pixel(0, y), static_cast<size_t>(width) * 3);
        if (!picture->alpha.empty())
            std::memcpy(
                &result.alpha[static_cast<size_t>(top + y) * static_cast<size_t>(boxWidth) + static_cast<size_t>(left)],
                &picture->alpha[static_cast<size_t>(y) * static_cast<size_t>(width)], static_cast<size_t>(width));
    }

    CThumbnailImage& target = out ? *out : *this;
    target.buffer_ = std::move(result);
    target.error_.clear();
    if (out) out->globalAlpha = globalAlpha;
    return true;
}

} // namespace zevrin
