// Encodes one decoded frame as a picture file: JPEG, or PNG/BMP when the file name asks for it.
#pragma once

#include <string>

#include "AvHandles.h"

namespace harlow::brannet {

struct PictureRequest {
    int width = 0, height = 0; // 0: the source's display size
    int cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
};

// The encoder is chosen by `nameForType`'s extension; the bytes go to `path`.
bool WritePicture(const AVFrame& frame, const AVStream* stream, const PictureRequest& request, const std::wstring& path,
                  const std::wstring& nameForType);

} // namespace harlow::brannet
