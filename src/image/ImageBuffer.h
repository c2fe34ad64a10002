#pragma once
// Decoded pixels: rows top to bottom, 3 bytes per pixel in blue-green-red order, and an
// optional alpha plane of one byte per pixel.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zevrin {

struct ImageBuffer {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;   // width * height * 3
    std::vector<uint8_t> alpha; // empty, or width * height

    bool Empty() const { return bgr.empty(); }
    void Allocate(int w, int h, bool withAlpha) {
        width = w;
        height = h;
        bgr.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 0);
        alpha.assign(withAlpha ? static_cast<size_t>(w) * static_cast<size_t>(h) : 0, 255);
    }
    uint8_t* Pixel(int x, int y) {
        return &bgr[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    }
    const uint8_t* Pixel(int x, int y) const {
        return &bgr[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    }
};

// Pictures larger than this are refused: a hostile header must not make us allocate gigabytes.
inline constexpr int kMaxImageSide = 16384;
inline bool ReasonableSize(long long w, long long h) {
    return w > 0 && h > 0 && w <= kMaxImageSide && h <= kMaxImageSide && w * h <= 64LL * 1024 * 1024;
}

using ImageBytes = std::span<const uint8_t>;

// Each decoder checks the signature first and fails fast on other formats.
bool DecodeJpeg(ImageBytes data, ImageBuffer& out, std::string& error);
bool DecodePng(ImageBytes data, ImageBuffer& out, std::string& error);
bool DecodeBmp(ImageBytes data, ImageBuffer& out, std::string& error);
bool DecodeGif(ImageBytes data, ImageBuffer& out, std::string& error);
bool DecodeTga(ImageBytes data, ImageBuffer& out, std::string& error);
bool DecodeTiff(ImageBytes data, ImageBuffer& out, std::string& error); // through the platform's imaging component

} // namespace zevrin
