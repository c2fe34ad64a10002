// Playlist items made from generated clips with the real probe and encode tools.
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "playlist/PlaylistItem.h"
#include "RegistryFixture.h"
#include "ToolTestSupport.h"

using namespace zevrin;
using zevrin::test::ClipPath;
using zevrin::test::FileExists;
using zevrin::test::HarlowTool;
using zevrin::test::ScratchFolder;

namespace {

// Publishes a settings record (its temporary folder a scratch folder) and the resources with
// the installed tools, as the program does at start.
class PlaylistItemIntegration : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        if (HarlowTool(L"Quorrin.exe").empty() || HarlowTool(L"Brannet.exe").empty())
            GTEST_SKIP() << "the media tools are not installed";
        Key(L"Settings").WriteString(L"TempFolder", temp_ / L"thumbs");
        settings_ = std::make_unique<CAppSettings>(Root());
        settings_->Load();
        PublishSettings(settings_.get());
        resources_.Init();
        resources_.probeToolPath = HarlowTool(L"Quorrin.exe");
        resources_.encodeToolPath = HarlowTool(L"Brannet.exe");
        PublishResources(&resources_);
    }
    void TearDown() override {
        if (settings_) settings_->DeleteTempFolder();
        RemoveDirectoryW((temp_ / L"thumbs").c_str());
        PublishSettings(nullptr);
        PublishResources(nullptr);
        settings_.reset();
        RegistryTest::TearDown();
    }
    std::wstring TempFile(const std::wstring& name) const { return settings_->TempPath(name); }

    ScratchFolder temp_{L"items"};
    std::unique_ptr<CAppSettings> settings_;
    CAppResources resources_;
};

TEST_F(PlaylistItemIntegration, AVideoGetsItsFlagsDurationTitleAndAThumbnailOfTheBoxSize) {
    CPlaylistItem item(ClipPath(L"phone.3gp"));
    ASSERT_EQ(item.LoadInfo(resources_.Tools()), 1);
    EXPECT_TRUE(item.flags & EntryFlag::HasVideo);
    EXPECT_TRUE(item.flags & EntryFlag::HasAudio);
    EXPECT_TRUE(item.flags & EntryFlag::InfoLoaded);
    EXPECT_NEAR(item.duration, 6000000, 200000);  // AAC priming counts a little
    EXPECT_EQ(item.durationText, L"0:06");
    EXPECT_EQ(item.title, L"phone");
    EXPECT_TRUE(item.HasWork(ItemWork::ProbeSucceeded));
    EXPECT_FALSE(item.HasWork(ItemWork::LoadingInfo | ItemWork::Probing));

    EXPECT_EQ(item.ResolveArtwork(resources_.Tools()), 1);
    EXPECT_EQ(item.kind, kKindPicture);
    EXPECT_TRUE(item.flags & EntryFlag::ArtworkSet);
    EXPECT_TRUE(item.flags & EntryFlag::ArtworkResolved);
    EXPECT_FALSE(item.flags & EntryFlag::ArtworkBesideMedia);
    EXPECT_EQ(item.thumbnail.Width(), 160);
    EXPECT_EQ(item.thumbnail.Height(), 90);
    EXPECT_EQ(IsBlankFrame(&item.thumbnail), 1);
    EXPECT_EQ(item.artwork, L"phone.jpg");
    ASSERT_TRUE(FileExists(TempFile(item.artwork)));

    item.DeleteTempFiles();
    EXPECT_FALSE(FileExists(TempFile(L"phone.jpg")));
}

TEST_F(PlaylistItemIntegration, TheMediasTitleIsUsedUnlessThePlaylistGaveOne) {
    CPlaylistItem fromMedia(ClipPath(L"h264.mp4"));
    ASSERT_EQ(fromMedia.LoadInfo(resources_.Tools()), 1);
    EXPECT_EQ(fromMedia.title, L"Clip <one> & \"two\"");
    EXPECT_EQ(fromMedia.durationText, L"0:08");

    CPlaylistEntry saved;
    saved.path = ClipPath(L"h264.mp4");
    saved.title = L"My title";
    CPlaylistItem fromPlaylist;
    fromPlaylist.CopyFrom(saved);
    ASSERT_EQ(fromPlaylist.LoadInfo(resources_.Tools()), 1);
    EXPECT_EQ(fromPlaylist.title, L"My title");
    // A title with characters no file name may hold still names its thumbnail file.
    ASSERT_EQ(fromMedia.ResolveArtwork(resources_.Tools()), 1);
    EXPECT_EQ(fromMedia.kind, kKindPicture);
    EXPECT_EQ(fromMedia.artwork, L"Clip _one_ & _two_.jpg");
}

TEST_F(PlaylistItemIntegration, AVideoThatStartsBlackTakesItsThumbnailFromALaterOffset) {
    CPlaylistItem item(ClipPath(L"black-start.mp4"));
    ASSERT_EQ(item.LoadInfo(resources_.Tools()), 1);
    ASSERT_EQ(item.ResolveArtwork(resources_.Tools()), 1);
    EXPECT_EQ(item.kind, kKindPicture);
    EXPECT_EQ(IsBlankFrame(&item.thumbnail), 1);
}

