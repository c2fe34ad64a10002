// The window modes of the main frame while a clip plays: the pane switch, docking, full screen
// (Escape leaves it without ending the program) and always-on-top.
#include "Harness.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace zevrin::ui {
namespace {

class FrameModes : public testing::Test {
protected:
    void SetUp() override {
        if (InstalledProgram().empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
        ASSERT_TRUE(app.Start(L"\"" + UiClip(L"harbour.3gp") + L"\""));
        ASSERT_NE(app.WaitForFrame(), nullptr);
        ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 30000)) << "no picture";
    }
    void TearDown() override { ResetProgramKeys(); }

    bool Shows(int pane) const { return IsWindowVisible(app.Pane(pane)) && !IsWindowVisible(app.Pane(1 - pane)); }

    ZevrinProcess app;
};

TEST_F(FrameModes, F6MovesTheRunningVideoBetweenThePanes) {
    app.Type(VK_F6);
    ASSERT_TRUE(WaitUntil([&] { return Shows(1); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return IsChild(app.Pane(1), app.VideoPanel()); }, 5000)) << "no preview in the playlist";
    EXPECT_TRUE(app.PictureMoves());
    app.Type(VK_F6, false, true);  // Shift+F6 goes back as well: two panes wrap
    ASSERT_TRUE(WaitUntil([&] { return Shows(0); }, 5000));
    EXPECT_TRUE(IsChild(app.Pane(0), app.VideoPanel()));
}

TEST_F(FrameModes, DockingShowsBothPanesWithThePlaylistOnTheRight) {
    app.Command(ID_DOCKING_PLAYLIST);
    RECT display{}, playlist{};
    ASSERT_TRUE(WaitUntil([&] {
        display = app.ScreenRectOf(app.Pane(0));
        playlist = app.ScreenRectOf(app.Pane(1));
        return IsWindowVisible(app.Pane(0)) && IsWindowVisible(app.Pane(1)) && display.right < playlist.right;
    }, 5000));
    EXPECT_EQ(display.right + 1, playlist.left) << "one divider column between them";
    RECT container = app.ScreenRectOf(app.Container());
    EXPECT_EQ(playlist.right, container.right);
    EXPECT_TRUE(IsChild(app.Pane(0), app.VideoPanel()));
    app.Command(ID_DOCKING_PLAYLIST);
    EXPECT_TRUE(WaitUntil([&] { return Shows(0); }, 5000)) << "playing: the display pane stays";
}

TEST_F(FrameModes, FullScreenCoversTheScreenAndEscapeOnlyLeavesIt) {
    RECT normal{};
    GetWindowRect(app.Frame(), &normal);
    app.Type(VK_RETURN, true);  // Ctrl+Enter, as Alt+Enter
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // The client area reaches 2 pixels beyond the screen on every side.
    ASSERT_TRUE(WaitUntil([&] {
        RECT c = app.ScreenRectOf(app.Container());
        return c.left <= 0 && c.top <= 0 && c.right >= screen.right && c.bottom >= screen.bottom;
    }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 5000));
    // The control bar lies below the screen.
    EXPECT_GE(app.ScreenRectOf(app.ControlBar()).top, screen.bottom);

    app.Type(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { RECT now{}; GetWindowRect(app.Frame(), &now); return EqualRect(&now, &normal) != 0; }, 5000));
    EXPECT_FALSE(app.WaitForExit(1000)) << "Escape in full screen ended the program";

    app.Type(VK_ESCAPE);
    EXPECT_TRUE(app.WaitForExit(15000)) << "Escape in a normal window is Exit";
}

TEST_F(FrameModes, AlwaysOnTopIsRemembered) {
    app.Command(ID_ALWAYS_ON_TOP);
    PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit(15000));
    EXPECT_EQ(SavedSetting(L"AlwaysOnTop").value_or(0), 1u);
}

} // namespace
} // namespace zevrin::ui
