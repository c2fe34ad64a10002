// One picture out of a video, fast: seek to the key frame before the wanted time and decode forward
// from there, never from the start.
#pragma once

#include <string>

#include "EncodeOptions.h"

namespace harlow::brannet {

struct ExtractResult {
    int exitCode = 0;
    std::string error;
};

// True when the options ask for pictures rather than a media file: format image2 (or a picture
// file name without a format) and exactly one frame.
bool IsSingleFrameRequest(const EncodeOptions& options);

ExtractResult ExtractOneFrame(const EncodeOptions& options);

} // namespace harlow::brannet
