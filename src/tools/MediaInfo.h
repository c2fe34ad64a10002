#pragma once
// What the probe tool found out about one media file: the container and its streams, with the
// per-kind stream indices derived from them. Playlist items embed it by value.
#include <cstdint>
#include <string>
#include <vector>

namespace zevrin {

enum MediaStreamType : int { kStreamTypeVideo = 0, kStreamTypeAudio = 1 }; // other values are kept

enum MediaInfoFlags : std::uint32_t { kMediaFlagVideo = 1, kMediaFlagAudio = 2 };

struct CMediaStream {
    int type = 0;
    std::uint32_t flags = 0;
    std::wstring format;
    int codec = 0;              // the probe tool's codec number
    std::int64_t startTime = 0; // microseconds
    std::int64_t duration = 0;  // microseconds
    std::int64_t frames = 0;
    int bitRate = 0; // bits per second
    int frameRateNum = 0, frameRateDen = 0;
    int width = 0, height = 0;
    int aspectNum = 0, aspectDen = 0; // display aspect
    int sampleRate = 0;
    int channels = 0;
};

struct CMediaInfo {
    std::uint32_t flags = 0; // kMediaFlagVideo, kMediaFlagAudio and the tool's own bits
    std::wstring format;
    std::int64_t size = 0;      // bytes
    std::int64_t startTime = 0; // microseconds
    std::int64_t duration = 0;  // microseconds
    int bitRate = 0;
    int streamCount = 0; // as the tool reported it, which need not match streams.size()
    std::wstring title, author, copyright, comment, album, genre;
    int year = 0;
    int track = 0;
    std::vector<CMediaStream> streams;

    std::vector<int> videoStreams; // indices into streams, in order
    int firstVideo = -1;
    std::vector<int> audioStreams;
    int firstAudio = -1;

    // Derives the indices above and the video and audio flag bits from the streams.
    void BuildStreamIndex();
    // A single still picture (such media is not played).
    bool IsStillImage() const;
};

} // namespace zevrin
