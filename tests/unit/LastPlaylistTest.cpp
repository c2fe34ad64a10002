// The playlist kept from one run of the installed program to the next in "Default.play".
#include "services/AppInfo.h"
#include "framework/Registry.h"
#include "playlist/PlaylistStore.h"
#include "ProgramRunner.h"
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

using namespace zevrin;

namespace {

constexpr wchar_t kRoot[] = L"Software\\Tresk\\Zevrin";

int CountFiles(const std::wstring& folder, const wchar_t* pattern) {
    int count = 0;
    WIN32_FIND_DATAW data;
    fw::UniqueFindHandle find(FindFirstFileW((folder + L"\\" + pattern).c_str(), &data));
    if (find) do ++count;
        while (FindNextFileW(find.Get(), &data));
    return count;
}

// Pictures other runs of the program left in the shared temporary folder (the GUI tests keep
// their last playlists) would end the wait for this run's thumbnails at once.
void DeleteFiles(const std::wstring& folder, const wchar_t* pattern) {
    WIN32_FIND_DATAW data;
    fw::UniqueFindHandle find(FindFirstFileW((folder + L"\\" + pattern).c_str(), &data));
    if (find) do DeleteFileW((folder + L"\\" + data.cFileName).c_str());
        while (FindNextFileW(find.Get(), &data));
}

class LastPlaylistTest : public testing::Test {
protected:
    void SetUp() override {
        program_ = ProgramRunner::InstalledProgram();
        if (program_.empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        appFolder_ = fw::RegKey::Open(HKEY_CURRENT_USER, kRoot).ReadString(L"AppFolder").value_or(L"");
        for (const wchar_t* sub : {L"\\Settings", L"\\Recent"}) fw::RegKey::DeleteTree(HKEY_CURRENT_USER, std::wstring(kRoot) + sub);
        // No automatic update check and no playback sound to wait for.
        auto settings = fw::RegKey::Create(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings");
        settings.WriteDword(L"AutoCheckUpdate", 0);
        settings.WriteDword(L"Mute", 1);
        temp_ = UserDataFolder() + L"\\Temp";
        defaultPlay_ = UserDataFolder() + L"\\Default.play";
        DeleteFileW(defaultPlay_.c_str());
        DeleteFiles(temp_, L"*.jpg");
    }
    void TearDown() override {
        fw::RegKey::Create(HKEY_CURRENT_USER, kRoot).WriteString(L"AppFolder", appFolder_);
        fw::RegKey::DeleteTree(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings");
        DeleteFileW(defaultPlay_.c_str());
    }

    // One run: start, let `ready` become true, end it with Escape as a user would.
    template <class Ready>
    void Run(const std::wstring& arguments, Ready ready) {
        ProgramRunner runner;
        ASSERT_TRUE(runner.Start(program_, arguments));
        HWND frame = runner.WaitForWindow(30000);
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(ProgramRunner::WaitUntil(90000, ready));
        PostMessageW(frame, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        DWORD code = 99;
        ASSERT_TRUE(runner.WaitForExit(20000, code));
        EXPECT_EQ(code, 0u);
    }

    std::wstring program_, appFolder_, temp_, defaultPlay_;
};

TEST_F(LastPlaylistTest, ItemsComeBackWithTheirThumbnailsAndGoWithTheSettingOff) {
    std::wstring args = L"\"" + test::ClipPath(L"phone.3gp") + L"\" \"" + test::ClipPath(L"mpeg4.avi") + L"\"";
    Run(args, [&] { return CountFiles(temp_, L"*.jpg") >= 2; });

    auto first = LoadPlaylistEntries(defaultPlay_);
    ASSERT_EQ(first.size(), 2u);
    const uint32_t done = EntryFlag::InfoLoaded | EntryFlag::ArtworkResolved | EntryFlag::ArtworkSet;
    EXPECT_EQ(first[0]->flags & done, done);
    EXPECT_EQ(first[0]->title, L"phone");
    EXPECT_GT(first[0]->duration, 5000000);
    EXPECT_EQ(first[1]->title, L"mpeg4");
    for (const auto& e : first) EXPECT_TRUE(test::FileExists(temp_ + L"\\" + e->artwork)) << fw::ToCodePage(e->artwork);

    // The second run has no tools at all: what it shows comes from the kept playlist alone.
    test::ScratchFolder noTools(L"no-tools");
    fw::RegKey::Create(HKEY_CURRENT_USER, kRoot).WriteString(L"AppFolder", noTools / L"");
    Run(L"", [] {
        Sleep(2000);
        return true;
    });
    auto second = LoadPlaylistEntries(defaultPlay_);
    ASSERT_EQ(second.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(second[i]->flags, first[i]->flags);
        EXPECT_EQ(second[i]->artwork, first[i]->artwork);
        EXPECT_EQ(second[i]->duration, first[i]->duration);
        EXPECT_TRUE(test::FileExists(temp_ + L"\\" + second[i]->artwork));
    }

    fw::RegKey::Create(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings").WriteDword(L"LoadLastPlaylist", 0);
    Run(L"", [] { return true; });
    EXPECT_EQ(GetFileAttributesW(temp_.c_str()), INVALID_FILE_ATTRIBUTES) << "the temporary folder is gone";
}

} // namespace
