#include "playback/PlaybackTool.h"

#include <algorithm>

namespace zevrin {

namespace {

// A tool that has stopped answering must not hang the user interface; while waiting, the
// sender still serves the tool's own callbacks (SMTO_NORMAL), so the two can't deadlock.
constexpr UINT kCommandTimeoutMs = 2000;

} // namespace

int CPlaybackTool::Setup(const std::wstring& toolPath, HWND displayWindow, HWND callbackWindow) {
    SetToolPath(toolPath);
    displayWindow_ = displayWindow;
    SetCallbackWindow(callbackWindow);
    return 0;
}

void CPlaybackTool::Reset() {
    state_ = PlayerState::Idle;
    stopValue_ = kStopNone;
    toolWindow_ = nullptr;
    media_ = {};
    video_ = {};
    audio_ = {};
    status_ = {};
}

void CPlaybackTool::FinishRun() {
    toolWindow_ = nullptr;
    if (OnToolEvent(harlow::kCallbackEnded, 0, nullptr) == 0 && sink_)
        sink_->Notify(0, harlow::kCallbackEnded, 0, nullptr);
}

int CPlaybackTool::SendCommand(int command, std::int64_t a, std::int64_t b) const {
    if (!toolWindow_) return -1;
    harlow::ToolControlBlock block{};
    block.context = ContextCookie();
    block.command = command;
    block.a = a;
    block.b = b;
    COPYDATASTRUCT data{harlow::kToolControlData, harlow::kToolControlSize, &block};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(toolWindow_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_NORMAL | SMTO_ABORTIFHUNG, kCommandTimeoutMs, &answer))
        return -1;
    return 0;
}

int CPlaybackTool::Stop(int mode) {
    stopValue_ = mode;
    return SendCommand(harlow::kCommandStop);
}

int CPlaybackTool::TogglePause() {
    stopValue_ = kStopInteracted;
    return SendCommand(harlow::kCommandPause);
}

int CPlaybackTool::Seek(std::int64_t timeUs, int relative) {
    return SendCommand(harlow::kCommandSeek, timeUs, relative);
}

int CPlaybackTool::StepFrame() { return SendCommand(harlow::kCommandStep); }

int CPlaybackTool::SetVideoSize(int width, int height) { return SendCommand(harlow::kCommandVideoSize, width, height); }

int CPlaybackTool::SetVolume(int volume) {
    request.volume = std::clamp(volume, 0, 100);
    return SendCommand(harlow::kCommandVolume, request.mute ? 0 : request.volume);
}

int CPlaybackTool::SetMute(int mute) {
    request.mute = mute;
    return SendCommand(harlow::kCommandVolume, mute ? 0 : request.volume);
}

} // namespace zevrin
