// The encode tool's options, read from the command line in the order the program writes them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace harlow {
class CommandLine;
}

namespace harlow::brannet {

struct InputSource {
    std::wstring path;
    std::int64_t offsetUs = 0; // -itsoffset given before this input
};

struct StreamMap {
    int input = 0;
    int stream = 0;
};

struct EncodeOptions {
    std::vector<InputSource> inputs;
    std::wstring output;
    std::string format; // muxer name, empty: from the output's extension
    bool overwrite = false;
    int threads = 0;
    int bufferSize = 0;
    std::int64_t startUs = 0;
    std::int64_t durationUs = 0; // 0: to the end
    std::int64_t sizeLimit = 0;  // bytes, 0: none
    std::vector<StreamMap> maps;
    std::map<std::string, std::string> metadata; // container tags, FFmpeg's key names

    bool noVideo = false;
    std::string videoCodec;
    int width = 0, height = 0;
    int aspectNum = 0, aspectDen = 0;
    int frameRateNum = 0, frameRateDen = 0;
    std::int64_t videoBitRate = 0;
    bool sameQuality = false;
    int cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
    std::int64_t frameCount = 0;                    // 0: all
    std::map<std::string, std::string> videoPreset; // encoder options from -vpre

    bool noAudio = false;
    std::string audioCodec;
    int channels = 0;
    int sampleRate = 0;
    std::int64_t audioBitRate = 0;
    int volume = 256; // 256 leaves the level alone
    std::map<std::string, std::string> audioPreset;
};

struct ParseResult {
    std::optional<EncodeOptions> options;
    std::string error; // why the command line can't be honoured
};

// The option names the tool knows; anything else on the line is skipped.
const std::vector<std::wstring>& FlagOptions();
const std::vector<std::wstring>& ValuedOptions();

ParseResult ParseEncodeOptions(const CommandLine& args);

// A preset file: "name=value" lines, '#' starts a comment. Names the tool knows as options
// ("vcodec", "b:v", "s", "r", "acodec", "b:a", "ar", "ac") fill in what the command line left
// unset; every other name is an option of the encoder itself ("g", "qmin", "flags", ...).
bool LoadPreset(const std::wstring& path, std::map<std::string, std::string>& entries);

} // namespace harlow::brannet
