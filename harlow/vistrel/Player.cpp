#include "Player.h"

#include "Descriptions.h"
#include "MessageWindow.h"
#include "StreamChoice.h"
#include "ToolProcess.h"

#include <algorithm>
#include <cstring>
#include <future>

namespace harlow::vistrel {

namespace {

constexpr wchar_t kControlClass[] = L"HarlowPlaybackControl";
constexpr UINT kMessageSendPause = WM_APP + 10;
constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT_PTR kWatchTimer = 2;
constexpr UINT kStatusIntervalMs = 250;
constexpr UINT kWatchIntervalMs = 100;

std::int64_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (std::int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

Player::Player(PlayerOptions options, CallbackChannel channel)
    : options_(std::move(options)), channel_(channel), block_(std::make_unique<ToolCallbackBlock>()) {
    std::memset(block_.get(), 0, sizeof(ToolCallbackBlock));
    shared_.volume = options_.volume;
}

Player::~Player() {
    StopThreads();
    renderer_.Destroy();
    if (control_) DestroyWindow(control_);
}

bool Player::CreateControlWindow() {
    control_ = CreateMessageWindow(kControlClass, ControlProc, this);
    shared_.controlWindow = control_;
    return control_ != nullptr;
}

// The input, its description and the streams to play; touches no window, so that it can run
// while the control window is being made.
bool Player::OpenMedia() {
    const bool url = IsUrl(options_.media);
    const std::int64_t size = url ? -1 : FileSize(options_.media);
    if (!url && size < 0) return false;
    input_ = OpenInput(options_.media, interrupter_);
    if (!input_) return false;
    // The same description the probe writes, so that durations agree with it.
    interrupter_.Arm(std::chrono::seconds(10));
    report_ = quorrin::DescribeMedia(input_.get(), size, url);
    interrupter_.Disarm();
    if (!report_.inputAtStart) {
        // The description read a container that can't seek back: start over.
        input_ = OpenInput(options_.media, interrupter_);
        if (!input_) return false;
    }
    originUs_ = input_->start_time == AV_NOPTS_VALUE ? 0 : input_->start_time;
    if (!options_.noVideo) {
        videoIndex_ = ChooseVideoStream(input_.get(), CoverArt::Never);
    }
    if (!options_.noAudio) audioIndex_ = av_find_best_stream(input_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    return videoIndex_ >= 0 || audioIndex_ >= 0;
}

// Opening the sound device takes about as long as everything else before the first picture; it
// runs beside the picture's side (the render window belongs to this thread, the device does not).
void Player::OpenStreams() {
    std::future<std::unique_ptr<AudioPlayer>> audio;
    if (audioIndex_ >= 0)
        audio = std::async(std::launch::async | std::launch::deferred, [this] { return OpenAudio(); });
    if (videoIndex_ >= 0 && options_.displayWindow &&
        renderer_.Create(options_.displayWindow, options_.effect, &shared_.redrawRequested)) {
        video_ = std::make_unique<VideoPlayer>(shared_, videoQueue_, renderer_);
        if (!video_->Open(input_->streams[videoIndex_], input_.get(), originUs_, options_.threads)) video_.reset();
    }
    if (audio.valid()) audio_ = audio.get();
}

std::unique_ptr<AudioPlayer> Player::OpenAudio() {
    auto audio = std::make_unique<AudioPlayer>(shared_, audioQueue_);
    const bool useDevice = options_.audioDriver != L"none";
    // Without a device (no sound server) the media still plays, timed by the system clock.
    if (!audio->Open(input_->streams[audioIndex_], originUs_, options_.threads, useDevice)) return nullptr;
    return audio;
}

void Player::Announce() {
    ToolCallbackBlock& b = *block_;
    DescribeMedia(report_, options_.media, videoIndex_, audioIndex_, audio_ != nullptr, b.media);
    if (videoIndex_ >= 0) {
        RECT client{};
        GetClientRect(renderer_.Window(), &client);
        DescribeVideo(report_, videoIndex_, video_ ? video_->Decoder() : nullptr, client.right, client.bottom, b.video);
    }
    if (audioIndex_ >= 0)
        DescribeAudio(report_, audioIndex_, audio_ ? audio_->Device().SampleRate() : 0,
                      audio_ ? audio_->Device().Channels() : 0, audio_ != nullptr, b.audio);
    b.toolWindow = reinterpret_cast<std::uintptr_t>(control_);
    SendStatus(kCallbackOpened);
    if (videoIndex_ >= 0) {
        b.head.value = kStreamVideo;
        channel_.Send(&b, kCallbackStream, control_);
    }
    if (audioIndex_ >= 0) {
        b.head.value = kStreamAudio;
        channel_.Send(&b, kCallbackStream, control_);
    }
    b.head.value = 0;
}

void Player::StartThreads() {
    demuxer_ = std::make_unique<Demuxer>(shared_, input_.get(), interrupter_, originUs_);
    demuxer_->Route(videoIndex_, video_ ? &videoQueue_ : nullptr, audioIndex_, audio_ ? &audioQueue_ : nullptr);
    shared_.clock.Set(options_.startUs);
    if (options_.startUs > 0) {
        shared_.seekTargetUs = options_.startUs;
        demuxer_->RequestSeek(options_.startUs);
    }
    demuxer_->Start();
    if (video_) video_->Start();
    if (audio_) audio_->Start();
    threadsRunning_ = true;
}

void Player::StopThreads() {
    if (!threadsRunning_) return;
    shared_.stop = true;
    interrupter_.RequestStop();
    videoQueue_.Abort();
    audioQueue_.Abort();
    if (demuxer_) demuxer_->Join();
    if (video_) video_->Join();
    if (audio_) audio_->Join();
    threadsRunning_ = false;
}

int Player::Run() {
    // The control window is the process's first window: making it sets up the display
    // connection, and the media is opened meanwhile.
    std::future<bool> media = std::async(std::launch::async | std::launch::deferred, [this] { return OpenMedia(); });
    const bool controlMade = CreateControlWindow();
    const bool mediaOpened = media.get();
    if (!controlMade) return kExitCrashed;
    if (!mediaOpened) {
        channel_.SendMessageText(kMessageError, "the media can't be played");
        return kExitInput;
    }
    OpenStreams();
    Announce();
    StartThreads();
    SetTimer(control_, kStatusTimer, kStatusIntervalMs, nullptr);
    SetTimer(control_, kWatchTimer, kWatchIntervalMs, nullptr);
    MSG msg;
    while (!finished_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    StopThreads();
    renderer_.Destroy();
    return kExitOk;
}

LRESULT CALLBACK Player::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Player*>(OwnerOf(window, message, lParam));
    if (self && self->control_ == window) return self->OnMessage(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Player::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COPYDATA: {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || data->dwData != kToolControlData || !data->lpData ||
            data->cbData < offsetof(ToolControlBlock, text))
            return 0;
        ToolControlBlock command{};
        std::memcpy(&command, data->lpData, std::min<std::size_t>(data->cbData, sizeof command));
        OnCommand(command);
        return 1;
    }
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case kMessageStreamDone:
        OnStreamDone(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case kMessageSendPause:
        if (!finished_) {
            block_->head.value = shared_.paused ? 1 : 0;
            channel_.Send(block_.get(), kCallbackPause, control_);
            block_->head.value = 0;
        }
        return 0;
    default:
        return DefWindowProcW(control_, message, wParam, lParam);
    }
}

void Player::OnCommand(const ToolControlBlock& command) {
    if (finished_) return;
    switch (command.command) {
    case kCommandPause:
        SetPaused(!shared_.paused);
        break;
    case kCommandStop:
        finished_ = true; // the loop ends, the threads stop, the process exits
        PostMessageW(control_, WM_NULL, 0, 0);
        break;
    case kCommandSeek:
        SeekTo(command.b ? PositionUs() + command.a : command.a);
        break;
    case kCommandStep:
        if (shared_.paused) shared_.stepRequested = true;
        break;
    case kCommandVideoSize:
        renderer_.Resize(static_cast<int>(command.a), static_cast<int>(command.b));
        break;
    case kCommandVolume:
        shared_.volume = static_cast<int>(std::clamp<std::int64_t>(command.a, 0, 100));
        break;
    default:
        break; // unknown commands are ignored, for newer callers
    }
}

void Player::SetPaused(bool paused) {
    shared_.paused = paused;
    shared_.clock.SetPaused(paused);
    if (audio_) audio_->SetPaused(paused);
    // Told after the command returns, so the caller is not called back from inside its own send.
    PostMessageW(control_, kMessageSendPause, 0, 0);
}

void Player::SeekTo(std::int64_t targetUs) {
    if (report_.duration > 0) targetUs = std::min(targetUs, report_.duration);
    targetUs = std::max<std::int64_t>(targetUs, 0);
    shared_.clock.Set(targetUs);
    videoDone_ = audioDone_ = false;
    if (demuxer_) demuxer_->RequestSeek(targetUs);
}

std::int64_t Player::PositionUs() const {
    std::int64_t position = std::max<std::int64_t>(shared_.clock.NowUs(), 0);
    if (report_.duration > 0) position = std::min(position, report_.duration);
    return position;
}

void Player::SendStatus(std::int32_t type) {
    PlaybackStatus& s = block_->status;
    s.state = shared_.paused ? kStatePaused : kStatePlaying;
    s.volume = shared_.volume;
    s.duration = report_.duration;
    s.position = PositionUs();
    s.framesShown = shared_.framesShown;
    s.framesDropped = shared_.framesDropped;
    channel_.Send(block_.get(), type, control_);
}

void Player::OnTimer(UINT_PTR id) {
    if (finished_) return;
    if (id == kStatusTimer) {
        if (!shared_.paused) SendStatus(kCallbackStatus);
        return;
    }
    renderer_.FollowParent();
    // Nobody to play for: the caller's window or our display window has gone.
    if ((channel_.Enabled() && !channel_.CallerAlive()) ||
        (options_.displayWindow && !IsWindow(options_.displayWindow))) {
        finished_ = true;
        return;
    }
    const std::int64_t now = shared_.clock.NowUs();
    if (options_.endUs > 0 && now >= options_.endUs) Finish(true);
    // With nothing to play out (no device, no picture) the clock alone decides the end.
    else if (!video_ && !audio_ && report_.duration > 0 && now >= report_.duration)
        Finish(true);
}

void Player::OnStreamDone(int kind, int serial) {
    if (serial != shared_.serial) return; // finished before a seek that has since moved it
    (kind == kStreamVideo ? videoDone_ : audioDone_) = true;
    if ((!video_ || videoDone_) && (!audio_ || audioDone_)) Finish(true);
}

void Player::Finish(bool reachedEnd) {
    if (finished_) return;
    finished_ = true;
    if (reachedEnd) {
        shared_.clock.SetPaused(true);
        SendStatus(kCallbackStatus);
        block_->status.state = kStateEnded;
        channel_.Send(block_.get(), kCallbackEnded, control_);
    }
    PostMessageW(control_, WM_NULL, 0, 0);
}

} // namespace harlow::vistrel
