// What the probe learns about one piece of media, before it is written out as XML.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AvHandles.h"

namespace harlow::quorrin {

enum class StreamType : int { Video = 0, Audio = 1, Subtitle = 2, Data = 3, Attachment = 4, Other = 5 };

// MediaInfo/@Flags beyond the program's own bits 0 (video) and 1 (audio).
enum MediaFlag : std::uint32_t {
    kHasVideo = 1,
    kHasAudio = 2,
    kSeekable = 4,
    kNetwork = 8,
    kDurationCorrected = 16, // the container's own duration disagreed with its content
    kStillImage = 32,
};

// Stream/@Flags.
enum StreamFlag : std::uint32_t {
    kStreamDefault = 1,
    kStreamAttachedPicture = 2,
    kStreamDurationCorrected = 4,
};

struct StreamReport {
    StreamType type = StreamType::Other;
    std::uint32_t flags = 0;
    std::string format;         // codec name as shown to the user
    int codec = 0;              // our codec number
    std::int64_t startTime = 0; // µs
    std::int64_t duration = 0;  // µs
    std::int64_t frames = 0;
    std::int64_t bitRate = 0;
    int width = 0, height = 0;
    int aspectNum = 0, aspectDen = 0;
    int frameRateNum = 0, frameRateDen = 0;
    int sampleRate = 0, channels = 0;
    std::string language;
};

struct MetaReport {
    std::string title, author, copyright, comment, album, genre;
    int year = 0;
    int track = 0;
};

struct MediaReport {
    std::uint32_t flags = 0;
    std::string format;
    std::int64_t size = 0;
    std::int64_t startTime = 0;
    std::int64_t duration = 0;
    std::int64_t bitRate = 0;
    std::vector<StreamReport> streams;
    MetaReport meta;
    bool inputAtStart = true; // false: measuring read the input and it can't seek back
};

// Describes an input just opened (nothing read from it yet). `size` is the file size in bytes, or
// -1 for a URL. May read packets (bounded) to correct durations the container's header gets wrong;
// the input is then rewound, or `inputAtStart` says it could not be.
MediaReport DescribeMedia(AVFormatContext* input, std::int64_t size, bool isUrl);

// True when the report holds at least one audio or video stream a player could use.
bool HasPlayableStream(const MediaReport& report);

} // namespace harlow::quorrin
