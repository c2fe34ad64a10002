#include "playback/PlaybackTool.h"

#include "tools/ToolOption.h"
#include "tools/ValueFormat.h"

namespace zevrin {

namespace {

// The playback tool's options. The start position is text ("h:mm:ss.fff"); handles are written
// as 64-bit numbers, since a handle does not fit a 32-bit long on 64-bit Windows.
constexpr CToolOption kMedia{nullptr, ToolOptionKind::Text, L"\"%s\""};
constexpr CToolOption kDisplayWindow{L"-displaywindow", ToolOptionKind::Integer64, L"%I64d"};
constexpr CToolOption kStart{L"-ss", ToolOptionKind::Time, L"%s"};
constexpr CToolOption kNoVideo{L"-vn", ToolOptionKind::Flag, nullptr};
constexpr CToolOption kVideoDriver{L"-videodriver", ToolOptionKind::Text, L"%s"};
constexpr CToolOption kNoAudio{L"-an", ToolOptionKind::Flag, nullptr};
constexpr CToolOption kAudioDriver{L"-audiodriver", ToolOptionKind::Text, L"%s"};
constexpr CToolOption kVolume{L"-volume", ToolOptionKind::Integer, L"%d"};
constexpr CToolOption kEffect{L"-effect", ToolOptionKind::Integer, L"%d"};
constexpr CToolOption kThreads{L"-threads", ToolOptionKind::Integer, L"%d"};

long long HandleValue(HWND window) { return static_cast<long long>(reinterpret_cast<LONG_PTR>(window)); }

} // namespace

std::wstring CPlaybackTool::BuildCommandLine(const CPlayRequest& request) const {
    // Without a tool or a medium the tool would only fail, or worse, sit waiting.
    if (ToolPath().empty() || request.mediaPath.empty()) return {};
    std::wstring line = QuotedToolPath(ToolPath());
    if (displayWindow_) AppendOption(line, kDisplayWindow, HandleValue(displayWindow_));
    if (request.videoStream < 0) AppendOption(line, kNoVideo);
    if (!videoDriver.empty()) AppendOption(line, kVideoDriver, videoDriver);
    if (request.audioStream < 0) AppendOption(line, kNoAudio);
    if (!audioDriver.empty()) AppendOption(line, kAudioDriver, audioDriver);
    if (threads > 0) AppendOption(line, kThreads, threads);
    AppendOption(line, kMedia, request.mediaPath);
    if (request.startMs > 0) AppendOption(line, kStart, FormatMs(request.startMs, false, true, true));
    if (request.mute)
        AppendOption(line, kVolume, 0);
    else if (request.volume != 100)
        AppendOption(line, kVolume, request.volume);
    if (effect_ >= 0) AppendOption(line, kEffect, effect_);
    return line;
}

int CPlaybackTool::Play(const CPlayRequest& request, const ToolStopFlag* stopFlag) const {
    const std::wstring line = BuildCommandLine(request);
    if (line.empty()) return -1;
    return RunWithCallback(line, stopFlag);
}

int CPlaybackTool::RunPlayback(const CPlayRequest& snapshot) const { return Play(snapshot, &stopValue_); }

} // namespace zevrin
