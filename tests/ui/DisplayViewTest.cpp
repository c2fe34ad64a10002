// The display view and its control bar as a user meets them in the installed program: a playlist
// plays through by itself and hands back to the playlist pane, Repeat All wraps, "Close this
// window" ends the program at the end, Next moves on exactly once, the mute button's picture
// follows the volume and the mute state, the title's count follows the loader, and the first
// clip of the command line becomes the playing item and a recent file.
#include "Harness.h"
#include "services/AppInfo.h"
#include "framework/Registry.h"
#include "ui/display/ControlBarLayout.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace zevrin::ui {
namespace {

class DisplayView : public testing::Test {
protected:
    void SetUp() override {
        if (InstalledProgram().empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
    }
    void TearDown() override { ResetProgramKeys(); }

    void Start(std::initializer_list<const wchar_t*> clips) {
        std::wstring arguments;
        for (const wchar_t* clip : clips) arguments += L"\"" + UiClip(clip) + L"\" ";
        ASSERT_TRUE(app.Start(arguments));
        ASSERT_NE(app.WaitForFrame(), nullptr) << "no main window";
    }
    bool TitleStartsWith(const std::wstring& start) const { return app.Title().rfind(start, 0) == 0; }
    // The titles shown, each change once, until `last` shows or the time is up.
    std::vector<std::wstring> TitlesUntil(const std::wstring& last, DWORD timeoutMs) const {
        std::vector<std::wstring> seen;
        WaitUntil([&] {
            std::wstring title = app.Title();
            if (seen.empty() || seen.back() != title) seen.push_back(title);
            return title == last;
        }, timeoutMs);
        return seen;
    }
    bool PlaylistPaneShows() const { return IsWindowVisible(app.Pane(1)) && !IsWindowVisible(app.Pane(0)); }
    // A gadget of the control bar, on screen (the right-hand gadgets do not depend on the time
    // label's width).
    RECT GadgetOnScreen(ControlBarGadget which) const {
        RECT client{};
        GetClientRect(app.ControlBar(), &client);
        RECT rc = LayOutControlBar(client, 60, true)[which];
        MapWindowPoints(app.ControlBar(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    ZevrinProcess app;
};

std::string Joined(const std::vector<std::wstring>& titles) {
    std::wstring all;
    for (const std::wstring& t : titles) all += L"[" + t + L"] ";
    return Utf8(all);
}

// Between two clips the title is the program's own for a moment (each playback's end resets
// it): only the end of the list brings the playlist pane back.
TEST_F(DisplayView, APlaylistPlaysThroughByItselfAndReturnsToThePlaylistPane) {
    Start({L"one.3gp", L"two.3gp", L"three.3gp"});
    ASSERT_TRUE(WaitUntil([&] { return TitleStartsWith(L"one - 1/"); }, 30000)) << Utf8(app.Title());
    std::vector<std::wstring> titles;
    const bool ended = WaitUntil([&] {
        std::wstring title = app.Title();
        if (titles.empty() || titles.back() != title) titles.push_back(title);
        return title == L"Zevrin" && PlaylistPaneShows();
    }, 40000);
    ASSERT_TRUE(ended) << "the playlist pane never came back: " << Joined(titles);
    std::vector<std::wstring> played;  // from the second clip on, without the moments between
    for (const std::wstring& t : titles)
        if ((!played.empty() || t == L"two - 2/3") && t != L"Zevrin") played.push_back(t);
    EXPECT_EQ(played, (std::vector<std::wstring>{L"two - 2/3", L"three - 3/3"})) << Joined(titles);
    EXPECT_FALSE(app.WaitForExit(1500)) << "the program ended without being asked to";
}

TEST_F(DisplayView, RepeatAllStartsTheFirstClipAgainAfterTheLast) {
    PresetSetting(L"Repeat", 2);
    Start({L"one.3gp", L"two.3gp", L"three.3gp"});
    ASSERT_TRUE(app.WaitForTitle(L"three - 3/3", 40000)) << Utf8(app.Title());
    bool playlistShown = false;
    EXPECT_TRUE(WaitUntil([&] {
        playlistShown = playlistShown || PlaylistPaneShows();
        return app.Title() == L"one - 1/3";
    }, 15000)) << Utf8(app.Title());
    EXPECT_FALSE(playlistShown) << "the playlist pane came between";
    EXPECT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 10000));
}

TEST_F(DisplayView, CloseThisWindowEndsTheProgramAfterTheLastClip) {
    PresetSetting(L"AutoClose", 1);
    Start({L"one.3gp", L"two.3gp", L"three.3gp"});
    ASSERT_TRUE(app.WaitForTitle(L"two - 2/3", 40000)) << "the program ended or stopped after the first clip: "
                                                       << Utf8(app.Title());
    ASSERT_TRUE(app.WaitForTitle(L"three - 3/3", 20000)) << Utf8(app.Title());
    DWORD exitCode = 99;
    ASSERT_TRUE(app.WaitForExit(20000, &exitCode)) << "still running after the playlist";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(SavedSetting(L"AutoClose").value_or(0), 1u);
}

// The Next button and Ctrl+F each move on by one clip while it plays: the stopped clip's end
// does not count as a second step.
TEST_F(DisplayView, NextDuringPlaybackAdvancesExactlyOnce) {
    Start({L"harbour.3gp", L"harbour.3gp", L"harbour.3gp"});
    ASSERT_TRUE(app.WaitForTitle(L"harbour - 1/3", 40000)) << Utf8(app.Title());
    ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 20000)) << "no picture";