TEST_F(PlaylistItemIntegration, AudioWithAPictureBesideItShowsThePicture) {
    ScratchFolder media(L"audio-art");
    CopyFileW(ClipPath(L"tone.wav").c_str(), (media / L"tone.wav").c_str(), FALSE);
    CPlaylistItem bare(media / L"tone.wav");
    ASSERT_EQ(bare.LoadInfo(resources_.Tools()), 1);
    ASSERT_EQ(bare.ResolveArtwork(resources_.Tools()), 1);
    EXPECT_EQ(bare.kind, kKindAudio);
    EXPECT_TRUE(bare.artwork.empty());
    EXPECT_FALSE(bare.HasWork(ItemWork::ExtractionTried));  // no video: no frame is extracted

    CopyFileW(ClipPath(L"picture.jpg").c_str(), (media / L"tone.jpg").c_str(), FALSE);
    CPlaylistItem withArt(media / L"tone.wav");
    ASSERT_EQ(withArt.LoadInfo(resources_.Tools()), 1);
    ASSERT_EQ(withArt.ResolveArtwork(resources_.Tools()), 1);
    EXPECT_EQ(withArt.kind, kKindPicture);
    EXPECT_EQ(withArt.artwork, media / L"tone.jpg");
    EXPECT_TRUE(withArt.flags & EntryFlag::ArtworkBesideMedia);
    EXPECT_EQ(withArt.thumbnail.Width(), 160);
    withArt.DeleteTempFiles();  // artwork beside the media is the user's: it stays
    EXPECT_TRUE(FileExists(media / L"tone.jpg"));
}

TEST_F(PlaylistItemIntegration, AReloadedItemShowsItsThumbnailWithoutRunningATool) {
    CPlaylistItem first(ClipPath(L"mpeg4.avi"));
    ASSERT_EQ(first.LoadInfo(resources_.Tools()), 1);
    ASSERT_EQ(first.ResolveArtwork(resources_.Tools()), 1);
    ASSERT_EQ(first.kind, kKindPicture);

    resources_.probeToolPath = L"NoSuchProbe.exe";
    resources_.encodeToolPath = L"NoSuchEncoder.exe";
    CPlaylistItem reloaded;
    reloaded.CopyFrom(first);
    ASSERT_EQ(reloaded.LoadInfo(resources_.Tools()), 1);
    EXPECT_EQ(reloaded.durationText, first.durationText);
    ASSERT_EQ(reloaded.ResolveArtwork(resources_.Tools()), 1);
    EXPECT_EQ(reloaded.kind, kKindPicture);
    EXPECT_EQ(reloaded.thumbnail.Width(), 160);

    // Its file gone (the temporary folder was emptied): drawn by its kind instead.
    first.DeleteTempFiles();
    CPlaylistItem orphan;
    orphan.CopyFrom(first);
    orphan.ResolveArtwork(resources_.Tools());
    EXPECT_EQ(orphan.kind, kKindVideoAudio);
    EXPECT_TRUE(orphan.thumbnail.IsEmpty());
}

TEST_F(PlaylistItemIntegration, WhatCannotBeProbedStaysWithoutInformation) {
    for (const wchar_t* name : {L"notmedia.bin", L"empty.mp4"}) {
        CPlaylistItem item(ClipPath(name));
        EXPECT_EQ(item.LoadInfo(resources_.Tools()), 0) << fw::ToCodePage(name);
        EXPECT_FALSE(item.flags & EntryFlag::InfoLoaded);
        EXPECT_TRUE(item.HasWork(ItemWork::Probing));  // stays set when the probe failed
        EXPECT_TRUE(item.title.empty());
    }
}

TEST(PlaylistItem, TitlesAndFileNamesFromPaths) {
    EXPECT_EQ(TitleFromPath(L"C:\\Clips\\My clip.3gp"), L"My clip");
    EXPECT_EQ(TitleFromPath(L"C:\\Clips.d\\noext"), L"noext");
    EXPECT_EQ(TitleFromPath(L"http://host/live/stream.3gp?token=a.b"), L"stream");
    EXPECT_EQ(TitleFromPath(L".hidden"), L".hidden");
    EXPECT_EQ(FileNameFromTitle(L"a/b: c?"), L"a_b_ c_");
    EXPECT_EQ(FileNameFromTitle(L"  "), L"frame");
    EXPECT_EQ(FileNameFromTitle(L"end."), L"end");
}

TEST(PlaylistItem, TotalDurationCountsOnlyItemsWithInformation) {
    CPlaylistItem a, b, c;
    a.duration = 3000000;
    a.flags = EntryFlag::InfoLoaded;
    b.duration = 5000000;  // from a playlist file, not probed yet
    c.duration = 4000000;
    c.flags = EntryFlag::InfoLoaded;
    EXPECT_EQ(TotalDuration({&a, &b, &c}), 7000000);
    EXPECT_EQ(TotalDuration({}), 0);
}

} // namespace
