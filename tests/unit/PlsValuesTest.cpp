// The .pls reader takes each value exactly as the profile functions give it to any other program
// reading the same file: the platform's own answer is the reference.
#include "playlist/PlaylistFile.h"
#include "framework/Text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

using namespace zevrin;

namespace {

std::wstring ProfileFile(const wchar_t* name, const std::string& bytes) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = fw::Format(L"%szevrin-pls-%d-%s", temp, static_cast<int>(GetCurrentProcessId()), name);
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    return path;
}

std::wstring ProfileValue(const std::wstring& file, const std::wstring& key) {
    wchar_t value[1024] = L"";
    GetPrivateProfileStringW(L"Playlist", key.c_str(), L"", value, 1024, file.c_str());
    return value;
}

}  // namespace

TEST(PlsValues, QuotesGoAndOnlyExactKeyNamesCount) {
    const std::wstring file = ProfileFile(L"quoted.pls",
                                          "[playlist]\r\nNumberOfEntries=6\r\n"
                                          "File1=\"C:\\My Music\\one.mp3\"\r\n"
                                          "File01=C:\\zero-one.mp3\r\n"
                                          "File2 = 'C:\\two.mp3' \r\n"
                                          "file3=C:\\three.mp3\r\n"
                                          "File4=  \"C:\\four.mp3\"  \r\n"
                                          "File+5=C:\\plus.mp3\r\n"
                                          "File6=C:\\six.mp3\r\n"
                                          "File6=C:\\six-again.mp3\r\n");
    CPlaylistFileList list;
    ASSERT_EQ(CPlsPlaylistFile().Read(file, list), 0);

    // What another reader of the file gets, key by key, for the keys "File%d" names.
    std::vector<std::wstring> expected;
    for (int i = 1; i <= 6; ++i) {
        std::wstring value = fw::Trim(ProfileValue(file, fw::Format(L"File%d", i)));
        if (!value.empty()) expected.push_back(value);
    }
    std::vector<std::wstring> paths;
    for (const auto& entry : list.entries) paths.push_back(entry->path);
    EXPECT_EQ(paths, expected);
    EXPECT_EQ(paths, (std::vector<std::wstring>{L"C:\\My Music\\one.mp3", L"C:\\two.mp3", L"C:\\three.mp3",
                                                L"C:\\four.mp3", L"C:\\six.mp3"}));
    DeleteFileW(file.c_str());
}

TEST(PlsValues, AWrittenListReadsBackThroughTheProfileFunctionsUnchanged) {
    const std::wstring file = ProfileFile(L"written.pls", "");
    CPlaylistFileList list;
    list.AddPath(L"C:\\a b\\c.mp3");
    list.AddPath(L"http://radio.example/stream?x=1");
    ASSERT_EQ(CPlsPlaylistFile().Write(file, list), 0);
    EXPECT_EQ(ProfileValue(file, L"File1"), L"C:\\a b\\c.mp3");
    EXPECT_EQ(ProfileValue(file, L"File2"), L"http://radio.example/stream?x=1");
    CPlaylistFileList back;
    ASSERT_EQ(CPlsPlaylistFile().Read(file, back), 0);
    ASSERT_EQ(back.entries.size(), 2u);
    EXPECT_EQ(back.entries[0]->path, L"C:\\a b\\c.mp3");
    EXPECT_EQ(back.entries[1]->path, L"http://radio.example/stream?x=1");
    DeleteFileW(file.c_str());
}
