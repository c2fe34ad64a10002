// Durations, frame counts and bit rates measured from the media itself, for containers whose header
// lies (phones write 3GP files whose movie header disagrees with their sample tables), has nothing
// to say (raw AMR, MP3 without a header) or claims more than the file holds (a file cut short).
// A stream lasts from its first packet to the end of its last one.
#pragma once

#include <cstdint>
#include <vector>

#include "AvHandles.h"

namespace harlow::quorrin {

struct MeasuredStream {
    std::int64_t startUs = AV_NOPTS_VALUE; // the first packet's time; unknown: keep the header's
    std::int64_t durationUs = 0;           // 0: not measured
    std::int64_t frames = 0;               // 0: not counted
    std::int64_t bytes = 0;
};

// From the demuxer's complete sample index (MP4/MOV/3GP), counting only samples whose data lies
// inside the file; each sample lasts as long as the sample table says. Empty when the container
// keeps no complete index.
std::vector<MeasuredStream> MeasureFromIndex(AVFormatContext* input, std::int64_t fileSize);

// Raw AMR (".amr", ".awb"): counts the frames from their header bytes, without the demuxer.
// Empty for anything else.
std::vector<MeasuredStream> MeasureRawAmr(AVFormatContext* input);

// Reads every packet (no decoding) from where the input stands, which must be its start (right
// after opening), within a time and byte budget; empty when the budget ran out.
std::vector<MeasuredStream> MeasureByReading(AVFormatContext* input);

// Reads the packets of the file's last `tailBytes` only: where each stream's content ends. Its cost
// does not grow with the file. FLV only (its tags can be found from any byte); empty for others.
std::vector<MeasuredStream> MeasureTail(AVFormatContext* input, std::int64_t fileSize,
                                        std::int64_t tailBytes = std::int64_t(1) << 20);

// The offset of the first whole FLV tag in `data` (from the middle of a file), -1 when none.
std::int64_t FindFlvTagStart(const std::uint8_t* data, std::int64_t size);

// Back to the first packet after a measurement read the input; false when the container can't
// seek (the input must then be opened again before it is read).
bool RewindToStart(AVFormatContext* input);

bool KeepsCompleteIndex(const AVFormatContext* input);

// Files up to this size are read whole to check what their header claims; larger ones are checked
// at their end (MeasureTail, the last megabyte).
inline constexpr std::int64_t kWholeReadBytes = std::int64_t(32) << 20;

} // namespace harlow::quorrin
