#include "services/AppSettings.h"
#include "RegistryFixture.h"

#include <windows.h>

#include <memory>

using zevrin::CAppSettings;

namespace {

class SettingsTest : public RegistryTest {
protected:
    std::unique_ptr<CAppSettings> Loaded() {
        auto s = std::make_unique<CAppSettings>(Root());
        s->Load();
        return s;
    }
    DWORD StoredDword(const wchar_t* name) { return Key(L"Settings").ReadDword(name).value_or(0xDEADBEEF); }
};

TEST_F(SettingsTest, DefaultsWhenNothingIsStoredAndAllValuesWrittenAtTheEnd) {
    {
        auto s = Loaded();
        EXPECT_EQ(s->layout, 2);
        EXPECT_EQ(s->viewStyle, 1);
        EXPECT_EQ(s->disableScreenSaver, 1);
        EXPECT_EQ(s->maxRecentFiles, 10);
        EXPECT_EQ(s->zoom, 100);
        EXPECT_EQ(s->thumbnailTime, 1000);
        EXPECT_EQ(s->thumbnailCx, 160);
        EXPECT_EQ(s->thumbnailCy, 90);
        EXPECT_EQ(s->autoCheckUpdateEvery, 7);
        EXPECT_TRUE(s->tempFolder.empty());
        // Nothing is written before the record goes.
        EXPECT_FALSE(Key(L"Settings").ReadDword(L"Layout").has_value());
    }
    EXPECT_EQ(StoredDword(L"Layout"), 2u);
    EXPECT_EQ(StoredDword(L"AutoCheckUpdate.Every"), 7u);
    EXPECT_EQ(StoredDword(L"Thumbnail.cx"), 160u);
    EXPECT_EQ(Key(L"Settings").ReadString(L"FolderDialog.LastFolder").value_or(L"?"), L"");
    // Read only: never written.
    EXPECT_FALSE(Key(L"Settings").ReadString(L"TempFolder").has_value());
}

TEST_F(SettingsTest, ChangedValuesSurviveARunAndBooleansAreStoredAsZeroOrOne) {
    {
        auto s = Loaded();
        s->volume = 35;
        s->mute = 7;  // any non-zero value means on
        s->repeat = 2;
        s->folderDialogLastFolder = L"C:\\Vidéos\\Phone";
    }
    EXPECT_EQ(StoredDword(L"Mute"), 1u);
    auto s = Loaded();
    EXPECT_EQ(s->volume, 35);
    EXPECT_EQ(s->mute, 1);
    EXPECT_EQ(s->repeat, 2);
    EXPECT_EQ(s->folderDialogLastFolder, L"C:\\Vidéos\\Phone");
}

TEST_F(SettingsTest, RecordThatWasNeverLoadedDoesNotOverwriteStoredValues) {
    Key(L"Settings").WriteDword(L"Volume", 20);
    { CAppSettings neverLoaded(Root()); }
    EXPECT_EQ(StoredDword(L"Volume"), 20u);
}

TEST_F(SettingsTest, RecentListLengthsAreClamped) {
    Key(L"Settings").WriteDword(L"MaxRecentFiles", 50);
    Key(L"Settings").WriteDword(L"MaxRecentPlaylists", static_cast<DWORD>(-3));
    Key(L"Recent\\Playlists").WriteString(L"01", L"C:\\a.m3u");
    auto s = Loaded();
    EXPECT_EQ(s->maxRecentFiles, 30);
    EXPECT_EQ(s->maxRecentPlaylists, 0);
    EXPECT_EQ(s->recentFiles.MaxCount(), 30);
    // Length 0: the list is neither loaded nor kept.
    EXPECT_EQ(s->recentPlaylists.Size(), 0u);
    s->AddRecentPlaylist(L"C:\\b.m3u");
    EXPECT_EQ(s->recentPlaylists.Size(), 0u);
}

TEST_F(SettingsTest, ThumbnailSizeOutOfRangeFallsBackToTheDefaultPair) {
    struct Case { DWORD cx, cy; int wantCx, wantCy; };
    const Case cases[] = {{500, 90, 160, 90}, {200, 29, 160, 90}, {39, 100, 160, 90}, {120, 301, 160, 90},
                          {40, 30, 40, 30}, {400, 300, 400, 300}};
    for (const Case& c : cases) {
        Key(L"Settings").WriteDword(L"Thumbnail.cx", c.cx);
        Key(L"Settings").WriteDword(L"Thumbnail.cy", c.cy);
        CAppSettings s(Root());
        s.Load();
        EXPECT_EQ(s.thumbnailCx, c.wantCx) << c.cx << "x" << c.cy;
        EXPECT_EQ(s.thumbnailCy, c.wantCy) << c.cx << "x" << c.cy;
    }
}

TEST_F(SettingsTest, KeepOffMeansRecentListIsNotLoaded) {
    Key(L"Settings").WriteDword(L"SaveRecentFiles", 0);
    Key(L"Recent\\Files").WriteString(L"01", L"C:\\clip.3gp");
    auto s = Loaded();
    EXPECT_EQ(s->recentFiles.MaxCount(), 0);
    EXPECT_EQ(s->recentFiles.Size(), 0u);
}

TEST_F(SettingsTest, DefaultFileTypeTableWhenNoValidEntryIsStored) {
    auto s = Loaded();
    ASSERT_EQ(s->fileTypes.size(), 23u);
    EXPECT_EQ(s->fileTypes[0]->name, L"Playlist");
    EXPECT_EQ(s->fileTypes[0]->extension, L".m3u");
    EXPECT_EQ(s->fileTypes[0]->icon, 5);
    EXPECT_EQ(s->fileTypes[5]->extension, L".3gp");
    EXPECT_EQ(s->fileTypes[5]->progId, L"Tresk.Zevrin.3gp");
    EXPECT_EQ(s->fileTypes[5]->name, L"3GP Video");
    EXPECT_EQ(s->fileTypes[13]->icon, 4);
    EXPECT_EQ(s->fileTypes[22]->name, L"Flash");
    EXPECT_EQ(s->fileTypes[22]->extension, L".swf");
}

TEST_F(SettingsTest, FileTypeWithoutIconIsIgnoredAndAloneYieldsTheDefaults) {
    auto t = Key(L"FileTypes\\.xyz");
    t.WriteString(L"Name", L"XYZ Video");
    t.WriteString(L"Extension", L".xyz");
    EXPECT_EQ(Loaded()->fileTypes.size(), 23u);

    // The record above wrote the default table back; start over with the one valid type.
    fw::RegKey::DeleteTree(HKEY_CURRENT_USER, Root() + L"\\FileTypes");
    t = Key(L"FileTypes\\.xyz");
    t.WriteString(L"Name", L"XYZ Video");
    t.WriteString(L"Extension", L".xyz");
    t.WriteDword(L"Icon", 2);
    auto s = Loaded();
    ASSERT_EQ(s->fileTypes.size(), 1u);
    EXPECT_EQ(s->fileTypes[0]->progId, L"Tresk.Zevrin.xyz");
}

TEST_F(SettingsTest, FileTypesAreSavedUnderTheirExtensionAndExtraKeysStay) {
    Key(L"FileTypes\\.old").WriteString(L"Keep", L"me");
    {
        auto s = Loaded();
        s->fileTypes.clear();
        s->AddFileType(L"Big Video", L".big vid", 2);
    }
    auto key = Key(L"FileTypes\\.big vid");
    EXPECT_EQ(key.ReadString(L"Name").value_or(L""), L"Big Video");
    EXPECT_EQ(key.ReadString(L"Extension").value_or(L""), L".big vid");
    EXPECT_EQ(key.ReadDword(L"Icon").value_or(0), 2u);
    EXPECT_EQ(Key(L"FileTypes\\.old").ReadString(L"Keep").value_or(L""), L"me");
    auto s = Loaded();
    ASSERT_EQ(s->fileTypes.size(), 1u);  // the .old key has no valid entry
    EXPECT_EQ(s->fileTypes[0]->progId, L"Tresk.Zevrin.bigvid");  // spaces removed
}

TEST_F(SettingsTest, RecentListsLoadTrimmedNonEmptyValuesInOrder) {
    auto files = Key(L"Recent\\Files");
    files.WriteString(L"01", L"  C:\\a.3gp ");
    files.WriteString(L"02", L"   ");
    files.WriteString(L"03", L"C:\\c.3gp");
    files.WriteString(L"11", L"C:\\beyond.3gp");  // past MaxRecentFiles
    auto s = Loaded();
    ASSERT_EQ(s->recentFiles.Size(), 2u);
    EXPECT_EQ(s->recentFiles.Entries()[0], L"C:\\a.3gp");
    EXPECT_EQ(s->recentFiles.Entries()[1], L"C:\\c.3gp");
}

TEST_F(SettingsTest, SavingAShorterRecentListLeavesExactlyItsValues) {
    {
        auto s = Loaded();
        for (const wchar_t* p : {L"C:\\1.3gp", L"C:\\2.3gp", L"C:\\3.3gp", L"C:\\4.3gp", L"C:\\5.3gp"}) s->AddRecentFile(p);
    }
    {
        auto s = Loaded();
        ASSERT_EQ(s->recentFiles.Size(), 5u);
        EXPECT_EQ(s->recentFiles.Entries()[0], L"C:\\5.3gp");
        s->recentFiles.Remove(0);
        s->recentFiles.Remove(0);
        s->recentFiles.Remove(99);  // out of range: nothing
    }
    auto key = Key(L"Recent\\Files");
    EXPECT_EQ(key.ReadString(L"01").value_or(L""), L"C:\\3.3gp");
    EXPECT_EQ(key.ReadString(L"03").value_or(L""), L"C:\\1.3gp");
    EXPECT_FALSE(key.ReadString(L"04").has_value());
    EXPECT_FALSE(key.ReadString(L"05").has_value());
}

TEST_F(SettingsTest, TempFolderFromTheRegistryIsUsedAsIs) {
    Key(L"Settings").WriteString(L"TempFolder", L"D:\\Scratch");
    auto s = Loaded();
    EXPECT_EQ(s->TempFolder(), L"D:\\Scratch");
    EXPECT_EQ(s->TempPath(L"x.jpg"), L"D:\\Scratch\\x.jpg");
}

} // namespace
