// The player window with a real play thread: the real playback tool on a generated clip, and the
// stand-in tool where a tool has to misbehave (ignore the stop) or end on its own.
#include "playback/PlayerWnd.h"

#include "services/AppResources.h"
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

using namespace zevrin;
using namespace zevrin::test;
using Clock = std::chrono::steady_clock;

namespace {

// Keeps each event as the tool's callback type it came from (2 opened, 3 pause, 10 status,
// 4 stopped), with what the event carried.
class RecordingView : public IPlaybackEvents {
public:
    void OnPlaybackOpened(std::int64_t durationUs) override {
        types.push_back(harlow::kCallbackOpened);
        openedDurationUs = durationUs;
    }
    void OnPauseChanged(bool paused) override {
        types.push_back(harlow::kCallbackPause);
        pauses.push_back(paused);
    }
    void OnPlaybackPosition(std::int64_t positionUs) override {
        types.push_back(harlow::kCallbackStatus);
        lastPositionUs = positionUs;
    }
    void OnPlaybackStopped() override { types.push_back(harlow::kCallbackEnded); }
    void OnPlaybackEnded() override { ++ended; }
    size_t Count(int type) const { return static_cast<size_t>(std::count(types.begin(), types.end(), type)); }
    std::vector<int> types;
    std::vector<bool> pauses;
    std::int64_t openedDurationUs = -1;
    std::int64_t lastPositionUs = -1;
    int ended = 0;
};

bool PumpUntil(const std::function<bool()>& done, int limitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (Clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// A top-level window hosting the player window, as the display view will.
class PlayerWindowTest : public testing::Test {
protected:
    void SetUp() override {
        resources_.playToolPath = HarlowTool(L"Vistrel.exe");
        PublishResources(&resources_);
        const wchar_t* cls = fw::CWnd::RegisterClass(L"ZevrinTestPlayerHost");
        ASSERT_TRUE(host_.CreateEx(0, cls, L"player host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300,
                                   nullptr, nullptr));
        player_ = std::make_unique<CPlayerWnd>();
        ASSERT_TRUE(player_->Create(host_.Hwnd(), RECT{0, 0, 400, 300}, 1, resources_.playToolPath));
        player_->SetEvents(&view_);
    }
    void TearDown() override {
        player_.reset();
        host_.DestroyWindow();
        SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PLAYBACK", nullptr);
        PublishResources(nullptr);
    }
    // The stand-in tool, behaving as `mode` says (see ZevrinTestTool.cpp).
    void UseStandIn(const wchar_t* mode) {
        SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PLAYBACK", mode);
        player_->Tool().SetToolPath(TestToolPath());
    }
    CPlaybackTool& Tool() { return player_->Tool(); }

    CAppResources resources_;
    fw::CWnd host_;
    std::unique_ptr<CPlayerWnd> player_;
    RecordingView view_;
};

} // namespace

TEST_F(PlayerWindowTest, CreationGivesTheToolTheRenderChildAndThisWindow) {
    HWND render = player_->RenderWindow();
    ASSERT_TRUE(IsWindow(render));
    EXPECT_EQ(GetParent(render), player_->Hwnd());
    EXPECT_EQ(GetDlgCtrlID(render), 0);
    EXPECT_EQ(Tool().DisplayWindow(), render);
    EXPECT_EQ(Tool().CallbackWindow(), player_->Hwnd());
    EXPECT_EQ(Tool().ToolPath(), resources_.playToolPath);
}

TEST_F(PlayerWindowTest, StopPlayEndsAToolThatIgnoresTheStopWithinASecond) {
    UseStandIn(L"ignore-stop");
    ASSERT_EQ(player_->StartPlay(L"Z:\\nowhere\\clip.mp4"), 1);
    EXPECT_TRUE(Tool().IsStarting());
    ASSERT_TRUE(PumpUntil([&] { return Tool().IsPlaying() && view_.Count(10) >= 2; }, 10000));
    ASSERT_NE(Tool().ToolWindow(), nullptr);

    const auto start = Clock::now();
    player_->StopPlay();
    const long long ms = MsSince(start);
    EXPECT_LT(ms, 1600);
    EXPECT_GE(ms, 900);  // the runner's grace period: the tool had its chance to end itself
    EXPECT_FALSE(player_->HasPlayThread());
    EXPECT_EQ(Tool().GetState(), PlayerState::Idle);
    EXPECT_EQ(view_.ended, 1);
    EXPECT_EQ(Tool().request.mediaPath, L"");
}

TEST_F(PlayerWindowTest, AToolThatEndsItselfIsJoinedAndTheViewTold) {
    UseStandIn(L"ends");
    ASSERT_EQ(player_->StartPlay(L"Z:\\nowhere\\clip.mp4"), 1);
    ASSERT_TRUE(PumpUntil([&] { return view_.ended > 0; }, 10000));
    EXPECT_FALSE(player_->HasPlayThread());
    EXPECT_EQ(Tool().GetState(), PlayerState::Idle);
    EXPECT_EQ(view_.types.front(), 2);
    EXPECT_EQ(view_.types.back(), 4);  // the run's own end comes after the tool's
    EXPECT_FALSE(IsWindowVisible(player_->RenderWindow()));
    EXPECT_EQ(Tool().ToolWindow(), nullptr);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(view_.ended, 1);
}

TEST_F(PlayerWindowTest, StartingAnotherRunStopsTheFirstAndKeepsTheVolume) {
    UseStandIn(L"ignore-stop");
    ASSERT_EQ(player_->StartPlay(L"Z:\\a.mp4"), 1);
    ASSERT_TRUE(PumpUntil([&] { return Tool().IsPlaying(); }, 10000));
    Tool().SetVolume(30);
    Tool().SetMute(1);
    ASSERT_EQ(player_->StartPlay(L"Z:\\b.mp4"), 1);
    EXPECT_EQ(view_.ended, 1);
    EXPECT_TRUE(Tool().IsStarting());
    EXPECT_EQ(Tool().request.mediaPath, L"Z:\\b.mp4");
    EXPECT_EQ(Tool().GetVolume(), 30);
    EXPECT_EQ(Tool().GetMute(), 1);
    ASSERT_TRUE(PumpUntil([&] { return Tool().IsPlaying(); }, 10000));
}

TEST_F(PlayerWindowTest, NoCallbackReachesTheViewOnceTheWindowIsBeingDestroyed) {
    UseStandIn(L"ignore-stop");
    ASSERT_EQ(player_->StartPlay(L"Z:\\nowhere\\clip.mp4"), 1);
    ASSERT_TRUE(PumpUntil([&] { return view_.Count(10) >= 3; }, 10000));
    const size_t before = view_.types.size();
    const auto start = Clock::now();
    player_->DestroyWindow();
    EXPECT_LT(MsSince(start), 1600);
    EXPECT_FALSE(player_->HasPlayThread());
    PumpUntil([] { return false; }, 400);
    EXPECT_EQ(view_.types.size(), before);
    EXPECT_EQ(view_.ended, 0);
}

TEST_F(PlayerWindowTest, AToolThatCannotStartEndsTheRunAtOnce) {
    player_->Tool().SetToolPath(L"Z:\\nowhere\\Vistrel.exe");
    ASSERT_EQ(player_->StartPlay(L"Z:\\nowhere\\clip.mp4"), 1);
    ASSERT_TRUE(PumpUntil([&] { return view_.ended > 0; }, 5000));
    EXPECT_FALSE(player_->HasPlayThread());
    EXPECT_EQ(Tool().GetState(), PlayerState::Idle);
}

// The real playback tool on a generated clip.
TEST_F(PlayerWindowTest, PlaysAClipWithPauseSeekVolumeAndStop) {
    if (resources_.playToolPath.empty()) GTEST_SKIP() << "the playback tool is not installed";
    const std::wstring clip = ClipPath(L"sd10.mp4");
    if (!FileExists(clip)) GTEST_SKIP() << "the clips were not made";
    ASSERT_EQ(player_->StartPlay(clip), 1);
    EXPECT_EQ(Tool().GetState(), PlayerState::Starting);
    ASSERT_TRUE(PumpUntil([&] { return Tool().IsPlaying(); }, 15000));
    EXPECT_NEAR(static_cast<double>(Tool().DurationUs()), 10e6, 0.3e6);
    EXPECT_TRUE(IsWindowVisible(player_->RenderWindow()));
    ASSERT_TRUE(PumpUntil([&] { return Tool().PositionUs() > 300000; }, 5000));

    ASSERT_EQ(Tool().TogglePause(), 0);
    ASSERT_TRUE(PumpUntil([&] { return Tool().IsPaused(); }, 3000));
    const std::int64_t pausedAt = Tool().PositionUs();
    PumpUntil([] { return false; }, 600);
    EXPECT_EQ(Tool().PositionUs(), pausedAt);
    ASSERT_EQ(Tool().TogglePause(), 0);
    ASSERT_TRUE(PumpUntil([&] { return Tool().IsPlaying(); }, 3000));
    // The view heard the run in its own terms: the duration at the opening, both pause
    // changes, and positions as the wrapper keeps them.
    EXPECT_EQ(view_.openedDurationUs, Tool().DurationUs());
    EXPECT_EQ(view_.pauses, (std::vector<bool>{true, false}));
    EXPECT_GE(view_.lastPositionUs, pausedAt);

    ASSERT_EQ(Tool().Seek(6000000, 0), 0);
    EXPECT_TRUE(PumpUntil([&] { return Tool().PositionUs() >= 6000000; }, 4000)) << Tool().PositionUs();
    ASSERT_EQ(Tool().SetVolume(40), 0);
    EXPECT_TRUE(PumpUntil([&] { return Tool().Status().volume == 40; }, 3000));
    ASSERT_EQ(Tool().SetMute(1), 0);
    EXPECT_TRUE(PumpUntil([&] { return Tool().Status().volume == 0; }, 3000));

    const auto start = Clock::now();
    player_->StopPlay();
    EXPECT_LT(MsSince(start), 1200);
    EXPECT_FALSE(player_->HasPlayThread());
    EXPECT_EQ(Tool().GetState(), PlayerState::Idle);
    EXPECT_EQ(view_.ended, 1);
    EXPECT_GE(view_.Count(2), 1u);
}
