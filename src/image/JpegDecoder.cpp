// JPEG through libjpeg(-turbo). Its errors arrive through longjmp, so the decoding runs in a
// function whose frame holds nothing that needs destroying.
#include "image/ImageBuffer.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace zevrin {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    longjmp(err->escape, 1);
}

// Warnings are printed nowhere. A file that ends early is a failure, though: half a picture
// padded with grey is no thumbnail.
void OnMessage(j_common_ptr cinfo, int level) {
    if (level == -1 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnError(cinfo);
}

// Returns true on success; `rows` receives BGR scanlines once the size is known.
bool Decode(ImageBytes data, ImageBuffer& out, char* message) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    err.base.emit_message = OnMessage;
    err.message[0] = '\0';
    if (setjmp(err.escape)) {
        jpeg_destroy_decompress(&cinfo);
        snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    if (!ReasonableSize(cinfo.output_width, cinfo.output_height)) {
        jpeg_destroy_decompress(&cinfo);
        snprintf(message, JMSG_LENGTH_MAX, "Image too large");
        return false;
    }
    out.Allocate(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), false);
    unsigned char cmykRow[kMaxImageSide * 4];
    while (cinfo.output_scanline < cinfo.output_height) {
        int y = static_cast<int>(cinfo.output_scanline);
        JSAMPROW row = cmyk ? cmykRow : out.Pixel(0, y);
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (cmyk) {
            // Adobe writes CMYK inverted: the stored values are already 255 - ink.
            uint8_t* dst = out.Pixel(0, y);
            for (int x = 0; x < out.width; ++x) {
                const unsigned char* p = cmykRow + x * 4;
                dst[x * 3 + 0] = static_cast<uint8_t>(p[2] * p[3] / 255);
                dst[x * 3 + 1] = static_cast<uint8_t>(p[1] * p[3] / 255);
                dst[x * 3 + 2] = static_cast<uint8_t>(p[0] * p[3] / 255);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

bool DecodeJpeg(ImageBytes data, ImageBuffer& out, std::string& error) {
    if (data.size() < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF) {
        error = "Decode: Unknown or wrong format";
        return false;
    }
    char message[JMSG_LENGTH_MAX] = "";
    if (Decode(data, out, message)) return true;
    out = ImageBuffer{};
    error = message;
    return false;
}

} // namespace zevrin
