// Windows bitmaps: 1, 4 and 8 bits with a palette, 16 bits (5-5-5 or bit fields), 24 and 32
// bits, stored bottom-up or top-down. Compressed (RLE) bitmaps are refused.
#include "image/ImageBuffer.h"

#include <cstring>

namespace zevrin {

namespace {

uint32_t U32(ImageBytes d, size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
}
uint16_t U16(ImageBytes d, size_t at) { return static_cast<uint16_t>(d[at] | d[at + 1] << 8); }

// The value of `pixel` under a bit-field mask, scaled to 0..255.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    uint32_t max = mask >> shift;
    return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / max);
}

} // namespace

bool DecodeBmp(ImageBytes d, ImageBuffer& out, std::string& error) {
    error = "Not a BMP";
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
    uint32_t dataOffset = U32(d, 10), headerSize = U32(d, 14);
    if (headerSize < 40 || 14 + static_cast<size_t>(headerSize) > d.size()) return false;
    int32_t width = static_cast<int32_t>(U32(d, 18)), height = static_cast<int32_t>(U32(d, 22));
    uint16_t bits = U16(d, 28);
    uint32_t compression = U32(d, 30), colorsUsed = U32(d, 46);
    bool topDown = height < 0;
    long long h = topDown ? -static_cast<long long>(height) : height;
    if (!ReasonableSize(width, h)) return false;
    if (compression != 0 && compression != 3) {
        error = "Decode: Unknown or wrong format";
        return false;
    }

    uint32_t masks[4] = {0x7C00, 0x03E0, 0x001F, 0};
    if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF, masks[3] = 0;
    if (compression == 3) {
        size_t at = headerSize >= 52 ? 14 + 40 : 14 + headerSize;
        if (at + 12 > d.size()) return false;
        for (int i = 0; i < 3; ++i) masks[i] = U32(d, at + 4 * static_cast<size_t>(i));
        if (headerSize >= 56) masks[3] = U32(d, 14 + 52);
    }

    std::vector<uint8_t> palette; // BGR triples
    if (bits <= 8) {
        size_t count = colorsUsed ? colorsUsed : (1u << bits);
        size_t at = 14 + headerSize;
        if (count > 256 || at + count * 4 > d.size()) return false;
        for (size_t i = 0; i < count; ++i) palette.insert(palette.end(), &d[at + i * 4], &d[at + i * 4 + 3]);
    } else if (bits != 16 && bits != 24 && bits != 32) {
        return false;
    }

    size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (dataOffset > d.size() || stride * static_cast<size_t>(h) > d.size() - dataOffset) return false;
    out.Allocate(width, static_cast<int>(h), masks[3] != 0);
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* row = &d[dataOffset + stride * static_cast<size_t>(topDown ? y : out.height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            uint8_t* p = out.Pixel(x, y);
            if (bits <= 8) {
                int perByte = 8 / bits;
                int index = (row[x / perByte] >> ((perByte - 1 - x % perByte) * bits)) & ((1 << bits) - 1);
                if (static_cast<size_t>(index) * 3 + 3 > palette.size()) index = 0;
                std::memcpy(p, &palette[static_cast<size_t>(index) * 3], 3);
            } else if (bits == 24) {
                std::memcpy(p, row + x * 3, 3);
            } else {
                uint32_t v = bits == 16 ? U16(ImageBytes(row, stride), static_cast<size_t>(x) * 2)
                                        : U32(ImageBytes(row, stride), static_cast<size_t>(x) * 4);
                p[0] = Channel(v, masks[2]);
                p[1] = Channel(v, masks[1]);
                p[2] = Channel(v, masks[0]);
                if (masks[3])
                    out.alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                        Channel(v, masks[3]);
            }
        }
    }
    error.clear();
    return true;
}

} // namespace zevrin
