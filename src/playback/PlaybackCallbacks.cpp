#include "playback/PlaybackTool.h"

#include <cstring>

namespace zevrin {

namespace {

std::intptr_t Address(const void* p) { return reinterpret_cast<std::intptr_t>(p); }

template <class T>
const T* Pointer(std::intptr_t value) {
    return reinterpret_cast<const T*>(value);
}

// Pictures with an odd side are shown at their own size: scaling them by the view's zoom would
// blur a line in every other one.
bool HasOddSide(const harlow::VideoDescription& video) {
    return video.width > 0 && video.height > 0 && (video.width % 2 != 0 || video.height % 2 != 0);
}

} // namespace

LRESULT CPlaybackTool::Translate(ToolCallbackBytes bytes) {
    const auto& block = *reinterpret_cast<const harlow::ToolCallbackBlock*>(bytes.data());
    std::intptr_t args[3] = {};
    int count = 0;
    switch (block.head.type) {
    case harlow::kCallbackMessage:
        args[0] = Address(block.head.text);
        args[1] = block.head.value;
        count = 2;
        break;
    case harlow::kCallbackStream:
        args[0] = block.head.value;
        args[1] = Address(&block.video);
        args[2] = Address(&block.audio);
        count = 3;
        break;
    case harlow::kCallbackOpened:
        toolWindow_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(block.toolWindow));
        args[0] = Address(&block.media);
        args[1] = Address(&block.status);
        count = 2;
        break;
    case harlow::kCallbackPause:
        args[0] = block.head.value;
        count = 1;
        break;
    case harlow::kCallbackEnded:
        break;
    case harlow::kCallbackStatus:
        args[0] = Address(&block.status);
        count = 1;
        break;
    default:
        return -1;
    }
    const int handled = OnToolEvent(block.head.type, count, args);
    if (handled != 0 || !sink_) return handled;
    return sink_->Notify(0, block.head.type, count, args);
}

void CPlaybackTool::TakeStream(int kind, const harlow::VideoDescription* video, const harlow::AudioDescription* audio) {
    if (kind == harlow::kStreamVideo && video) {
        video_ = *video;
        if (HasOddSide(video_)) zoom_ = 100;
        layout.fill(0);
    } else if (kind == harlow::kStreamAudio && audio) {
        audio_ = *audio;
    }
}

int CPlaybackTool::OnToolEvent(int type, int argCount, const std::intptr_t* args) {
    if (stopValue_.load() == kStopWindowClosing) return 1;
    switch (type) {
    case harlow::kCallbackMessage:
        return 0;
    case harlow::kCallbackStream:
        if (argCount < 3) return 1;
        TakeStream(static_cast<int>(args[0]), Pointer<harlow::VideoDescription>(args[1]),
                   Pointer<harlow::AudioDescription>(args[2]));
        return 0;
    case harlow::kCallbackOpened:
        if (argCount < 2) return 1;
        state_ = PlayerState::Playing;
        if (args[0]) media_ = *Pointer<harlow::MediaDescription>(args[0]);
        if (args[1]) status_ = *Pointer<harlow::PlaybackStatus>(args[1]);
        return 0;
    case harlow::kCallbackPause:
        if (argCount < 1) return 1;
        state_ = args[0] ? PlayerState::Paused : PlayerState::Playing;
        return 0;
    case harlow::kCallbackEnded:
        state_ = PlayerState::Idle;
        return 0;
    case harlow::kCallbackStatus:
        if (state_ != PlayerState::Playing || argCount < 1 || !args[0]) return 1;
        status_ = *Pointer<harlow::PlaybackStatus>(args[0]);
        return 0;
    default:
        return -1;
    }
}

} // namespace zevrin
