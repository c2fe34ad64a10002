#include "services/AppSettings.h"
#include "framework/Handles.h"
#include "RegistryFixture.h"

#include <set>
#include <thread>
#include <vector>

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Touch(const std::wstring& path) {
    fw::UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

class TempFilesTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = fw::Format(L"%szevrin-temp-%d\\nested", temp, static_cast<int>(GetCurrentProcessId()));
        Key(L"Settings").WriteString(L"TempFolder", folder_);
        settings_ = std::make_unique<zevrin::CAppSettings>(Root());
        settings_->Load();
    }
    void TearDown() override {
        settings_.reset();
        for (const std::wstring& f : leftovers_) DeleteFileW(f.c_str());
        RemoveDirectoryW(folder_.c_str());
        RemoveDirectoryW(folder_.substr(0, folder_.rfind(L'\\')).c_str());
        RegistryTest::TearDown();
    }

    std::wstring folder_;
    std::unique_ptr<zevrin::CAppSettings> settings_;
    std::vector<std::wstring> leftovers_;
};

TEST_F(TempFilesTest, UniqueNamesAreNumberedPastExistingFilesAndTheFolderIsCreated) {
    std::wstring first = settings_->UniqueTempFile(L"clip", L".jpg");
    EXPECT_EQ(first, folder_ + L"\\clip.jpg");
    Touch(first);
    std::wstring second = settings_->UniqueTempFile(L"clip", L".jpg");
    EXPECT_EQ(second, folder_ + L"\\clip (1).jpg");
    // A name handed out is taken even before its file is written.
    EXPECT_EQ(settings_->UniqueTempFile(L"clip", L".jpg"), folder_ + L"\\clip (2).jpg");
    leftovers_ = {first};
}

TEST_F(TempFilesTest, ThreadsAskingAtOnceGetDistinctNames) {
    std::vector<std::wstring> names(64);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 16; ++i) names[static_cast<size_t>(t * 16 + i)] = settings_->UniqueTempFile(L"frame", L".jpg");
        });
    for (auto& th : threads) th.join();
    EXPECT_EQ(std::set<std::wstring>(names.begin(), names.end()).size(), names.size());
}

// A folder the user named may hold the user's own files: only the program's files go.
TEST_F(TempFilesTest, DeletingAUserNamedFolderRemovesOnlyTheProgramsFiles) {
    std::wstring ours = settings_->UniqueTempFile(L"thumb", L".jpg");
    Touch(ours);
    std::wstring theirs = folder_ + L"\\holiday.3gp";
    Touch(theirs);
    settings_->DeleteTempFolder();
    EXPECT_FALSE(Exists(ours));
    EXPECT_TRUE(Exists(theirs));
    leftovers_ = {theirs};
}

TEST(TempFolder, TheProgramsOwnFolderGoesAsAWhole) {
  {
    zevrin::CAppSettings settings(L"Software\\Tresk\\ZevrinTest\\nothing-stored");
    settings.Load();
    std::wstring folder = settings.TempFolder();
    EXPECT_NE(folder.find(L"\\Tresk\\Zevrin\\Temp"), std::wstring::npos) << std::string(folder.begin(), folder.end());
    std::wstring file = settings.UniqueTempFile(L"x", L".xml");
    Touch(file);
    ASSERT_TRUE(Exists(file));
    settings.DeleteTempFolder();
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(settings.DefaultPlaylistPath(), folder.substr(0, folder.rfind(L'\\')) + L"\\Default.play");
  }
    fw::RegKey::DeleteTree(HKEY_CURRENT_USER, L"Software\\Tresk\\ZevrinTest\\nothing-stored");
}

} // namespace
