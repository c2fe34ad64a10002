#include "services/AppSettings.h"
#include "playlist/PlaylistStore.h"
#include "RegistryFixture.h"
#include "ToolTestSupport.h"

using namespace zevrin;
using zevrin::test::FileExists;
using zevrin::test::ScratchFolder;

namespace {

std::vector<const CPlaylistEntry*> Pointers(const std::vector<CPlaylistEntry>& entries) {
    std::vector<const CPlaylistEntry*> out;
    for (const auto& e : entries) out.push_back(&e);
    return out;
}

TEST(PlaylistStore, APathWithoutExtensionIsSavedAsPlay) {
    EXPECT_EQ(PlaylistSavePath(L"C:\\Lists\\road trip"), L"C:\\Lists\\road trip.play");
    EXPECT_EQ(PlaylistSavePath(L"C:\\Lists\\road.m3u"), L"C:\\Lists\\road.m3u");
    EXPECT_EQ(PlaylistSavePath(L"C:\\Lists.d\\road"), L"C:\\Lists.d\\road.play");
}

TEST(PlaylistStore, SavedEntriesLoadBackAndUnknownFormatsFail) {
    ScratchFolder folder(L"store");
    std::vector<CPlaylistEntry> entries(2);
    entries[0].path = L"C:\\a.3gp";
    entries[0].title = L"A";
    entries[0].duration = 42;
    entries[1].path = L"C:\\b b.3gp";
    std::wstring path = PlaylistSavePath(folder / L"mine");
    EXPECT_EQ(SavePlaylistEntries(path, Pointers(entries)), 2);
    auto loaded = LoadPlaylistEntries(path);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0]->title, L"A");
    EXPECT_EQ(loaded[0]->duration, 42);
    EXPECT_EQ(loaded[1]->path, L"C:\\b b.3gp");

    EXPECT_EQ(SavePlaylistEntries(folder / L"mine.txt", Pointers(entries)), -1);
    EXPECT_TRUE(LoadPlaylistEntries(folder / L"missing.play").empty());
    EXPECT_TRUE(LoadPlaylistEntries(folder / L"mine.txt").empty());
}

class KeepLastPlaylistTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        Key(L"Settings").WriteString(L"TempFolder", temp_ / L"thumbs");
        settings_ = std::make_unique<CAppSettings>(Root());
        settings_->Load();
        thumb_ = settings_->UniqueTempFile(L"clip", L".jpg");
        fw::UniqueFile(CreateFileW(thumb_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    void TearDown() override {
        DeleteFileW(settings_->DefaultPlaylistPath().c_str());
        settings_->DeleteTempFolder();
        RemoveDirectoryW((temp_ / L"thumbs").c_str());
        settings_.reset();
        RegistryTest::TearDown();
    }
    ScratchFolder temp_{L"keep"};
    std::unique_ptr<CAppSettings> settings_;
    std::wstring thumb_;
};

TEST_F(KeepLastPlaylistTest, ANonEmptyPlaylistIsKeptWithItsThumbnails) {
    std::vector<CPlaylistEntry> entries(1);
    entries[0].path = L"C:\\a.3gp";
    KeepLastPlaylist(*settings_, Pointers(entries));
    EXPECT_EQ(LoadPlaylistEntries(settings_->DefaultPlaylistPath()).size(), 1u);
    EXPECT_TRUE(FileExists(thumb_));
}

TEST_F(KeepLastPlaylistTest, AnEmptyPlaylistOrTheSettingOffLetsTheThumbnailsGo) {
    KeepLastPlaylist(*settings_, {});
    EXPECT_FALSE(FileExists(thumb_));

    thumb_ = settings_->UniqueTempFile(L"again", L".jpg");
    fw::UniqueFile(CreateFileW(thumb_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DeleteFileW(settings_->DefaultPlaylistPath().c_str());
    settings_->loadLastPlaylist = 0;
    std::vector<CPlaylistEntry> entries(1);
    entries[0].path = L"C:\\a.3gp";
    KeepLastPlaylist(*settings_, Pointers(entries));
    EXPECT_FALSE(FileExists(thumb_));
    EXPECT_FALSE(FileExists(settings_->DefaultPlaylistPath()));
}

} // namespace
