// The program ended without warning (TerminateProcess, as by a power cut or the task manager):
// while a folder loads, while it plays, and at every moment of the save at exit. At the next
// start the settings and the last saved playlist load whole: the playlist file is either the one
// before or the one being written, never a part of one.
#include "StandInProgram.h"
#include "../unit/ProgramRunner.h"

#include <gtest/gtest.h>

using namespace zevrin::test;

namespace {

std::string Utf8(const std::wstring& text) { return fw::ToCodePage(text, CP_UTF8); }

// Media paths that need not exist: loading a saved playlist whose items are described runs no tool.
std::vector<std::wstring> SavedPaths(int count) {
    std::vector<std::wstring> paths;
    for (int i = 0; i < count; ++i) paths.push_back(L"C:\\media\\clip " + std::to_wstring(i) + L".3gp");
    return paths;
}

void PresetSettings() {
    auto settings = fw::RegKey::Create(HKEY_CURRENT_USER, kProgramSettingsKey);
    settings.WriteDword(L"LoadLastPlaylist", 1);
    settings.WriteDword(L"Volume", 37);
    settings.WriteDword(L"Repeat", 2);
}

// Ends the program at once, as TerminateProcess does, and waits for it to be gone.
void Kill(std::optional<ProgramRunner>& program) {
    DWORD code = 0;
    ASSERT_FALSE(program->WaitForExit(0, code)) << "the program had ended by itself";
    program.reset();
}

// The next start loads the settings and the last playlist whole: it shows its window, and when
// it is closed it writes back the same settings and the same playlist.
void ExpectNextStartLoadsWhole(const StandInInstall& install, const std::vector<std::wstring>& playlist) {
    bool ok = false;
    EXPECT_EQ(PlaylistPaths(LastPlaylistPath(), ok), playlist) << "the playlist file after the kill";
    EXPECT_TRUE(ok) << ReadAll(LastPlaylistPath()).substr(0, 400);
    ProgramRunner next;
    ASSERT_TRUE(next.Start(install.Program(), L""));
    HWND frame = next.WaitForWindow(30000);
    ASSERT_NE(frame, nullptr) << "the program did not start again";
    Sleep(1000);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    DWORD code = 0;
    ASSERT_TRUE(next.WaitForExit(30000, code));
    EXPECT_EQ(PlaylistPaths(LastPlaylistPath(), ok), playlist) << "the playlist as the next start loaded it";
    EXPECT_TRUE(ok);
    auto settings = fw::RegKey::Open(HKEY_CURRENT_USER, kProgramSettingsKey);
    EXPECT_EQ(settings.ReadDword(L"Volume"), 37u);
    EXPECT_EQ(settings.ReadDword(L"Repeat"), 2u);
    EXPECT_EQ(settings.ReadDword(L"LoadLastPlaylist"), 1u);
}

} // namespace

TEST(KilledProgram, DuringAFolderLoadTheLastPlaylistAndTheSettingsStayWhole) {
    StandInInstall install;
    ASSERT_TRUE(install.Ready()) << "no install tree";
    const std::vector<std::wstring> saved = SavedPaths(20);
    WriteAll(LastPlaylistPath(), PlayFileOf(saved));
    PresetSettings();
    // A folder of forty items, each described by a slow probe: the load is under way.
    for (int i = 0; i < 40; ++i) install.Media((L"bad" + std::to_wstring(i) + L".3gp").c_str());
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PROBE", L"slow");
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PLAYBACK", L"ignore-stop");
    std::optional<ProgramRunner> program(std::in_place);
    ASSERT_TRUE(program->Start(install.Program(), L"\"" + install.Folder() + L"\""));
    ASSERT_NE(program->WaitForWindow(30000), nullptr);
    ASSERT_TRUE(ProgramRunner::WaitUntil(30000, [&] { return install.LogText().find("probe-slow") != std::string::npos; }))
        << install.LogText();
    Kill(program);
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PROBE", L"valid");
    ExpectNextStartLoadsWhole(install, saved);
}

TEST(KilledProgram, DuringPlaybackTheLastPlaylistAndTheSettingsStayWhole) {
    StandInInstall install;
    ASSERT_TRUE(install.Ready()) << "no install tree";
    const std::vector<std::wstring> saved = SavedPaths(20);
    WriteAll(LastPlaylistPath(), PlayFileOf(saved));
    PresetSettings();
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PROBE", L"valid");
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PLAYBACK", L"ignore-stop");
    const std::wstring media = install.Media(L"a.3gp");
    std::optional<ProgramRunner> program(std::in_place);
    ASSERT_TRUE(program->Start(install.Program(), L"\"" + media + L"\""));
    ASSERT_NE(program->WaitForWindow(30000), nullptr);
    ASSERT_TRUE(ProgramRunner::WaitUntil(30000, [&] {
        return install.LogText().find("play-ignore-stop " + Utf8(media)) != std::string::npos;
    })) << install.LogText();
    Sleep(500);
    Kill(program);
    ExpectNextStartLoadsWhole(install, saved);
}

// The window closes and the program is ended a moment later, at moments spread over its save:
// each time the file is the one before or the one written, whole.
TEST(KilledProgram, AtAnyMomentOfTheSaveAtExitThePlaylistFileIsOldOrNewAndWhole) {
    StandInInstall install;
    ASSERT_TRUE(install.Ready()) << "no install tree";
    PresetSettings();
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PROBE", L"valid");
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PLAYBACK", L"ignore-stop");
    // A long list makes the save take a while; the program writes it back in its own form.
    const std::vector<std::wstring> saved = SavedPaths(3000);
    WriteAll(LastPlaylistPath(), PlayFileOf(saved));
    int killedBeforeTheEnd = 0;
    for (DWORD delay : {0u, 5u, 15u, 30u, 60u, 100u, 200u, 400u}) {
        std::optional<ProgramRunner> program(std::in_place);
        ASSERT_TRUE(program->Start(install.Program(), L""));
        HWND frame = program->WaitForWindow(30000);
        ASSERT_NE(frame, nullptr);
        Sleep(1500);  // the list is loaded
        PostMessageW(frame, WM_CLOSE, 0, 0);
        Sleep(delay);
        DWORD code = 0;
        if (!program->WaitForExit(0, code)) {
            ++killedBeforeTheEnd;
            Kill(program);
        }
        bool ok = false;
        EXPECT_EQ(PlaylistPaths(LastPlaylistPath(), ok), saved) << "killed " << delay << " ms after the close";
        EXPECT_TRUE(ok) << "killed " << delay << " ms after the close";
    }
    EXPECT_GT(killedBeforeTheEnd, 0) << "no kill fell into the save";
    ExpectNextStartLoadsWhole(install, saved);
}
