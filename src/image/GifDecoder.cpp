// The first picture of a GIF file: LZW-coded palette indices, interlaced or not, with the
// transparent colour as alpha.
#include "image/ImageBuffer.h"

#include <cstring>

namespace zevrin {

namespace {

class Reader {
public:
    explicit Reader(ImageBytes d) : d_(d) {}
    bool Has(size_t n) const { return pos_ + n <= d_.size(); }
    uint8_t U8() { return Has(1) ? d_[pos_++] : 0; }
    uint16_t U16() {
        uint16_t lo = U8();
        return static_cast<uint16_t>(lo | U8() << 8);
    }
    void Skip(size_t n) { pos_ = Has(n) ? pos_ + n : d_.size(); }
    const uint8_t* Here() const { return d_.data() + pos_; }
    bool AtEnd() const { return pos_ >= d_.size(); }
    // Sub-blocks: a length byte, that many bytes, until a zero length.
    std::vector<uint8_t> SubBlocks() {
        std::vector<uint8_t> bytes;
        for (uint8_t n = U8(); n && Has(n); n = U8()) {
            bytes.insert(bytes.end(), Here(), Here() + n);
            Skip(n);
        }
        return bytes;
    }
    void SkipSubBlocks() {
        for (uint8_t n = U8(); n && !AtEnd(); n = U8()) Skip(n);
    }

private:
    ImageBytes d_;
    size_t pos_ = 0;
};

// Decodes `count` indices; a damaged stream leaves the rest at 0.
std::vector<uint8_t> Lzw(const std::vector<uint8_t>& codes, int minCodeSize, size_t count) {
    std::vector<uint8_t> out;
    out.reserve(count);
    if (minCodeSize < 2 || minCodeSize > 11) return std::vector<uint8_t>(count, 0);
    const int clear = 1 << minCodeSize, end = clear + 1;
    std::vector<uint16_t> prefix(4096);
    std::vector<uint8_t> suffix(4096), stack(4097);
    int codeSize = minCodeSize + 1, next = clear + 2, previous = -1;
    uint8_t first = 0;
    uint32_t bitBuffer = 0;
    int bitCount = 0;
    size_t at = 0;
    for (int i = 0; i < clear; ++i) suffix[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    while (out.size() < count) {
        while (bitCount < codeSize && at < codes.size()) {
            bitBuffer |= static_cast<uint32_t>(codes[at++]) << bitCount;
            bitCount += 8;
        }
        if (bitCount < codeSize) break;
        int code = static_cast<int>(bitBuffer & ((1u << codeSize) - 1));
        bitBuffer >>= codeSize;
        bitCount -= codeSize;
        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end) break;
        if (previous == -1) {
            if (code >= clear) break;
            out.push_back(static_cast<uint8_t>(code));
            previous = code;
            first = static_cast<uint8_t>(code);
            continue;
        }
        int in = code;
        size_t top = 0;
        if (code >= next) {
            if (code > next) break; // damaged
            stack[top++] = first;
            code = previous;
        }
        while (code >= clear && top < 4096) {
            stack[top++] = suffix[static_cast<size_t>(code)];
            code = prefix[static_cast<size_t>(code)];
        }
        stack[top++] = static_cast<uint8_t>(code);
        first = static_cast<uint8_t>(code);
        while (top && out.size() < count) out.push_back(stack[--top]);
        if (next < 4096) {
            prefix[static_cast<size_t>(next)] = static_cast<uint16_t>(previous);
            suffix[static_cast<size_t>(next)] = first;
            ++next;
            if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
        }
        previous = in;
    }
    out.resize(count, 0);
    return out;
}

// Row order of an interlaced picture: every 8th from 0, every 8th from 4, every 4th from 2,
// every 2nd from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass]) rows.push_back(y);
    return rows;
}

} // namespace

bool DecodeGif(ImageBytes data, ImageBuffer& out, std::string& error) {
    error = "Decode: Unknown or wrong format";
    if (data.size() < 13 || std::memcmp(data.data(), "GIF8", 4) != 0) return false;
    Reader r(data);
    r.Skip(6);
    int screenWidth = r.U16(), screenHeight = r.U16();
    uint8_t flags = r.U8();
    r.Skip(2);
    std::vector<uint8_t> globalPalette;
    if (flags & 0x80) {
        size_t n = 3u << ((flags & 7) + 1);
        if (!r.Has(n)) return false;
        globalPalette.assign(r.Here(), r.Here() + n);
        r.Skip(n);
    }
    int transparent = -1;
    while (!r.AtEnd()) {
        uint8_t block = r.U8();
        if (block == 0x21) { // extension
            uint8_t label = r.U8();
            std::vector<uint8_t> bytes = r.SubBlocks();
            if (label == 0xF9 && bytes.size() >= 4 && (bytes[0] & 1)) transparent = bytes[3];
            continue;
        }
        if (block != 0x2C) return false; // trailer or garbage before any picture
        int left = r.U16(), top = r.U16(), w = r.U16(), h = r.U16();
        uint8_t imageFlags = r.U8();
        std::vector<uint8_t> palette = globalPalette;
        if (imageFlags & 0x80) {
            size_t n = 3u << ((imageFlags & 7) + 1);
            if (!r.Has(n)) return false;
            palette.assign(r.Here(), r.Here() + n);
            r.Skip(n);
        }
        int canvasW = std::max(screenWidth, left + w), canvasH = std::max(screenHeight, top + h);
        if (!ReasonableSize(canvasW, canvasH) || w == 0 || h == 0 || palette.empty()) return false;
        int minCodeSize = r.U8();
        std::vector<uint8_t> indices = Lzw(r.SubBlocks(), minCodeSize, static_cast<size_t>(w) * static_cast<size_t>(h));

        out.Allocate(canvasW, canvasH, transparent >= 0);
        if (transparent >= 0) std::fill(out.alpha.begin(), out.alpha.end(), 0);
        std::vector<int> rows = RowOrder(h, imageFlags & 0x40);
        for (int i = 0; i < h; ++i) {
            int y = top + rows[static_cast<size_t>(i)];
            for (int x = 0; x < w; ++x) {
                uint8_t index = indices[static_cast<size_t>(i) * static_cast<size_t>(w) + static_cast<size_t>(x)];
                if (index == transparent) continue;
                size_t c = std::min<size_t>(index, palette.size() / 3 - 1) * 3;
                uint8_t* p = out.Pixel(left + x, y);
                p[0] = palette[c + 2];
                p[1] = palette[c + 1];
                p[2] = palette[c];
                if (transparent >= 0)
                    out.alpha[static_cast<size_t>(y) * static_cast<size_t>(canvasW) + static_cast<size_t>(left + x)] =
                        255;
            }
        }
        error.clear();
        return true;
    }
    return false;
}

} // namespace zevrin
