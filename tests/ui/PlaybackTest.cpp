// A user runs Zevrin.exe with a phone clip: it plays in the display pane under its title, the
// control bar follows it, and pause, stop, seeking, volume and zoom act on it.
#include "Harness.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace zevrin::ui {
namespace {

// The title comes from the file name.
constexpr wchar_t kPlayingTitle[] = L"harbour - 1/1";
constexpr int kVideoWidth = 352, kVideoHeight = 288;

bool IsSeekFill(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) > 80 && GetGValue(c) < 200 && GetBValue(c) < 90; }

class PlayingClip : public testing::Test {
protected:
    void SetUp() override {
        if (InstalledProgram().empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
        PresetSetting(L"Volume", 50);
        ASSERT_TRUE(app.Start(L"\"" + UiClip(L"harbour.3gp") + L"\""));
        ASSERT_NE(app.WaitForFrame(), nullptr) << "no main window";
        ASSERT_TRUE(app.WaitForTitle(kPlayingTitle, 30000)) << "title: " << Utf8(app.Title());
        ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 20000)) << "no picture in the display pane";
    }
    void TearDown() override { ResetProgramKeys(); }

    // How far the seek slider is filled: its orange pixels along the bar's middle row.
    int SeekFill() const {
        RECT bar = app.ScreenRectOf(app.ControlBar());
        int y = (bar.top + bar.bottom) / 2;
        ScreenShot row(RECT{bar.left, y - 1, bar.right, y + 2});
        int n = 0;
        for (int x = bar.left; x < bar.right; ++x)
            if (IsSeekFill(row.At(x, y))) ++n;
        return n;
    }
    int SeekSliderWidth() const {
        RECT bar = app.ScreenRectOf(app.ControlBar());
        return std::max(100, int(bar.right - bar.left) - 485 + 100);
    }
    RECT PictureInPanel() const {
        RECT rc{};
        GetWindowRect(app.RenderWindow(), &rc);
        MapWindowPoints(nullptr, app.VideoPanel(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    ZevrinProcess app;
};

TEST_F(PlayingClip, PlaysInTheDisplayPaneWithTheBarDrawnAndTheTimeAdvancing) {
    EXPECT_TRUE(IsWindowVisible(app.Pane(0)));
    EXPECT_FALSE(IsWindowVisible(app.Pane(1)));
    EXPECT_TRUE(IsChild(app.Pane(0), app.RenderWindow()));
    EXPECT_TRUE(app.PictureMoves());

    // 100% on a pane larger than the picture: the picture's own size, centred.
    RECT panel{};
    GetClientRect(app.VideoPanel(), &panel);
    RECT pic = PictureInPanel();
    EXPECT_EQ(pic.right - pic.left, kVideoWidth);
    EXPECT_EQ(pic.bottom - pic.top, kVideoHeight);
    EXPECT_EQ(pic.left, (panel.right - kVideoWidth) / 2);
    EXPECT_EQ(pic.top, (panel.bottom - kVideoHeight) / 2);
    // Around the picture the pane is black.
    RECT paneOnScreen = app.ScreenRectOf(app.Pane(0));
    ScreenShot pane(paneOnScreen);
    EXPECT_EQ(pane.At(paneOnScreen.left + 3, paneOnScreen.top + 3), RGB(0, 0, 0));

    // The bar is our own dark art, not a system face, and its seek slider fills as time goes.
    RECT bar = app.ScreenRectOf(app.ControlBar());
    EXPECT_EQ(bar.bottom - bar.top, 30);
    ScreenShot barShot(bar);
    COLORREF background = barShot.At((bar.left + bar.right) / 2, bar.top + 2);
    EXPECT_LT(GetRValue(background), 0x60);
    EXPECT_GT(barShot.LitCount(), 200) << "no buttons drawn";
    int before = SeekFill();
    EXPECT_TRUE(WaitUntil([&] { return SeekFill() > before + 10; }, 5000));
}

TEST_F(PlayingClip, PlayTogglesPauseAndStopReturnsToThePlaylist) {
    app.Command(ID_PLAY);
    EXPECT_TRUE(WaitUntil([&] { return !app.PictureMoves(500); }, 5000)) << "Play did not pause";
    int paused = SeekFill();
    app.Type(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return app.PictureMoves(300); }, 5000)) << "Space did not resume";
    EXPECT_TRUE(WaitUntil([&] { return SeekFill() > paused; }, 5000));

    app.Command(ID_STOP);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Pane(1)) && !IsWindowVisible(app.Pane(0)); }, 5000));
    EXPECT_TRUE(app.WaitForTitle(L"Zevrin", 5000)) << Utf8(app.Title());
}

TEST_F(PlayingClip, CtrlRightSeeksTenSeconds) {
    // While it plays: the slider follows the position reports. Two seconds of playing move it
    // by a fifteenth of its width, the seek by a third.
    int start = SeekFill();
    int tenSeconds = SeekSliderWidth() / 3;  // of a 30-second clip
    app.Type(VK_RIGHT, true);
    EXPECT_TRUE(WaitUntil([&] { return SeekFill() >= start + tenSeconds * 3 / 4; }, 2000))
        << "from " << start << " to " << SeekFill();
}

TEST_F(PlayingClip, ZoomModesLayTheVideoOut) {
    RECT panel{};
    GetClientRect(app.VideoPanel(), &panel);
    auto expectPicture = [&](UINT command, int w, int h) {
        app.Command(command);
        EXPECT_TRUE(WaitUntil([&] { RECT p = PictureInPanel(); return p.right - p.left == w && p.bottom - p.top == h; }, 5000))
            << "zoom command " << command;
        RECT p = PictureInPanel();
        EXPECT_EQ(p.left, (panel.right - w) / 2);
        EXPECT_EQ(p.top, (panel.bottom - h) / 2);
    };
    expectPicture(ID_ZOOM_200, kVideoWidth * 2, kVideoHeight * 2);
    expectPicture(ID_ZOOM_50, kVideoWidth / 2, kVideoHeight / 2);
    // Fit: as large as the pane allows at the picture's shape, even sizes.
    double r = double(kVideoWidth) / kVideoHeight;
    int W = panel.right, H = panel.bottom, w = W, h = int(W / r + 0.5);
    if (h > H) { w = int(H * r + 0.5); h = H; }
    expectPicture(ID_ZOOM_FIT, w - w % 2, h - h % 2);
    expectPicture(ID_ZOOM_100, kVideoWidth, kVideoHeight);
}

TEST_F(PlayingClip, VolumeKeysMuteZoomAndRepeatAreWrittenBackAtExit) {
    app.Type(VK_F10);
    for (int i = 0; i < 3; ++i) app.Type(VK_F9);
    app.Type(VK_F8);
    app.Type('T', true);  // Repeat All
    app.Type('3', false, false, true);  // 200%
    // Input is handled in the order it was typed: once the last key has taken effect, so have the
    // others. (A posted command would overtake the keys still queued.)
    ASSERT_TRUE(WaitUntil([&] { RECT p = PictureInPanel(); return p.right - p.left == 2 * kVideoWidth; }, 5000));
    PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(app.WaitForExit(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(SavedSetting(L"Volume").value_or(0), 30u);
    EXPECT_EQ(SavedSetting(L"Mute").value_or(0), 1u);
    EXPECT_EQ(SavedSetting(L"Zoom").value_or(0), 200u);
    EXPECT_EQ(SavedSetting(L"Repeat").value_or(0), 2u);
}

} // namespace
} // namespace zevrin::ui
