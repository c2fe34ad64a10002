// PNG through libpng's simplified interface.
#include "image/ImageBuffer.h"

#include <png.h>

#include <cstring>

namespace zevrin {

bool DecodePng(ImageBytes data, ImageBuffer& out, std::string& error) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) {
        error = "Not a PNG file";
        return false;
    }
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) {
        error = image.message;
        return false;
    }
    if (!ReasonableSize(image.width, image.height)) {
        png_image_free(&image);
        error = "Image too large";
        return false;
    }
    bool hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint8_t> bgra(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bgra.data(), 0, nullptr)) {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    out.Allocate(static_cast<int>(image.width), static_cast<int>(image.height), hasAlpha);
    size_t count = static_cast<size_t>(out.width) * static_cast<size_t>(out.height);
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(&out.bgr[i * 3], &bgra[i * 4], 3);
        if (hasAlpha) out.alpha[i] = bgra[i * 4 + 3];
    }
    return true;
}

} // namespace zevrin
