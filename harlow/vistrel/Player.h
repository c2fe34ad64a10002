// One playback: opens the media, announces it to the caller, runs the read, video and audio
// threads, and answers the caller's commands on the tool's control window (a message-only window
// on this, the user-interface, thread). All callbacks are sent from this thread, so the caller's
// commands are still served while a callback waits for the caller.
#pragma once

#include <windows.h>

#include <memory>

#include "AudioPlayer.h"
#include "CallbackChannel.h"
#include "Demuxer.h"
#include "MediaInput.h"
#include "MediaReport.h"
#include "PlayerOptions.h"
#include "SharedState.h"
#include "VideoPlayer.h"
#include "VideoRenderer.h"

namespace harlow::vistrel {

class Player {
public:
    Player(PlayerOptions options, CallbackChannel channel);
    ~Player();
    int Run(); // the process's exit code

private:
    bool OpenMedia();
    void OpenStreams();
    std::unique_ptr<AudioPlayer> OpenAudio();
    bool CreateControlWindow();
    void Announce();
    void StartThreads();
    void StopThreads();
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(const ToolControlBlock& command);
    void OnTimer(UINT_PTR id);
    void OnStreamDone(int kind, int serial);
    void SetPaused(bool paused);
    void SeekTo(std::int64_t targetUs);
    std::int64_t PositionUs() const;
    void SendStatus(std::int32_t type);
    void Finish(bool reachedEnd);

    PlayerOptions options_;
    CallbackChannel channel_;
    Interrupter interrupter_;
    InputPtr input_;
    quorrin::MediaReport report_;
    std::int64_t originUs_ = 0;
    int videoIndex_ = -1;
    int audioIndex_ = -1;
    SharedState shared_;
    PacketQueue videoQueue_{16 << 20};
    PacketQueue audioQueue_{4 << 20};
    VideoRenderer renderer_;
    std::unique_ptr<VideoPlayer> video_;
    std::unique_ptr<AudioPlayer> audio_;
    std::unique_ptr<Demuxer> demuxer_;
    std::unique_ptr<ToolCallbackBlock> block_;
    HWND control_ = nullptr;
    bool videoDone_ = false;
    bool audioDone_ = false;
    bool finished_ = false;
    bool threadsRunning_ = false;
};

} // namespace harlow::vistrel
