#include "image/ThumbnailImage.h"

#include "framework/FileBytes.h"

#include <cmath>
#include <iterator>

namespace zevrin {

namespace {

using Decoder = bool (*)(ImageBytes, ImageBuffer&, std::string&);

// Indexed by format code; detection tries them in this order.
constexpr Decoder kDecoders[] = {nullptr, DecodeBmp, DecodeGif, DecodeJpeg, DecodePng, DecodeTga, DecodeTiff};
constexpr int kDetectionOrder[] = {CThumbnailImage::Png, CThumbnailImage::Jpeg, CThumbnailImage::Gif,
                                   CThumbnailImage::Bmp, CThumbnailImage::Tiff, CThumbnailImage::Tga};

} // namespace

bool CThumbnailImage::LoadMemory(ImageBytes data, int format) {
    Release();
    ImageBuffer decoded;
    std::string namedError;
    bool named = format > 0 && format < static_cast<int>(std::size(kDecoders));
    if (named && kDecoders[format](data, decoded, error_)) {
        buffer_ = std::move(decoded);
        return true;
    }
    namedError = error_;
    for (int code : kDetectionOrder) {
        if (code == format) continue;
        decoded = ImageBuffer{};
        std::string error;
        if (kDecoders[code](data, decoded, error)) {
            buffer_ = std::move(decoded);
            error_.clear();
            return true;
        }
    }
    error_ = named ? namedError : "Decode: Unknown or wrong format";
    return false;
}

bool CThumbnailImage::LoadFile(const std::wstring& path, int format) {
    std::optional<std::string> bytes = fw::ReadFileBytes(path);
    if (!bytes) {
        Release();
        error_ = "Unable to open file";
        return false;
    }
    return LoadMemory(ImageBytes(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()), format);
}

bool CThumbnailImage::LoadResource(UINT id, int format, HMODULE module, const wchar_t* type) {
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL handle = info ? ::LoadResource(module, info) : nullptr;
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data) {
        Release();
        error_ = "Unable to load resource!";
        return false;
    }
    return LoadMemory(ImageBytes(static_cast<const uint8_t*>(data), SizeofResource(module, info)), format);
}

DWORD CThumbnailImage::PixelColor(int x, int y, bool withAlpha) const {
    const uint8_t* p = buffer_.Pixel(x, y);
    DWORD color = static_cast<DWORD>(p[2]) | static_cast<DWORD>(p[1]) << 8 | static_cast<DWORD>(p[0]) << 16;
    if (withAlpha) {
        DWORD a =
            HasAlpha()
                ? buffer_.alpha[static_cast<size_t>(y) * static_cast<size_t>(buffer_.width) + static_cast<size_t>(x)]
                : 255;
        color |= a << 24;
    }
    return color;
}

// A running mean and a running sum of squared distances from it, over the packed colour values
// row by row. The arithmetic is kept as it is on purpose: thresholds were tuned against it.
double ColorSpread(const CThumbnailImage& image) {
    double sum = 0, squares = 0, n = 0, spread = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            n += 1;
            double c = image.PixelColor(x, y);
            sum += c;
            double mean = sum / n;
            squares += (c - mean) * (c - mean);
            spread = std::sqrt(squares / n);
        }
    }
    return spread;
}

int IsBlankFrame(const CThumbnailImage* image) {
    if (!image) return -1;
    return ColorSpread(*image) < 100000.0 ? 0 : 1;
}

} // namespace zevrin
