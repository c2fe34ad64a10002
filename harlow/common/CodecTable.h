// Our stable numbering of codecs, as the probe writes it in Stream/@Codec and the playback tool in its
// stream descriptions. The table lives in CodecTable.cpp and in harlow/README.md; numbers are never
// reused or changed, only added.
#pragma once

#include <string_view>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace harlow {

struct CodecEntry {
    AVCodecID id;
    int number;
    std::string_view name;
};

inline constexpr int kCodecUnknown = 0;
inline constexpr int kCodecMotionJpeg = 7; // JPEG pictures as the frames of a video
inline constexpr int kCodecJpegPicture = 8;

// The entry for a codec; number kCodecUnknown and FFmpeg's own name when it is not in the table.
CodecEntry LookUpCodec(AVCodecID id);

// True for the numbers the program treats as a single still picture.
bool IsStillImageNumber(int number);

} // namespace harlow
