// Keys as the installed program's message loop gets them: posted to the window that has the
// focus. While the menu bar tracks, its keys are its own; elsewhere a command whose update
// handler disables it does nothing, whichever key sends it; a click into a docked pane makes it
// the pane F6 leaves.
#include "Harness.h"
#include "SilentServer.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace zevrin::ui {
namespace {

constexpr UINT kMenuBarId = 0xE800;

class Keyboard : public testing::Test {
protected:
    void SetUp() override {
        if (InstalledProgram().empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
        PresetSetting(L"AutoCheckUpdate", 0);
    }
    void TearDown() override { ResetProgramKeys(); }

    void Start(const std::wstring& arguments) {
        ASSERT_TRUE(app.Start(arguments));
        ASSERT_NE(app.WaitForFrame(), nullptr);
    }
    HWND Bar() const { return GetDlgItem(app.Frame(), kMenuBarId); }
    bool BarHasFocus() const { return app.FocusedWindow() == Bar(); }
    bool FocusIn(HWND pane) const {
        HWND focus = app.FocusedWindow();
        return focus && (focus == pane || IsChild(pane, focus));
    }
    // The open popup's left edge relative to the bar's.
    LONG PopupOffset(HWND popup) const {
        RECT menu{}, bar{};
        GetWindowRect(popup, &menu);
        GetWindowRect(Bar(), &bar);
        return menu.left - bar.left;
    }
    bool StillRuns() { return !app.WaitForExit(1000); }
    // A popup opened from the keyboard selects its first entry with a Down key of its own, typed
    // into the input queue, which the menu loop reads after the keys posted here: the popup is
    // given the time to take it.
    HWND WaitForPopup() {
        HWND popup = nullptr;
        if (!WaitUntil([&] { return (popup = app.OpenPopupMenu()) != nullptr; }, 5000)) return nullptr;
        Sleep(500);
        return popup;
    }

    ZevrinProcess app;
};

TEST_F(Keyboard, TheMenuBarTakesItsKeysBeforeTheAccelerators) {
    Start(L"");
    ASSERT_TRUE(WaitUntil([&] { return app.FocusedWindow() != nullptr; }, 5000));

    // Alt, Right, Enter: "View" opens ("Enter" is not the accelerator "Play" here).
    app.PostAltAlone();
    ASSERT_TRUE(WaitUntil([&] { return BarHasFocus(); }, 5000)) << "Alt did not start the bar";
    app.PostKey(VK_RIGHT);
    app.PostKey(VK_RETURN);
    HWND popup = WaitForPopup();
    ASSERT_NE(popup, nullptr) << "Enter opened nothing";
    EXPECT_GT(PopupOffset(popup), 20) << "not under \"View\"";
    // Escape closes the popup only; the second one leaves the bar; neither is "Exit".
    app.PostKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !app.OpenPopupMenu(); }, 5000));
    EXPECT_TRUE(StillRuns()) << "Escape in the popup ended the program";
    EXPECT_TRUE(BarHasFocus()) << "the bar should still track after the popup closed";
    app.PostKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !BarHasFocus(); }, 5000));
    EXPECT_TRUE(StillRuns()) << "Escape on the bar ended the program";

    // Alt, Down, Escape, Escape: "File" opens, closes, the bar is left, the program stays.
    app.PostAltAlone();
    ASSERT_TRUE(WaitUntil([&] { return BarHasFocus(); }, 5000));
    app.PostKey(VK_DOWN);
    ASSERT_NE(popup = WaitForPopup(), nullptr);
    EXPECT_LT(PopupOffset(popup), 5) << "not under \"File\"";
    app.PostKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !app.OpenPopupMenu(); }, 5000));
    app.PostKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !BarHasFocus(); }, 5000));
    EXPECT_TRUE(StillRuns());

    // Alt, Space: the bar is left and the window's system menu opens ("Space" is not "Play",
    // which on an empty playlist would ask for files).
    app.PostAltAlone();
    ASSERT_TRUE(WaitUntil([&] { return BarHasFocus(); }, 5000));
    app.PostKey(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return app.OpenPopupMenu() != nullptr; }, 5000)) << "no system menu";
    EXPECT_FALSE(BarHasFocus());
    EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr) << "a dialog opened";
    app.PostKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !app.OpenPopupMenu(); }, 5000));
    // Opened from the keyboard, the system menu leaves its loop at a second Escape, as a
    // window's own menu does.
    if (!WaitUntil([&] { return !app.InMenuMode(); }, 1000)) app.PostKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !app.InMenuMode(); }, 5000));
    EXPECT_TRUE(StillRuns());

    // Away from the bar, Escape is "Exit" as before.
    app.PostKey(VK_ESCAPE);
    EXPECT_TRUE(app.WaitForExit(15000)) << "Escape outside the bar did not exit";
}

