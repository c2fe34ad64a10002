// Decoder set-up shared by frame extraction and transcoding.
#pragma once

#include "AvHandles.h"

namespace harlow::brannet {

// A decoder for the stream, using `threads` threads (0: as many as the machine has); null when the
// build has no decoder for it.
CodecPtr OpenDecoder(const AVStream* stream, int threads);

// The video stream to take pictures from: the best real video, else an attached picture (cover art).
int ChooseVideoStream(AVFormatContext* input);

} // namespace harlow::brannet
