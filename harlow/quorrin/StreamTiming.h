// Durations, frame counts and bit rates measured from the media itself, for containers whose header
// lies (phones write 3GP files whose movie header disagrees with their sample tables) or has
// nothing to say (raw AMR, MP3 without a header, truncated files).
#pragma once

#include <cstdint>
#include <vector>

#include "AvHandles.h"

namespace harlow::quorrin {

struct MeasuredStream {
    std::int64_t durationUs = 0; // 0: not measured
    std::int64_t frames = 0;
    std::int64_t bytes = 0;
};

// From the demuxer's complete sample index (MP4/MOV/3GP), counting only samples whose data lies
// inside the file; empty when the container keeps no complete index.
std::vector<MeasuredStream> MeasureFromIndex(AVFormatContext* input, std::int64_t fileSize);

// Reads every packet (no decoding) within a time and byte budget; empty when the budget ran out.
std::vector<MeasuredStream> MeasureByReading(AVFormatContext* input);

bool KeepsCompleteIndex(const AVFormatContext* input);

} // namespace harlow::quorrin
