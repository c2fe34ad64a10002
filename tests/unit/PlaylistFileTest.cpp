#include "playlist/PlaylistFile.h"
#include "framework/Handles.h"
#include "framework/Text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

using namespace zevrin;

namespace {

class PlaylistFileTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = fw::Format(L"%szevrin-playlists-%d", temp, static_cast<int>(GetCurrentProcessId()));
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        WIN32_FIND_DATAW data;
        fw::UniqueFindHandle find(FindFirstFileW((folder_ + L"\\*").c_str(), &data));
        if (find) {
            do DeleteFileW((folder_ + L"\\" + data.cFileName).c_str());
            while (FindNextFileW(find.Get(), &data));
        }
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring Path(const wchar_t* name) const { return folder_ + L"\\" + name; }
    void WriteBytes(const wchar_t* name, const std::string& bytes) const {
        std::ofstream(std::filesystem::path(Path(name)), std::ios::binary) << bytes;
    }
    std::string ReadBytes(const wchar_t* name) const {
        std::ifstream in(std::filesystem::path(Path(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::vector<std::wstring> Paths(const CPlaylistFileList& list) {
        std::vector<std::wstring> paths;
        for (const auto& e : list.entries) paths.push_back(e->path);
        return paths;
    }

    std::wstring folder_;
};

TEST_F(PlaylistFileTest, FormatsAreChosenByExtensionInAnyCase) {
    EXPECT_NE(dynamic_cast<CPlayPlaylistFile*>(CreatePlaylistFile(L"C:\\a.PLAY").get()), nullptr);
    EXPECT_NE(dynamic_cast<CM3uPlaylistFile*>(CreatePlaylistFile(L"C:\\a.m3u").get()), nullptr);
    EXPECT_NE(dynamic_cast<CPlsPlaylistFile*>(CreatePlaylistFile(L"C:\\dir.x\\a.Pls").get()), nullptr);
    EXPECT_EQ(CreatePlaylistFile(L"C:\\a.m3u8"), nullptr);
    EXPECT_EQ(CreatePlaylistFile(L"C:\\play"), nullptr);
    EXPECT_TRUE(IsPlaylistFile(L"x.M3U"));
    EXPECT_FALSE(IsPlaylistFile(L"x.3gp"));
}

TEST_F(PlaylistFileTest, M3uSkipsCommentsAndBlankLinesAndResolvesRelativeEntries) {
    WriteBytes(L"mixed.m3u",
               "#EXTM3U\r\n#EXTINF:123,Song\r\nC:\\Music\\a song.mp3\r\n\r\n   \r\n  clips\\b.3gp  \r\n"
               "http://127.0.0.1/live.3gp\n..\\up.3gp");
    CPlaylistFileList list;
    ASSERT_EQ(CM3uPlaylistFile().Read(Path(L"mixed.m3u"), list), 0);
    std::wstring parent = folder_.substr(0, folder_.rfind(L'\\'));
    EXPECT_EQ(Paths(list), (std::vector<std::wstring>{L"C:\\Music\\a song.mp3", folder_ + L"\\clips\\b.3gp",
                                                      L"http://127.0.0.1/live.3gp", parent + L"\\up.3gp"}));
}

TEST_F(PlaylistFileTest, M3uWritesBarePathsAndReadsThemBackUnchanged) {
    CPlaylistFileList list;
    list.AddPath(L"C:\\My Clips\\phone video.3gp");
    list.AddPath(L"D:\\b.3g2");
    ASSERT_EQ(CM3uPlaylistFile().Write(Path(L"out.m3u"), list), 0);
    EXPECT_EQ(ReadBytes(L"out.m3u"), "C:\\My Clips\\phone video.3gp\r\nD:\\b.3g2\r\n");
    CPlaylistFileList back;
    ASSERT_EQ(CM3uPlaylistFile().Read(Path(L"out.m3u"), back), 0);
    EXPECT_EQ(Paths(back), Paths(list));
    EXPECT_EQ(CM3uPlaylistFile().Read(Path(L"missing.m3u"), back), -1);
}

TEST_F(PlaylistFileTest, M3uWithAByteOrderMarkIsUtf8) {
    WriteBytes(L"utf8.m3u", "\xEF\xBB\xBF" "C:\\Vid\xC3\xA9os\\\xE6\x97\xA5.3gp\r\n");
    CPlaylistFileList list;
    ASSERT_EQ(CM3uPlaylistFile().Read(Path(L"utf8.m3u"), list), 0);
    EXPECT_EQ(Paths(list), (std::vector<std::wstring>{L"C:\\Vidéos\\日.3gp"}));
}

TEST_F(PlaylistFileTest, PlsReadsTheCountedFileKeysAndSkipsEmptyOnes) {
    WriteBytes(L"radio.pls",
               "[playlist]\r\nNumberOfEntries=3\r\nFile1=C:\\one.mp3\r\nTitle1=One\r\nFile3=  C:\\three.mp3 \r\n"
               "File4=C:\\beyond.mp3\r\nFile2=\r\nVersion=2\r\n");
    CPlaylistFileList list;
    ASSERT_EQ(CPlsPlaylistFile().Read(Path(L"radio.pls"), list), 0);
    EXPECT_EQ(Paths(list), (std::vector<std::wstring>{L"C:\\one.mp3", L"C:\\three.mp3"}));
}

TEST_F(PlaylistFileTest, PlsWithoutACountIsAFailureNotAnEmptyList) {
    WriteBytes(L"nocount.pls", "[playlist]\r\nFile1=C:\\one.mp3\r\n");
    CPlaylistFileList list;
    EXPECT_EQ(CPlsPlaylistFile().Read(Path(L"nocount.pls"), list), -1);
    EXPECT_EQ(CPlsPlaylistFile().Read(Path(L"missing.pls"), list), -1);
}

TEST_F(PlaylistFileTest, PlsClaimingAHugeCountReadsOnlyWhatIsThere) {
    WriteBytes(L"huge.pls", "[playlist]\r\nNumberOfEntries=2000000000\r\nFile1=C:\\one.mp3\r\nFile7=C:\\seven.mp3\r\n");
    CPlaylistFileList list;
    DWORD start = GetTickCount();
    ASSERT_EQ(CPlsPlaylistFile().Read(Path(L"huge.pls"), list), 0);
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(Paths(list), (std::vector<std::wstring>{L"C:\\one.mp3", L"C:\\seven.mp3"}));
}

TEST_F(PlaylistFileTest, PlsWriteReplacesThePlaylistSectionAndKeepsOthers) {
    WriteBytes(L"keep.pls", "[Other]\r\nKey=Value\r\n[playlist]\r\nNumberOfEntries=5\r\nFile5=C:\\old.mp3\r\n");
    CPlaylistFileList list;
    list.AddPath(L"C:\\a b.mp3");
    list.AddPath(L"C:\\c.mp3");
    ASSERT_EQ(CPlsPlaylistFile().Write(Path(L"keep.pls"), list), 0);
    CPlaylistFileList back;
    ASSERT_EQ(CPlsPlaylistFile().Read(Path(L"keep.pls"), back), 0);
    EXPECT_EQ(Paths(back), Paths(list));
    wchar_t value[64];
    GetPrivateProfileStringW(L"Other", L"Key", L"", value, 64, Path(L"keep.pls").c_str());
    EXPECT_STREQ(value, L"Value");
    EXPECT_EQ(GetPrivateProfileIntW(L"Playlist", L"File5", 42, Path(L"keep.pls").c_str()), 42u);
    ASSERT_EQ(CPlsPlaylistFile().Write(Path(L"new.pls"), list), 0);  // created when missing
}

TEST_F(PlaylistFileTest, PlayKeepsEveryFieldAcrossAWriteAndARead) {
    CPlaylistFileList list;
    list.flags = 7;
    list.title = L"Road trip";
    auto entry = std::make_unique<CPlaylistEntry>();
    entry->flags = EntryFlag::HasVideo | EntryFlag::HasAudio | EntryFlag::InfoLoaded | EntryFlag::ArtworkResolved |
                   EntryFlag::ArtworkSet;
    entry->path = L"C:\\Vidéos\\<day & night>.3gp";
    entry->duration = 123456789012LL;
    entry->title = L"Day & \"night\" 日本";
    entry->artwork = L"Day (1).jpg";
    list.entries.push_back(std::move(entry));
    list.AddPath(L"http://127.0.0.1/a.3gp?x=1&y=2");

    ASSERT_EQ(CPlayPlaylistFile().Write(Path(L"trip.play"), list), 0);
    std::string xml = ReadBytes(L"trip.play");
    EXPECT_TRUE(xml.starts_with("<?xml version=\"1.0\" ?>")) << xml;
    EXPECT_NE(xml.find("Generator=\"Tresk Zevrin\""), std::string::npos);
    EXPECT_NE(xml.find("<Artwork />"), std::string::npos);  // empty texts are written too

    CPlaylistFileList back;
    ASSERT_EQ(CPlayPlaylistFile().Read(Path(L"trip.play"), back), 0);
    EXPECT_EQ(back.flags, 7u);
    EXPECT_EQ(back.title, L"Road trip");
    ASSERT_EQ(back.entries.size(), 2u);
    const CPlaylistEntry& e = *back.entries[0];
    EXPECT_EQ(e.flags, list.entries[0]->flags);
    EXPECT_EQ(e.path, list.entries[0]->path);
    EXPECT_EQ(e.duration, 123456789012LL);
    EXPECT_EQ(e.title, list.entries[0]->title);
    EXPECT_EQ(e.artwork, L"Day (1).jpg");
    EXPECT_EQ(back.entries[1]->path, L"http://127.0.0.1/a.3gp?x=1&y=2");
    EXPECT_TRUE(back.entries[1]->title.empty());
}

TEST_F(PlaylistFileTest, PlayReaderSkipsPlaysWithoutAFileAndToleratesBadNumbers) {
    WriteBytes(L"odd.play",
               "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<Plays Flags=\"x\">"
               "<Play Flags=\"3\"><Title>No file</Title></Play>"
               "<Play Flags=\"-4\" Duration=\"12abc\"><File>C:\\a.3gp</File></Play>"
               "<Play Duration=\"-5\"><File>C:\\b.3gp</File><Title>B</Title></Play></Plays>");
    CPlaylistFileList list;
    ASSERT_EQ(CPlayPlaylistFile().Read(Path(L"odd.play"), list), 0);
    EXPECT_EQ(list.flags, 0u);
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0]->path, L"C:\\a.3gp");
    EXPECT_EQ(list.entries[0]->flags, 0u);
    EXPECT_EQ(list.entries[0]->duration, 0);
    EXPECT_EQ(list.entries[1]->duration, -5);
    EXPECT_EQ(list.entries[1]->title, L"B");
}

TEST_F(PlaylistFileTest, PlayFailuresAndTheEmptyPlaylist) {
    CPlaylistFileList list;
    EXPECT_EQ(CPlayPlaylistFile().Read(Path(L"missing.play"), list), -1);
    WriteBytes(L"bad.play", "<Plays><Play>");
    EXPECT_EQ(CPlayPlaylistFile().Read(Path(L"bad.play"), list), -1);
    WriteBytes(L"other.play", "<Songs/>");
    EXPECT_EQ(CPlayPlaylistFile().Read(Path(L"other.play"), list), -1);

    ASSERT_EQ(CPlayPlaylistFile().Write(Path(L"empty.play"), CPlaylistFileList{}), 0);
    std::string xml = ReadBytes(L"empty.play");
    EXPECT_NE(xml.find("<Title />"), std::string::npos);
    EXPECT_EQ(xml.find("<Play "), std::string::npos);
    ASSERT_EQ(CPlayPlaylistFile().Read(Path(L"empty.play"), list), 0);
    EXPECT_TRUE(list.entries.empty());
}

TEST_F(PlaylistFileTest, SavingReplacesTheOldFileWholeAndLeavesNoTemporaryBehind) {
    WriteBytes(L"Default.play", "old contents");
    CPlaylistFileList list;
    list.AddPath(L"C:\\a.3gp");
    ASSERT_EQ(CPlayPlaylistFile().Write(Path(L"Default.play"), list), 0);
    EXPECT_NE(ReadBytes(L"Default.play").find("C:\\a.3gp"), std::string::npos);
    EXPECT_EQ(GetFileAttributesW(Path(L"Default.play.saving").c_str()), INVALID_FILE_ATTRIBUTES);
    // A folder in the way: the write fails and the old file stays as it was.
    CreateDirectoryW(Path(L"Blocked.play.saving").c_str(), nullptr);
    WriteBytes(L"Blocked.play", "keep me");
    EXPECT_EQ(CPlayPlaylistFile().Write(Path(L"Blocked.play"), list), -1);
    EXPECT_EQ(ReadBytes(L"Blocked.play"), "keep me");
    RemoveDirectoryW(Path(L"Blocked.play.saving").c_str());
}

} // namespace