    RECT next = GadgetOnScreen(kNextGadget);
    POINT centre{(next.left + next.right) / 2, (next.top + next.bottom) / 2};
    ScreenToClient(app.ControlBar(), &centre);
    app.MouseClick(app.ControlBar(), centre);
    ASSERT_TRUE(app.WaitForTitle(L"harbour - 2/3", 10000)) << Utf8(app.Title());
    ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 20000));
    std::vector<std::wstring> titles = TitlesUntil(L"", 3000);
    EXPECT_EQ(titles, std::vector<std::wstring>{L"harbour - 2/3"}) << Joined(titles);
    EXPECT_TRUE(app.PictureMoves());

    app.Type('F', true);
    ASSERT_TRUE(app.WaitForTitle(L"harbour - 3/3", 10000)) << Utf8(app.Title());
    titles = TitlesUntil(L"", 3000);
    EXPECT_EQ(titles, std::vector<std::wstring>{L"harbour - 3/3"}) << Joined(titles);
}

// The button left of the volume slider shows the speaker: loud at 50 and above, quiet below,
// silent at 0, struck out while muted, whatever the volume.
TEST_F(DisplayView, TheMuteButtonFollowsTheVolumeAndTheMuteState) {
    PresetSetting(L"Volume", 50);
    Start({L"harbour.3gp"});
    ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 30000)) << "no picture";
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);  // no hover
    const RECT button = GadgetOnScreen(kMuteGadget);
    auto look = [&] { return ScreenShot(button); };
    auto becomes = [&](const ScreenShot& was) {
        return WaitUntil([&] { return !look().SameAs(was); }, 5000);
    };
    auto returnsTo = [&](const ScreenShot& want) { return WaitUntil([&] { return look().SameAs(want); }, 5000); };

    const ScreenShot loud = look();
    EXPECT_GT(loud.LitCount(), 10) << "no image on the mute button";
    app.Command(ID_MUTE);
    ASSERT_TRUE(becomes(loud)) << "muting left the image";
    const ScreenShot muted = look();
    app.Command(ID_MUTE);
    EXPECT_TRUE(returnsTo(loud)) << "unmuting did not bring the speaker back";

    app.Command(ID_VOLUME_DOWN);  // 40
    ASSERT_TRUE(becomes(loud)) << "below 50 the image stayed";
    const ScreenShot quiet = look();
    EXPECT_FALSE(quiet.SameAs(muted));
    for (int i = 0; i < 4; ++i) app.Command(ID_VOLUME_DOWN);  // 0
    ASSERT_TRUE(becomes(quiet)) << "at 0 the image stayed";
    const ScreenShot silent = look();
    EXPECT_FALSE(silent.SameAs(loud));
    EXPECT_FALSE(silent.SameAs(muted));

    app.Command(ID_MUTE);  // muted at 0: the muted image still
    EXPECT_TRUE(returnsTo(muted));
    app.Command(ID_MUTE);
    EXPECT_TRUE(returnsTo(silent));
    app.Command(ID_VOLUME_UP);  // 10
    EXPECT_TRUE(returnsTo(quiet));
}

// The first clip plays as soon as the loader has added it; the title's count grows with the
// playlist while the first clip goes on playing.
TEST_F(DisplayView, TheTitlesCountFollowsThePlaylistAsTheLoaderAddsItems) {
    Start({L"harbour.3gp", L"one.3gp", L"two.3gp"});
    ASSERT_TRUE(WaitUntil([&] { return TitleStartsWith(L"harbour - 1/"); }, 30000)) << Utf8(app.Title());
    std::vector<std::wstring> titles = TitlesUntil(L"harbour - 1/3", 15000);
    ASSERT_EQ(titles.back(), L"harbour - 1/3") << Joined(titles);
    int last = 0;
    for (const std::wstring& t : titles) {
        ASSERT_EQ(t.rfind(L"harbour - 1/", 0), 0u) << Joined(titles);
        const int count = _wtoi(t.c_str() + 12);
        EXPECT_GT(count, last) << Joined(titles);
        last = count;
    }
}

// The first clip starts playing while the loader still makes its item; once the item is there
// it is the playing item as any other: titled with its place, and remembered among the recent
// files, which the program writes at exit.
TEST_F(DisplayView, TheFirstClipOfTheCommandLineBecomesThePlayingItemAndARecentFile) {
    Start({L"one.3gp", L"two.3gp"});
    ASSERT_TRUE(WaitUntil([&] { return TitleStartsWith(L"one - 1/"); }, 30000)) << Utf8(app.Title());
    PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit(60000));
    auto recent = fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRegistryRoot) + L"\\Recent\\Files").ReadString(L"01");
    EXPECT_EQ(_wcsicmp(recent.value_or(L"").c_str(), UiClip(L"one.3gp").c_str()), 0) << Utf8(recent.value_or(L"(none)"));
}

} // namespace
} // namespace zevrin::ui
