#include "app/MultiFileCommandLineInfo.h"
#include "playlist/StartupPlaylist.h"
#include "framework/Handles.h"
#include "framework/Text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using zevrin::CMultiFileCommandLineInfo;
using Params = std::vector<std::wstring>;

namespace {

CMultiFileCommandLineInfo Parse(const wchar_t* commandLine) {
    CMultiFileCommandLineInfo info;
    fw::ParseCommandLine(info, fw::SplitCommandLine(commandLine));
    return info;
}

TEST(CommandLine, FlagsAreIgnoredAndFilesKeptInOrder) {
    auto info = Parse(L"Zevrin.exe -fullscreen \"C:\\My Clips\\a.3gp\" /x D:\\b.3g2 /s");
    EXPECT_EQ(info.files, (Params{L"C:\\My Clips\\a.3gp", L"D:\\b.3g2"}));
    EXPECT_EQ(info.shellCommand, fw::CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.fileName, L"C:\\My Clips\\a.3gp");
}

TEST(CommandLine, NoParametersIsANewEmptyDocument) {
    auto info = Parse(L"Zevrin.exe");
    EXPECT_TRUE(info.files.empty());
    EXPECT_EQ(info.shellCommand, fw::CCommandLineInfo::FileNew);
}

TEST(CommandLine, UrlsAndNonAsciiNamesSurvive) {
    auto info = Parse(L"Zevrin.exe http://127.0.0.1:8080/live.3gp \"C:\\Vidéos\\日本.3gp\"");
    EXPECT_EQ(info.files, (Params{L"http://127.0.0.1:8080/live.3gp", L"C:\\Vidéos\\日本.3gp"}));
}

TEST(CommandLine, ThePlainRecordOpensOnlyTheFirstFile) {
    fw::CCommandLineInfo plain;
    fw::ParseCommandLine(plain, fw::SplitCommandLine(L"Zevrin.exe /Embedding a.3gp b.3gp"));
    EXPECT_EQ(plain.shellCommand, fw::CCommandLineInfo::FileOpen);
    EXPECT_EQ(plain.fileName, L"a.3gp");
}

// The one record start-up reads carries the shell's command as well as the files.
TEST(CommandLine, TheShellsFlagsSetTheCommandAndTheFilesAreStillKept) {
    auto dde = Parse(L"Zevrin.exe /dde C:\\a.3gp");
    EXPECT_EQ(dde.shellCommand, fw::CCommandLineInfo::FileDDE);
    EXPECT_EQ(dde.files, (Params{L"C:\\a.3gp"}));
    EXPECT_EQ(Parse(L"Zevrin.exe -Register").shellCommand, fw::CCommandLineInfo::AppRegister);
    EXPECT_EQ(Parse(L"Zevrin.exe /unregserver a.3gp").shellCommand, fw::CCommandLineInfo::AppUnregister);
    EXPECT_EQ(Parse(L"Zevrin.exe /Embedding a.3gp").shellCommand, fw::CCommandLineInfo::FileOpen);
}

// Records what start-up asks of the playlist pane.
class RecordingPlaylist : public zevrin::IStartupPlaylist {
public:
    void StopLoader() override { calls.push_back(L"StopLoader"); }
    void StopExtractors() override { calls.push_back(L"StopExtractors"); }
    void RemoveAll() override { calls.push_back(L"RemoveAll"); }
    void SetPendingPlayIndex(int index) override { pending = index; }
    int AddPath(const std::wstring& path) override {
        calls.push_back(L"AddPath " + path);
        return path.ends_with(L".m3u") ? 3 : 1;
    }
    int AddFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse) override {
        calls.push_back(L"AddFolder " + folder + L" " + patterns + (recurse ? L" recurse" : L""));
        return folderCount;
    }
    bool IsLoaderRunning() const override { return running; }
    void StartLoader() override { calls.push_back(L"StartLoader"); }

    std::vector<std::wstring> calls;
    int pending = 99;
    int folderCount = 0;
    bool running = false;
};

TEST(StartupPlaylist, PathsAreQueuedInOrderAndTheFirstIsToBePlayed) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"zevrin-cmdline-folder";
    CreateDirectoryW(folder.c_str(), nullptr);

    RecordingPlaylist playlist;
    playlist.folderCount = 2;
    zevrin::OpenCommandLinePaths(playlist, {L"C:\\a.3gp", folder, L"C:\\list.m3u"});
    EXPECT_EQ(playlist.calls,
              (Params{L"StopLoader", L"StopExtractors", L"RemoveAll", L"AddPath C:\\a.3gp",
                      L"AddFolder " + folder + L" * recurse", L"AddPath C:\\list.m3u", L"StartLoader"}));
    EXPECT_EQ(playlist.pending, 0);
    RemoveDirectoryW(folder.c_str());
}

TEST(StartupPlaylist, NothingAddedMeansNothingToPlayAndARunningLoaderIsLeftAlone) {
    RecordingPlaylist playlist;
    playlist.running = true;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring emptyFolder = std::wstring(temp) + L"zevrin-cmdline-empty";
    CreateDirectoryW(emptyFolder.c_str(), nullptr);
    zevrin::OpenCommandLinePaths(playlist, {emptyFolder});
    EXPECT_EQ(playlist.pending, -1);
    EXPECT_EQ(playlist.calls.back(), L"AddFolder " + emptyFolder + L" * recurse");
    RemoveDirectoryW(emptyFolder.c_str());
}

// Only a first path that the playlist will take as its first entry, as it stands, starts
// playing before the window is made: what else would be started would only be stopped again.
TEST(StartupPlaylist, OnlyAnExistingMediaFileNamedFirstStartsAhead) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"zevrin-start-ahead";
    CreateDirectoryW(base.c_str(), nullptr);
    auto make = [&](const wchar_t* name) {
        const std::wstring path = base + L"\\" + name;
        fw::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        return path;
    };
    const std::wstring clip = make(L"clip \u00e9t\u00e9.3gp"), list = make(L"list.M3U"), picture = make(L"cover.JPG");

    EXPECT_EQ(zevrin::FileToStartAhead({clip, list}), clip);
    EXPECT_EQ(zevrin::FileToStartAhead({}), L"");
    EXPECT_EQ(zevrin::FileToStartAhead({list, clip}), L"") << "a playlist file is replaced by its entries";
    EXPECT_EQ(zevrin::FileToStartAhead({picture, clip}), L"") << "pictures are never queued";
    EXPECT_EQ(zevrin::FileToStartAhead({base, clip}), L"") << "a folder's first file is known only once listed";
    EXPECT_EQ(zevrin::FileToStartAhead({base + L"\\missing.3gp", clip}), L"");
    EXPECT_EQ(zevrin::FileToStartAhead({L"http://127.0.0.1/clip.3gp", clip}), L"") << "a URL is opened once, later";

    for (const std::wstring& path : {clip, list, picture}) DeleteFileW(path.c_str());
    RemoveDirectoryW(base.c_str());
}

} // namespace
