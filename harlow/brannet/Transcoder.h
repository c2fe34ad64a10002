// A genuine transcode: decode the chosen streams of one or two inputs, convert, encode, mux.
#pragma once

#include <string>

#include "EncodeOptions.h"

namespace harlow::brannet {

class Progress;

struct TranscodeResult {
    int exitCode = 0;
    std::string error;
};

TranscodeResult Transcode(const EncodeOptions& options, Progress& progress);

} // namespace harlow::brannet
