#pragma once
// The playback tool's wrapper: builds the tool's command line from a play request, steers the
// running tool with control commands and keeps what the tool reports (state, the media, video,
// audio and status descriptions).
//
// Threads: everything here runs on the user interface thread except Play/RunPlayback, which the
// play thread runs, and which read only the request snapshot they are given and the settings
// fixed before the run (tool path, windows, drivers, effect, threads).
#include "playback/PlayRequest.h"
#include "playback/PlayerState.h"
#include "tools/ToolClient.h"
#include "tools/ToolSink.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

namespace zevrin {

class CPlaybackTool : public CToolClient {
public:
    std::wstring videoDriver = L"windib";
    std::wstring audioDriver = L"waveout";
    int threads = 8;

    int Setup(const std::wstring& toolPath, HWND displayWindow, HWND callbackWindow);
    void SetSink(IToolSink* sink) { sink_ = sink; }
    HWND DisplayWindow() const { return displayWindow_; }

    // The complete command line for `request`, without the callback arguments that
    // RunWithCallback adds; "" when there is nothing to play or no tool.
    std::wstring BuildCommandLine(const CPlayRequest& request) const;
    // Builds the command line and runs the tool until it ends: 0, -1 (also when building
    // fails), or 1 when the run was stopped or paused.
    int Play(const CPlayRequest& request, const ToolStopFlag* stopFlag) const;
    // Plays `snapshot` with the wrapper's own stop flag. Runs on the play thread; the end of the
    // run is told on the user interface thread by FinishRun.
    int RunPlayback(const CPlayRequest& snapshot) const;
    // After the play thread has been joined: the tool has gone, so its window is forgotten,
    // and the end (type 4) is handled and told to the sink as if the tool had sent it.
    void FinishRun();

    // State and received blocks back to zero for a new run, and the previous tool's window
    // forgotten: a handle of a window that has gone may come back as somebody else's window.
    void Reset();

    // Control commands. Each returns 0 when the tool took it, -1 when no tool has reported its
    // window yet or it did not answer in time.
    int Stop(int mode);
    int TogglePause();
    int Seek(std::int64_t timeUs, int relative);
    int StepFrame(); // while paused: the next video frame
    int SetVideoSize(int width, int height);

    PlayerState GetState() const { return state_; }
    void SetStarting() { state_ = PlayerState::Starting; }
    bool IsStarting() const { return state_ == PlayerState::Starting; }
    bool IsPlaying() const { return state_ == PlayerState::Playing; }
    bool IsPaused() const { return state_ == PlayerState::Paused; }
    bool IsActive() const { return state_ != PlayerState::Idle; }

    int GetZoom() const { return zoom_; }
    void SetZoom(int percent) { zoom_ = percent; }
    int GetEffect() const { return effect_; }
    void SetEffect(int value) { effect_ = value; }
    int GetVolume() const { return request.volume; }
    int SetVolume(int volume);
    int GetMute() const { return request.mute; }
    int SetMute(int mute);

    LRESULT Translate(ToolCallbackBytes block) override;
    bool AcceptsCallbacks() const override { return stopValue_.load() != kStopWindowClosing; }
    // The wrapper's own handling of a callback, before the sink hears of it: 0 handled,
    // 1 ignored (the sink is not told), -1 a type the tool does not send.
    int OnToolEvent(int type, int argCount, const std::intptr_t* args);

    const ToolStopFlag& StopValue() const { return stopValue_; }
    HWND ToolWindow() const { return toolWindow_; }
    const harlow::MediaDescription& Media() const { return media_; }
    const harlow::VideoDescription& Video() const { return video_; }
    const harlow::AudioDescription& Audio() const { return audio_; }
    const harlow::PlaybackStatus& Status() const { return status_; }
    std::int64_t DurationUs() const { return media_.duration; }
    std::int64_t PositionUs() const { return status_.position; }

    CPlayRequest request;
    std::array<int, 4> layout{}; // the display view's layout state, cleared by each video description

private:
    int SendCommand(int command, std::int64_t a = 0, std::int64_t b = 0) const;
    void TakeStream(int kind, const harlow::VideoDescription* video, const harlow::AudioDescription* audio);

    HWND displayWindow_ = nullptr;
    HWND toolWindow_ = nullptr;
    IToolSink* sink_ = nullptr;
    int effect_ = 1;
    int zoom_ = 100;
    PlayerState state_ = PlayerState::Idle;
    ToolStopFlag stopValue_{kStopNone};
    harlow::MediaDescription media_{};
    harlow::VideoDescription video_{};
    harlow::AudioDescription audio_{};
    harlow::PlaybackStatus status_{};
};

} // namespace zevrin
