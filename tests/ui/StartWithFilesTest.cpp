// Start-up of the installed program and the last playlist: with files named on the command
// line "Default.play" is neither loaded nor touched until exit saves the new list; a run that
// ends without ever opening leaves no waiting dots behind.
#include "Harness.h"
#include "SilentServer.h"

#include "services/AppInfo.h"
#include "playlist/PlaylistStore.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace zevrin::ui {
namespace {

std::string FileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteDefaultPlaylist(const std::vector<CPlaylistEntry>& entries) {
    std::vector<const CPlaylistEntry*> pointers;
    for (const CPlaylistEntry& e : entries) pointers.push_back(&e);
    ASSERT_EQ(SavePlaylistEntries(UserDataFolder() + L"\\Default.play", pointers), static_cast<int>(entries.size()));
}

class LastPlaylist : public testing::Test {
protected:
    void SetUp() override {
        if (InstalledProgram().empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
        PresetSetting(L"AutoCheckUpdate", 0);
        PresetSetting(L"LoadLastPlaylist", 1);
        defaultPlay_ = UserDataFolder() + L"\\Default.play";
    }
    void TearDown() override {
        ResetProgramKeys();
        DeleteFileW(defaultPlay_.c_str());
    }

    void Close() {
        PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(app.WaitForExit(20000));
    }

    std::wstring defaultPlay_;
    ZevrinProcess app;
};

// The last playlist holds a URL of a server that never answers: loaded, its probe would hold up
// the clip named on the command line.
TEST_F(LastPlaylist, FilesOnTheCommandLineLeaveTheLastPlaylistAlone) {
    SilentServer server;
    ASSERT_NE(server.Port(), 0);
    CPlaylistEntry silent;
    silent.path = L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/clip.3gp";
    WriteDefaultPlaylist({silent});
    const std::string before = FileBytes(defaultPlay_);

    DWORD start = GetTickCount();
    ASSERT_TRUE(app.Start(L"\"" + UiClip(L"harbour.3gp") + L"\""));
    ASSERT_NE(app.WaitForFrame(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 30000)) << "no picture";
    std::printf("[ measured ] picture %lu ms after the start\n", GetTickCount() - start);
    EXPECT_TRUE(app.WaitForTitle(L"harbour - 1/1", 5000)) << Utf8(app.Title());
    Sleep(1000);
    EXPECT_EQ(server.Connections(), 0) << "the old list's URL was probed";
    EXPECT_EQ(FileBytes(defaultPlay_), before) << "Default.play changed before the exit";

    Close();
    auto kept = LoadPlaylistEntries(defaultPlay_);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0]->path, UiClip(L"harbour.3gp"));
}

// Docked, the display pane stays in sight: the dots shown while a run starts go when the run
// ends without having opened its file.
TEST_F(LastPlaylist, TheWaitingDotsEndWithARunThatNeverOpened) {
    PresetSetting(L"Layout", 1);
    CPlaylistEntry gone;
    gone.path = L"C:\\no such folder\\gone.3gp";
    gone.flags = EntryFlag::InfoLoaded | EntryFlag::HasVideo | EntryFlag::ArtworkResolved;
    gone.title = L"gone";
    gone.duration = 5000000;
    WriteDefaultPlaylist({gone});

    ASSERT_TRUE(app.Start(L""));
    ASSERT_NE(app.WaitForFrame(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Pane(0)) && IsWindowVisible(app.Pane(1)); }, 5000));
    Sleep(500);
    app.Command(ID_PLAY);
    RECT pane = app.ScreenRectOf(app.Pane(0));
    int cx = (pane.left + pane.right) / 2, cy = (pane.top + pane.bottom) / 2;
    RECT centre{cx - 40, cy - 15, cx + 40, cy + 15};
    // Dark twice in a row, a pulse apart: no dot is drawn any more.
    EXPECT_TRUE(WaitUntil([&] {
        if (ScreenShot(centre).LitCount() != 0) return false;
        Sleep(700);
        return ScreenShot(centre).LitCount() == 0;
    }, 15000)) << "the waiting dots go on";
    Close();
}

} // namespace
} // namespace zevrin::ui
