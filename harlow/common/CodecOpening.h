// Opening decoders and encoders the one way all three tools do it, so that a setting added for one
// (threads, the packets' time base, how leftover options are judged) holds for all.
#pragma once

#include <map>
#include <string>

#include "AvHandles.h"

namespace harlow {

// A decoder for the stream, using `threads` threads (0: as many as the machine has); null when the
// build has no decoder for it or it refuses the stream's parameters.
CodecPtr OpenDecoder(const AVStream* stream, int threads);

struct EncoderOpening {
    bool opened = false;
    std::string unusedOption; // the first option the encoder did not take, when any
};

// Opens a configured encoder context with the encoder's own (private) options.
EncoderOpening OpenEncoder(AVCodecContext* encoder, const AVCodec* codec,
                           const std::map<std::string, std::string>& options = {});

} // namespace harlow
