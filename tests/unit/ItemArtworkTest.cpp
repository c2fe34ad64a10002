// Artwork beside the media: which candidate an item takes, TIFF pictures, and a found picture
// that stays through every extraction pass of the playlist view, also when the media can't be
// probed. No media tool is needed: the tools are pointed at files that do not exist.
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "framework/Handles.h"
#include "playlist/PlaylistItem.h"
#include "ui/playlist/PlayViewLink.h"
#include "ui/playlist/PlaylistView.h"
#include "PlaylistViewHost.h"
#include "RecordingPlayView.h"
#include "RegistryFixture.h"
#include "TestData.h"
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

using namespace zevrin;

namespace {

class ItemArtworkTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        settings_ = test::PublishTestSettings(Root(), folder_ / L"thumbs");
        settings_->loadLastPlaylist = 0;
        resources_.Init();
        resources_.probeToolPath = folder_ / L"NoSuchProbe.exe";
        resources_.encodeToolPath = folder_ / L"NoSuchEncoder.exe";
        PublishResources(&resources_);
    }
    void TearDown() override {
        PublishSettings(nullptr);
        PublishResources(nullptr);
        settings_.reset();
        RegistryTest::TearDown();
    }
    // A file of the scratch folder made from a test picture (or from text, to be unreadable).
    std::wstring Place(const wchar_t* name, const wchar_t* from) {
        std::wstring target = folder_ / name;
        EXPECT_TRUE(CopyFileW(TestDataPath(from).c_str(), target.c_str(), FALSE)) << fw::ToCodePage(from);
        return target;
    }

    test::ScratchFolder folder_{L"artwork"};
    std::unique_ptr<CAppSettings> settings_;
    CAppResources resources_;
};

}  // namespace

TEST_F(ItemArtworkTest, TiffPicturesDecodeThroughThePlatform) {
    CThumbnailImage tiff;
    ASSERT_TRUE(tiff.LoadFile(TestDataPath(L"tiff.tif"))) << tiff.LastError();
    EXPECT_EQ(tiff.Width(), 20);
    EXPECT_EQ(tiff.Height(), 20);
    EXPECT_EQ(tiff.PixelColor(10, 10), 0x7E7E7Eu);  // ImageMagick's "gray" is 126, 126, 126
    CThumbnailImage named;
    EXPECT_TRUE(named.LoadFile(TestDataPath(L"artwork.tiff"), CThumbnailImage::Tiff));
    CThumbnailImage notTiff;
    EXPECT_FALSE(notTiff.LoadFile(TestDataPath(L"notes.txt"), CThumbnailImage::Tiff));
    EXPECT_TRUE(notTiff.IsEmpty());
    // A damaged TIFF fails cleanly: the signature and a directory offset far past the end.
    std::wstring broken = folder_ / L"broken.tif";
    {
        fw::UniqueFile file(CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const char bytes[] = "II*\0\xF0\xFF\xFF\x0F garbage that is no picture";
        DWORD written = 0;
        WriteFile(file.Get(), bytes, sizeof bytes, &written, nullptr);
    }
    CThumbnailImage damaged;
    EXPECT_FALSE(damaged.LoadFile(broken));
    EXPECT_TRUE(damaged.IsEmpty());
    EXPECT_FALSE(damaged.LastError().empty());
}

TEST_F(ItemArtworkTest, ACandidateThatFailsToLoadDoesNotEndTheSearch) {
    // "clip.jpg" is no picture; "clip.tif" is the first one that loads; "clip.png" comes later.
    std::wstring media = Place(L"clip.3gp", L"notes.txt");
    Place(L"clip.jpg", L"notes.txt");
    Place(L"clip.gif", L"truncated.jpg");
    std::wstring tif = Place(L"clip.tif", L"tiff.tif");
    Place(L"clip.png", L"alpha.png");
    CPlaylistItem item(media);
    EXPECT_EQ(item.LoadInfo(resources_.Tools()), 0);
    EXPECT_EQ(item.ResolveArtwork(resources_.Tools()), 1);
    EXPECT_EQ(item.artwork, tif);
    EXPECT_EQ(item.kind, kKindPicture);
    EXPECT_TRUE(item.flags & EntryFlag::ArtworkBesideMedia);
    EXPECT_EQ(item.thumbnail.Width(), settings_->thumbnailCx);

    // Nothing beside it loads: no artwork, drawn by its kind.
    DeleteFileW(tif.c_str());
    DeleteFileW((folder_ / L"clip.png").c_str());
    CPlaylistItem bare(media);
    bare.ResolveArtwork(resources_.Tools());
    EXPECT_TRUE(bare.artwork.empty());
    EXPECT_FALSE(bare.flags & EntryFlag::ArtworkBesideMedia);
    EXPECT_EQ(bare.kind, kKindUnknown);
    EXPECT_TRUE(bare.thumbnail.IsEmpty());
}

TEST_F(ItemArtworkTest, AnItemThatCannotBeProbedKeepsItsPictureThroughEveryPass) {
    std::wstring media = Place(L"memo.3gp", L"notes.txt");
    Place(L"memo.jpg", L"photo.jpg");
    test::RecordingPlayView playView;
    CPlaylistView* view = nullptr;
    HWND host = test::OpenPlaylistView(L"ZevrinArtworkTestHost", playView, view);
    ASSERT_TRUE(host);
    view->AddItem(std::make_unique<CPlaylistItem>(media));
    for (int pass = 1; pass <= 3; ++pass) {
        view->StartLoader();  // no paths queued: the extractors take the items
        DWORD start = GetTickCount();
        MSG msg;
        while ((view->IsLoaderRunning() || view->IsExtracting()) && GetTickCount() - start < 30000) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
        }
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        ASSERT_FALSE(view->IsExtracting());
        const CPlaylistItem* item = view->GetItem(0);
        EXPECT_FALSE(item->flags & EntryFlag::InfoLoaded) << "pass " << pass;
        EXPECT_EQ(item->kind, kKindPicture) << "pass " << pass;
        EXPECT_TRUE(item->HasWork(ItemWork::ImageLoaded)) << "pass " << pass;
        EXPECT_FALSE(item->thumbnail.IsEmpty()) << "pass " << pass;
    }
    DestroyWindow(host);
}

TEST_F(ItemArtworkTest, PhoneMemosListWithTheirTrueLength) {
    resources_.probeToolPath = test::HarlowTool(L"Quorrin.exe");
    if (resources_.probeToolPath.empty()) GTEST_SKIP() << "the media tools are not installed";
    struct Case {
        const wchar_t* clip;
        const wchar_t* text;
        double seconds;
    };
    for (const Case& c : {Case{L"memo.qcp", L"0:06", 6}, Case{L"memo-35min.amr", L"35:00", 2100},
                          Case{L"memo-7min.awb", L"7:00", 420}}) {
        CPlaylistItem item(test::ClipPath(c.clip));
        ASSERT_EQ(item.LoadInfo(resources_.Tools()), 1) << fw::ToCodePage(c.clip);
        EXPECT_TRUE(item.flags & EntryFlag::HasAudio);
        EXPECT_FALSE(item.flags & EntryFlag::HasVideo);
        EXPECT_NEAR(item.duration / 1e6, c.seconds, std::max(0.1, c.seconds * 0.01)) << fw::ToCodePage(c.clip);
        EXPECT_EQ(item.durationText, c.text);
    }
}