// Enter is "Play selected" of the playlist pane, greyed while the display pane is the active
// one: typed there while the clip plays, it neither stops nor restarts it.
TEST_F(Keyboard, AGreyedAcceleratorDoesNothing) {
    Start(L"\"" + UiClip(L"harbour.3gp") + L"\"");
    ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 30000)) << "no picture";
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(app.Pane(0)); }, 5000)) << "the display pane is not active";
    // The clip starts while it is still being probed; the window is named once its item exists.
    ASSERT_TRUE(WaitUntil([&] { return app.Title() != L"Zevrin"; }, 10000)) << "the playing item named no window";
    std::wstring title = app.Title();
    app.PostKey(VK_RETURN);
    Sleep(1500);
    EXPECT_EQ(app.Title(), title);
    EXPECT_TRUE(app.PictureShows());
    EXPECT_TRUE(app.PictureMoves()) << "Enter stopped or restarted the video";
}

// The loader is busy with a URL that never answers: "Add Files..." is greyed, and Insert asks
// for no files.
TEST_F(Keyboard, InsertAsksForNoFilesWhileTheLoaderRuns) {
    SilentServer server;
    ASSERT_NE(server.Port(), 0);
    Start(L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/clip.3gp");
    ASSERT_TRUE(WaitUntil([&] { return server.Connections() > 0; }, 15000)) << "the loader did not start";
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(app.Pane(1)); }, 5000));
    app.PostKey(VK_INSERT);
    DWORD pid = 0;
    GetWindowThreadProcessId(app.Frame(), &pid);
    auto dialogShows = [&] {
        HWND dialog = FindWindowW(L"#32770", nullptr);
        DWORD owner = 0;
        if (dialog) GetWindowThreadProcessId(dialog, &owner);
        return dialog && owner == pid;
    };
    EXPECT_FALSE(WaitUntil(dialogShows, 2000)) << "Insert asked for files while the loader ran";
    if (HWND dialog = FindWindowW(L"#32770", nullptr)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// 50% is greyed for a picture of odd width or height: Alt+1 leaves the zoom as it was.
TEST_F(Keyboard, AltOneDoesNotHalveAnOddSizedPicture) {
    PresetSetting(L"Zoom", 100);
    Start(L"\"" + UiClip(L"odd.avi") + L"\"");
    ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 30000)) << "no picture";
    RECT before = app.ScreenRectOf(app.RenderWindow());
    app.Type('1', false, false, true);
    Sleep(1500);
    RECT after = app.ScreenRectOf(app.RenderWindow());
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit(20000));
    EXPECT_EQ(SavedSetting(L"Zoom").value_or(0), 100u);
}

// Docked, both panes show: a click into the playlist pane makes it the active pane, so the
// first F6 goes to the display pane and the next one back.
TEST_F(Keyboard, AClickIntoADockedPaneMakesItTheOneF6Leaves) {
    PresetSetting(L"Layout", 1);
    Start(L"\"" + UiClip(L"harbour.3gp") + L"\"");
    ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 30000)) << "no picture";
    ASSERT_TRUE(IsWindowVisible(app.Pane(1)));
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(app.Pane(0)); }, 5000));

    RECT list{};
    GetClientRect(app.Pane(1), &list);
    app.MouseClick(app.Pane(1), POINT{list.right / 2, list.bottom - 10});
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(app.Pane(1)); }, 5000)) << "the click did not reach the playlist";
    app.PostKey(VK_F6);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(app.Pane(0)); }, 5000)) << "the first F6 after the click did not switch";
    app.PostKey(VK_F6);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(app.Pane(1)); }, 5000));
    EXPECT_TRUE(IsWindowVisible(app.Pane(0)) && IsWindowVisible(app.Pane(1))) << "still docked";
}

} // namespace
} // namespace zevrin::ui
