#pragma once
// Everything the encode tool can be asked to do, as one record that the command builder turns
// into the tool's options (see EncodeTool.h). Numbers at their neutral value emit nothing.
#include <cstdint>
#include <string>

namespace zevrin {

enum EncodeOptionFlags : int { kEncodeEmitThreads = 1 };
enum EncodeVideoMode : int { kVideoSameQuality = 1 }; // a negative mode drops the video

struct CEncodeOptions {
    CEncodeOptions() { Reset(); }
    void Reset() { *this = CEncodeOptions(Neutral{}); }
    // Odd picture sizes are rounded down to even ones, which every video codec accepts.
    void Normalise();

    int flags;
    int threads;
    int bufferSize;
    std::wstring inputPath;
    int startMs;
    int durationMs;
    std::int64_t sizeLimit; // bytes
    std::wstring format;
    std::wstring outputPath;
    int mapInput1, mapStream1, mapInput2, mapStream2; // all four 0 or more: two "-map"
    std::wstring title, author, copyright, comment, album;
    std::wstring extraText; // kept with the record, never given to the tool
    int year;
    int track; // 0 is a track number; -1 means none
    int videoMode;
    int cropLeft, cropTop, cropRight, cropBottom;
    std::wstring videoCodec;
    int width, height;
    int aspectNum, aspectDen;
    int frameRateNum, frameRateDen;
    int videoBitRate;
    int frameCount;
    std::wstring videoPreset;
    int audioMode; // negative drops the audio
    std::wstring secondInputPath;
    int secondInputOffsetMs;
    std::wstring audioCodec;
    int channels;
    int sampleRate;
    int audioBitRate;
    int volume; // 256 leaves the level as it is
    std::wstring audioPreset;
    std::wstring extraArguments; // appended to the command line as they are

private:
    struct Neutral {};
    explicit CEncodeOptions(Neutral)
        : flags(0), threads(0), bufferSize(0), startMs(0), durationMs(0), sizeLimit(0), mapInput1(-1), mapStream1(-1),
          mapInput2(-1), mapStream2(-1), year(0), track(-1), videoMode(0), cropLeft(0), cropTop(0), cropRight(0),
          cropBottom(0), width(0), height(0), aspectNum(0), aspectDen(0), frameRateNum(0), frameRateDen(0),
          videoBitRate(0), frameCount(0), audioMode(0), secondInputOffsetMs(0), channels(0), sampleRate(0),
          audioBitRate(0), volume(256) {}
};

} // namespace zevrin
