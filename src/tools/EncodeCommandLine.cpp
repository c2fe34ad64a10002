// The encode tool's command line, built from the option record in the order the tool expects:
// inputs, then selections, then metadata, format, video, audio and the output last.
#include "tools/EncodeOptionTable.h"
#include "tools/EncodeTool.h"
#include "tools/ValueFormat.h"

namespace zevrin {

using namespace encode_option;

namespace {

std::wstring TimeText(int ms) { return FormatMs(ms, false, true, true); }

void AppendIfPositive(std::wstring& line, const CToolOption& option, int value) {
    if (value > 0) AppendOption(line, option, value);
}

void AppendIfText(std::wstring& line, const CToolOption& option, const std::wstring& value) {
    if (!value.empty()) AppendOption(line, option, value);
}

} // namespace

std::wstring CEncodeTool::BuildCommandLine() const {
    const CEncodeOptions& o = options_;
    std::wstring line = QuotedToolPath(ToolPath());
    if (o.flags & kEncodeEmitThreads) AppendIfPositive(line, kThreads, o.threads);
    AppendIfPositive(line, kBufferSize, o.bufferSize);
    AppendInputs(line);
    if (o.startMs > 0) AppendOption(line, kStart, TimeText(o.startMs));
    if (o.durationMs > 0) AppendOption(line, kDuration, TimeText(o.durationMs));
    if (o.sizeLimit > 0) AppendOption(line, kSizeLimit, static_cast<long long>(o.sizeLimit));
    AppendIfPositive(line, kCropLeft, o.cropLeft);
    AppendIfPositive(line, kCropTop, o.cropTop);
    AppendIfPositive(line, kCropRight, o.cropRight);
    AppendIfPositive(line, kCropBottom, o.cropBottom);
    AppendMetadata(line);
    AppendIfText(line, kFormat, o.format);
    AppendVideo(line);
    AppendAudio(line);
    AppendArgument(line, o.extraArguments);
    AppendOption(line, kOverwrite);
    AppendIfText(line, kOutput, o.outputPath);
    return line;
}

void CEncodeTool::AppendInputs(std::wstring& line) const {
    const CEncodeOptions& o = options_;
    AppendIfText(line, kInput, o.inputPath);
    if (!o.secondInputPath.empty()) {
        if (o.secondInputOffsetMs > 0) AppendOption(line, kInputOffset, TimeText(o.secondInputOffsetMs));
        AppendOption(line, kInput, o.secondInputPath);
    }
    if (o.mapInput1 >= 0 && o.mapStream1 >= 0 && o.mapInput2 >= 0 && o.mapStream2 >= 0) {
        AppendOption(line, kMap, o.mapInput1, o.mapStream1);
        AppendOption(line, kMap, o.mapInput2, o.mapStream2);
    }
}

void CEncodeTool::AppendMetadata(std::wstring& line) const {
    const CEncodeOptions& o = options_;
    AppendIfText(line, kTitle, o.title);
    AppendIfText(line, kAuthor, o.author);
    AppendIfText(line, kCopyright, o.copyright);
    AppendIfText(line, kComment, o.comment);
    AppendIfText(line, kAlbum, o.album);
    AppendIfPositive(line, kYear, o.year);
    if (o.track >= 0) AppendOption(line, kTrack, o.track);
}

void CEncodeTool::AppendVideo(std::wstring& line) const {
    const CEncodeOptions& o = options_;
    if (o.videoMode < 0) {
        AppendOption(line, kNoVideo);
        return;
    }
    AppendIfText(line, kVideoCodec, o.videoCodec);
    if (o.width > 0 && o.height > 0) AppendOption(line, kSize, o.width, o.height);
    if (o.aspectNum > 0 && o.aspectDen > 0) AppendOption(line, kAspect, o.aspectNum, o.aspectDen);
    if (o.frameRateNum > 0 && o.frameRateDen > 0) AppendOption(line, kFrameRate, o.frameRateNum, o.frameRateDen);
    AppendIfPositive(line, kVideoBitRate, o.videoBitRate);
    if (o.videoMode & kVideoSameQuality) AppendOption(line, kSameQuality);
    if (std::wstring preset; !o.videoPreset.empty() && ResolvePreset(o.videoPreset, preset) == 0)
        AppendOption(line, kVideoPreset, preset);
    AppendIfPositive(line, kFrameCount, o.frameCount);
}

void CEncodeTool::AppendAudio(std::wstring& line) const {
    const CEncodeOptions& o = options_;
    if (o.audioMode < 0) {
        AppendOption(line, kNoAudio);
        return;
    }
    AppendIfText(line, kAudioCodec, o.audioCodec);
    AppendIfPositive(line, kChannels, o.channels);
    AppendIfPositive(line, kSampleRate, o.sampleRate);
    AppendIfPositive(line, kAudioBitRate, o.audioBitRate);
    if (o.volume != 256) AppendOption(line, kVolume, o.volume);
    if (std::wstring preset; !o.audioPreset.empty() && ResolvePreset(o.audioPreset, preset) == 0)
        AppendOption(line, kAudioPreset, preset);
}

} // namespace zevrin
