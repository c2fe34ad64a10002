// The playback wrapper on its own: the command line, the control blocks it sends, and how it
// takes the tool's callbacks in. A message-only window in this process stands in for the
// tool's control window.
#include "playback/PlaybackTool.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace zevrin;
using namespace zevrin::test;

namespace {

// Records the control blocks sent to it, as the playback tool's control window would get them.
class FakeToolWindow {
public:
    FakeToolWindow() {
        static const wchar_t* cls = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"ZevrinTestFakeToolWindow";
            RegisterClassW(&wc);
            return wc.lpszClassName;
        }();
        hwnd_ = CreateWindowExW(0, cls, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FakeToolWindow() { DestroyWindow(hwnd_); }
    HWND Hwnd() const { return hwnd_; }
    std::vector<harlow::ToolControlBlock> blocks;
    std::vector<ULONG_PTR> dataKinds;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FakeToolWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            self->dataKinds.push_back(data->dwData);
            if (data->cbData == harlow::kToolControlSize)
                self->blocks.push_back(*static_cast<const harlow::ToolControlBlock*>(data->lpData));
            return 1;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND hwnd_ = nullptr;
};

class RecordingSink : public IToolSink {
public:
    int Notify(int, int type, int, const std::intptr_t*) override {
        types.push_back(type);
        return 7;
    }
    std::vector<int> types;
};

// A callback block as the playback tool sends it.
struct Block {
    harlow::ToolCallbackBlock b{};
    explicit Block(int type, int value = 0) {
        b.head.type = type;
        b.head.value = value;
    }
    LRESULT To(CPlaybackTool& tool) const {
        return tool.Translate(ToolCallbackBytes(reinterpret_cast<const std::byte*>(&b), harlow::kToolCallbackSize));
    }
};

Block Opened(HWND control, std::int64_t durationUs = 5000000) {
    Block block(harlow::kCallbackOpened);
    block.b.toolWindow = reinterpret_cast<std::uintptr_t>(control);
    block.b.media.duration = durationUs;
    block.b.status.position = 1234;
    return block;
}

Block VideoStream(int width, int height) {
    Block block(harlow::kCallbackStream, harlow::kStreamVideo);
    block.b.video.width = width;
    block.b.video.height = height;
    return block;
}

Block Status(std::int64_t positionUs) {
    Block block(harlow::kCallbackStatus);
    block.b.status.position = positionUs;
    return block;
}

HWND FakeHandle(LONG_PTR value) { return reinterpret_cast<HWND>(value); }

// The wrapper as the display view sets it up: -effect 14, a display and a callback window.
void SetUpAsDisplayView(CPlaybackTool& tool) {
    tool.Setup(L"C:\\Program Files\\Zevrin\\Harlow\\Vistrel.exe", FakeHandle(0x2040E), FakeHandle(0x3050A));
    tool.SetEffect(14);
}

} // namespace

TEST(PlaybackCommandLine, TheDisplayViewsDefaultsGiveTheDocumentedLine) {
    CPlaybackTool tool;
    SetUpAsDisplayView(tool);
    CPlayRequest request;
    request.mediaPath = L"D:\\Clips\\My clip.3gp";
    EXPECT_EQ(tool.BuildCommandLine(request),
              L"\"C:\\Program Files\\Zevrin\\Harlow\\Vistrel.exe\" -displaywindow 132110 -videodriver windib "
              L"-audiodriver waveout -threads 8 \"D:\\Clips\\My clip.3gp\" -effect 14");
}

TEST(PlaybackCommandLine, TheWholeLineReachesTheToolWithTheCallbackArguments) {
    CPlaybackTool tool;
    CallbackWindow window;
    tool.Setup(TestToolPath(), window.Hwnd(), window.Hwnd());
    tool.SetEffect(14);
    ScratchFolder folder(L"playline");
    const std::wstring report = folder / L"report.txt";
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", report.c_str());
    CPlayRequest request;
    request.mediaPath = L"Z:\\media\\clip \"x\".mp4";
    const int result = tool.Play(request, nullptr);
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", nullptr);
    EXPECT_EQ(result, 0);
    const std::string handle = std::to_string(reinterpret_cast<LONG_PTR>(window.Hwnd()));
    EXPECT_EQ(ReadFileBytes(report), "-displaywindow\n" + handle + "\n-videodriver\nwindib\n-audiodriver\nwaveout\n"
                                     "-threads\n8\nZ:\\media\\clip \"x\".mp4\n-effect\n14\n-callbackwindow\n" +
                                         handle + "\n-context\n" + std::to_string(tool.ContextValue()) + "\n");
}

TEST(PlaybackCommandLine, OptionsFollowTheRequest) {
    CPlaybackTool tool;
    SetUpAsDisplayView(tool);
    CPlayRequest request;
    request.mediaPath = L"a.mp4";
    request.volume = 40;
    EXPECT_NE(tool.BuildCommandLine(request).find(L"\"a.mp4\" -volume 40 -effect 14"), std::wstring::npos);
    request.mute = 1;
    EXPECT_NE(tool.BuildCommandLine(request).find(L" -volume 0 "), std::wstring::npos);
    request = {};
    request.mediaPath = L"a.mp4";
    request.startMs = 3723004;  // 1:02:03.004
    request.videoStream = -1;
    request.audioStream = -1;
    request.endMs = 9000;
    request.audioFile = L"b.wav";
    EXPECT_EQ(tool.BuildCommandLine(request),
              L"\"C:\\Program Files\\Zevrin\\Harlow\\Vistrel.exe\" -displaywindow 132110 -vn -videodriver windib "
              L"-an -audiodriver waveout -threads 8 \"a.mp4\" -ss 1:02:03.004 -effect 14");
    request.startMs = 61000;
    EXPECT_NE(tool.BuildCommandLine(request).find(L"-ss 0:01:01.000"), std::wstring::npos);

    tool.videoDriver.clear();
    tool.audioDriver.clear();
    tool.threads = 0;
    tool.SetEffect(-1);
    tool.Setup(L"V.exe", nullptr, nullptr);
    request = {};
    request.mediaPath = L"a.mp4";
    EXPECT_EQ(tool.BuildCommandLine(request), L"\"V.exe\" \"a.mp4\"");
}

TEST(PlaybackCommandLine, NothingToPlayFailsWithoutStartingAnything) {
    CPlaybackTool tool;
    SetUpAsDisplayView(tool);
    CPlayRequest request;
    EXPECT_EQ(tool.BuildCommandLine(request), L"");
    EXPECT_EQ(tool.Play(request, nullptr), -1);
    tool.SetToolPath(L"");
    request.mediaPath = L"a.mp4";
    EXPECT_EQ(tool.Play(request, nullptr), -1);
}

TEST(PlaybackControl, CommandsWaitForTheToolsWindowThenCarryTheirArguments) {
    CPlaybackTool tool;
    FakeToolWindow control;
    EXPECT_EQ(tool.TogglePause(), -1);  // no tool has reported yet: lost
    EXPECT_EQ(tool.SetVolume(130), -1);
    EXPECT_EQ(tool.GetVolume(), 100);
    EXPECT_TRUE(control.blocks.empty());

    Opened(control.Hwnd()).To(tool);
    ASSERT_EQ(tool.ToolWindow(), control.Hwnd());
    EXPECT_EQ(tool.TogglePause(), 0);
    EXPECT_EQ(tool.StopValue().load(), kStopInteracted);
    EXPECT_EQ(tool.Seek(-5000000, 1), 0);
    EXPECT_EQ(tool.Seek(0x123456789LL, 0), 0);
    EXPECT_EQ(tool.StepFrame(), 0);
    EXPECT_EQ(tool.SetVideoSize(352, 288), 0);
    EXPECT_EQ(tool.Stop(kStopRequested), 0);
    EXPECT_EQ(tool.StopValue().load(), kStopRequested);

    struct Expected { int command; std::int64_t a, b; };
    const Expected expected[] = {{1, 0, 0}, {300, -5000000, 1}, {300, 0x123456789LL, 0}, {301, 0, 0}, {310, 352, 288}, {2, 0, 0}};
    ASSERT_EQ(control.blocks.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(control.dataKinds[i], harlow::kToolControlData);
        EXPECT_EQ(control.blocks[i].context, tool.ContextCookie());
        EXPECT_EQ(control.blocks[i].command, expected[i].command);
        EXPECT_EQ(control.blocks[i].a, expected[i].a);
        EXPECT_EQ(control.blocks[i].b, expected[i].b);
        EXPECT_EQ(control.blocks[i].text[0], '\0');
    }
}

TEST(PlaybackControl, VolumeIsClampedAndMuteSendsZeroButKeepsIt) {
    CPlaybackTool tool;
    FakeToolWindow control;
    Opened(control.Hwnd()).To(tool);
    tool.SetVolume(130);
    EXPECT_EQ(tool.GetVolume(), 100);
    tool.SetVolume(-5);
    EXPECT_EQ(tool.GetVolume(), 0);
    tool.SetVolume(40);
    tool.SetMute(1);
    tool.SetVolume(70);  // muted: stored, but the tool hears 0
    EXPECT_EQ(tool.GetVolume(), 70);
    EXPECT_EQ(tool.GetMute(), 1);
    tool.SetMute(0);
    std::vector<std::int64_t> sent;
    for (const auto& block : control.blocks) {
        EXPECT_EQ(block.command, harlow::kCommandVolume);
        sent.push_back(block.a);
    }
    EXPECT_EQ(sent, (std::vector<std::int64_t>{100, 0, 40, 0, 0, 70}));
}

TEST(PlaybackControl, AToolThatHasGoneOrWasReplacedGetsNoCommands) {
    CPlaybackTool tool;
    FakeToolWindow control;
    Opened(control.Hwnd()).To(tool);
    tool.Reset();  // a new run: the old tool's window may be anybody's by now
    EXPECT_EQ(tool.ToolWindow(), nullptr);
    EXPECT_EQ(tool.TogglePause(), -1);
    Opened(control.Hwnd()).To(tool);
    tool.FinishRun();  // the run's thread has ended: its tool is gone
    EXPECT_EQ(tool.Seek(0, 0), -1);
    EXPECT_TRUE(control.blocks.empty());
}

TEST(PlaybackCallbacks, StateFollowsOpenedPauseAndEnd) {
    CPlaybackTool tool;
    RecordingSink sink;
    tool.SetSink(&sink);
    tool.SetStarting();
    EXPECT_TRUE(tool.IsStarting());
    EXPECT_EQ(Opened(FakeHandle(0x1234), 8000000).To(tool), 7);  // the sink's answer
    EXPECT_TRUE(tool.IsPlaying());
    EXPECT_EQ(tool.DurationUs(), 8000000);
    EXPECT_EQ(tool.PositionUs(), 1234);
    Status(2000000).To(tool);
    EXPECT_EQ(tool.PositionUs(), 2000000);
    Block(harlow::kCallbackPause, 1).To(tool);
    EXPECT_TRUE(tool.IsPaused());
    EXPECT_EQ(Status(3000000).To(tool), 1);  // ignored while paused, and the sink not told
    EXPECT_EQ(tool.PositionUs(), 2000000);
    Block(harlow::kCallbackPause, 0).To(tool);
    EXPECT_TRUE(tool.IsPlaying());
    Block(harlow::kCallbackEnded).To(tool);
    EXPECT_EQ(tool.GetState(), PlayerState::Idle);
    EXPECT_FALSE(tool.IsActive());
    EXPECT_EQ(sink.types, (std::vector<int>{2, 10, 3, 3, 4}));
}

TEST(PlaybackCallbacks, VideoDescriptionsResetZoomOnlyForOddSizes) {
    CPlaybackTool tool;
    tool.SetZoom(200);
    tool.layout = {1, 2, 3, 4};
    VideoStream(176, 144).To(tool);
    EXPECT_EQ(tool.GetZoom(), 200);
    EXPECT_EQ(tool.layout, (std::array<int, 4>{}));
    EXPECT_EQ(tool.Video().width, 176);
    VideoStream(175, 144).To(tool);
    EXPECT_EQ(tool.GetZoom(), 100);
    tool.SetZoom(50);
    VideoStream(0, 143).To(tool);  // unknown size: left alone
    EXPECT_EQ(tool.GetZoom(), 50);

    Block audio(harlow::kCallbackStream, harlow::kStreamAudio);
    audio.b.audio.sampleRate = 44100;
    tool.layout = {1, 1, 1, 1};
    audio.To(tool);
    EXPECT_EQ(tool.Audio().sampleRate, 44100);
    EXPECT_EQ(tool.layout, (std::array<int, 4>{1, 1, 1, 1}));
}

TEST(PlaybackCallbacks, UnknownTypesAndAClosingWindowChangeNothing) {
    CPlaybackTool tool;
    RecordingSink sink;
    tool.SetSink(&sink);
    EXPECT_EQ(Block(5).To(tool), -1);
    EXPECT_EQ(tool.OnToolEvent(11, 0, nullptr), -1);
    EXPECT_EQ(tool.GetState(), PlayerState::Idle);
    EXPECT_TRUE(tool.AcceptsCallbacks());

    tool.Stop(kStopWindowClosing);
    EXPECT_FALSE(tool.AcceptsCallbacks());
    EXPECT_EQ(Opened(FakeHandle(0x1234)).To(tool), 1);
    EXPECT_EQ(tool.GetState(), PlayerState::Idle);
    EXPECT_EQ(tool.DurationUs(), 0);
    tool.FinishRun();
    EXPECT_TRUE(sink.types.empty());
}
