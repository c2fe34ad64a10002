// Truevision TGA: uncompressed or run-length coded, 24 or 32-bit colour or 8-bit grey.
#include "image/ImageBuffer.h"

namespace zevrin {

bool DecodeTga(ImageBytes d, ImageBuffer& out, std::string& error) {
    error = "Not a TGA";
    if (d.size() < 18) return false;
    int idLength = d[0], colorMapType = d[1], type = d[2];
    int width = d[12] | d[13] << 8, height = d[14] | d[15] << 8, bits = d[16], descriptor = d[17];
    bool rle = type == 10 || type == 11;
    bool grey = type == 3 || type == 11;
    if (colorMapType != 0 || (type != 2 && type != 3 && type != 10 && type != 11)) return false;
    if ((grey && bits != 8) || (!grey && bits != 24 && bits != 32) || !ReasonableSize(width, height)) return false;
    const size_t bytes = static_cast<size_t>(bits / 8);
    size_t at = 18 + static_cast<size_t>(idLength);
    out.Allocate(width, height, bits == 32);
    size_t total = static_cast<size_t>(width) * static_cast<size_t>(height), done = 0;
    auto put = [&](const uint8_t* src) {
        size_t x = done % static_cast<size_t>(width), row = done / static_cast<size_t>(width);
        int y = (descriptor & 0x20) ? static_cast<int>(row) : height - 1 - static_cast<int>(row);
        uint8_t* p = out.Pixel(static_cast<int>(x), y);
        p[0] = src[0];
        p[1] = grey ? src[0] : src[1];
        p[2] = grey ? src[0] : src[2];
        if (bits == 32) out.alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + x] = src[3];
        ++done;
    };
    while (done < total) {
        if (!rle) {
            if (at + bytes > d.size()) break;
            put(&d[at]);
            at += bytes;
            continue;
        }
        if (at >= d.size()) break;
        uint8_t header = d[at++];
        size_t count = (header & 0x7F) + 1u;
        if (header & 0x80) {
            if (at + bytes > d.size()) break;
            for (size_t i = 0; i < count && done < total; ++i) put(&d[at]);
            at += bytes;
        } else {
            for (size_t i = 0; i < count && done < total; ++i, at += bytes) {
                if (at + bytes > d.size()) break;
                put(&d[at]);
            }
        }
    }
    if (done < total) {
        out = ImageBuffer{};
        return false;
    }
    error.clear();
    return true;
}

} // namespace zevrin
