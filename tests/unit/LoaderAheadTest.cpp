// The loader with the real probe tool: it probes the next path while the current one is probed,
// yet the playlist gets its items in the queue's order, without the files that are no media and
// without duplicates; and the item to play has its playback started before its probe ends.
#include "RegistryFixture.h"
#include "ToolTestSupport.h"

#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "playlist/StartupPlaylist.h"
#include "framework/Wnd.h"
#include "ui/playlist/ItemExtraction.h"
#include "ui/playlist/PlayViewLink.h"
#include "PlaylistViewHost.h"
#include "RecordingPlayView.h"
#include "ui/playlist/PlaylistView.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <functional>

namespace zevrin {
namespace {

class LoaderAheadTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        settings_ = test::PublishTestSettings(Root(), temp_ / L"thumbs");
        settings_->loadLastPlaylist = 0;
        settings_->allowDuplicates = 0;
        test::PublishRealTools(resources_);
        host_ = test::OpenPlaylistView(L"ZevrinLoaderAheadHost", playView_, view_);
        ASSERT_TRUE(host_);
    }
    void TearDown() override {
        test::ClosePlaylistView(host_, settings_);
        RegistryTest::TearDown();
    }
    bool HaveTools() const { return !resources_.probeToolPath.empty(); }
    void WaitForLoader() {
        DWORD start = GetTickCount();
        MSG msg;
        while (view_->IsLoaderRunning() && GetTickCount() - start < 120000) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
        }
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        ASSERT_FALSE(view_->IsLoaderRunning());
        view_->StopExtractors(); // thumbnails are not what these cases are about
    }
    // Dispatches the window's messages until `done` holds or two minutes have passed.
    template <class Done>
    bool PumpUntil(Done done, DWORD limit = 120000) {
        DWORD start = GetTickCount();
        MSG msg;
        while (!done() && GetTickCount() - start < limit) {
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            else
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return done();
    }
    // Queues six clips and starts the loader; true once the first item is in while it runs.
    bool LoadSixAndWaitForTheFirst() {
        for (const wchar_t* name : {L"phone.3gp", L"h264.mp4", L"mpeg4.avi", L"tone.wav", L"vp8.webm", L"clip.flv"})
            view_->AddPath(test::ClipPath(name));
        view_->StartLoader();
        return PumpUntil([this] { return view_->GetItemCount() > 0; }) && view_->IsLoaderRunning();
    }
    int ItemsStillToComplete() const {
        int count = 0;
        for (int i = 0; i < view_->GetItemCount(); ++i) count += NeedsExtraction(*view_->GetItem(i)) ? 1 : 0;
        return count;
    }
    std::wstring Names() const { return test::ItemNames(*view_); }

    test::ScratchFolder temp_{L"loader-ahead"};
    std::unique_ptr<CAppSettings> settings_;
    CAppResources resources_;
    HWND host_ = nullptr;
    CPlaylistView* view_ = nullptr;
    test::RecordingPlayView playView_{[this] { return view_->GetItemCount(); }};
};

TEST_F(LoaderAheadTest, ItemsComeInTheQueuesOrderWithoutNonMediaOrDuplicates) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    for (const wchar_t* name : {L"phone.3gp", L"notmedia.bin", L"h264.mp4", L"PHONE.3gp", L"mpeg4.avi", L"tone.wav",
                                L"h264.mp4", L"vp8.webm", L"clip.flv"})
        view_->AddPath(test::ClipPath(name));
    view_->StartLoader();
    WaitForLoader();
    EXPECT_EQ(Names(), L"phone,h264,mpeg4,tone,vp8,clip");
    for (int i = 0; i < view_->GetItemCount(); ++i) EXPECT_TRUE(view_->GetItem(i)->flags & EntryFlag::InfoLoaded) << i;
    EXPECT_TRUE(playView_.aheads.empty()) << "nothing was to be played";
    EXPECT_TRUE(playView_.plays.empty());
}

// A stop while two probes run still appends what they found, and leaves the rest queued.
TEST_F(LoaderAheadTest, AStopKeepsWhatWasProbedAndTheRestOfTheQueue) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    const wchar_t* names[] = {L"phone.3gp", L"h264.mp4", L"mpeg4.avi", L"tone.wav", L"vp8.webm", L"clip.flv"};
    for (const wchar_t* name : names) view_->AddPath(test::ClipPath(name));
    view_->StartLoader();
    view_->StopLoader();
    EXPECT_FALSE(view_->IsLoaderRunning());
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(view_->GetItemCount() + static_cast<int>(view_->PendingPathCount()), 6);
    view_->StartLoader();
    WaitForLoader();
    EXPECT_EQ(Names(), L"phone,h264,mpeg4,tone,vp8,clip");
}

TEST_F(LoaderAheadTest, TheFirstFileStartsPlayingBeforeItsItemExistsAndTheItemThenPlays) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    OpenCommandLinePaths(*view_, {test::ClipPath(L"phone.3gp"), test::ClipPath(L"h264.mp4")});
    ASSERT_EQ(playView_.aheads.size(), 1u);
    EXPECT_EQ(playView_.aheads[0].path, test::ClipPath(L"phone.3gp"));
    EXPECT_EQ(playView_.aheads[0].itemCount, 0);
    WaitForLoader();
    ASSERT_EQ(playView_.plays.size(), 1u);
    EXPECT_EQ(playView_.plays[0].index, 0);
    EXPECT_EQ(playView_.plays[0].where, VideoPlace::kInDisplay);
    EXPECT_EQ(playView_.plays[0].itemCount, 1);
    EXPECT_EQ(playView_.ends, 1) << "the display is told when the loader has ended";
}

// While the playback started ahead opens, no probe competes with it for the processor: the
// items come once the display says it has opened (or, bounded, without it).
TEST_F(LoaderAheadTest, TheProbesWaitUntilThePlaybackStartedAheadHasOpened) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    OpenCommandLinePaths(*view_, {test::ClipPath(L"phone.3gp"), test::ClipPath(L"h264.mp4")});
    ASSERT_EQ(playView_.aheads.size(), 1u);
    PumpUntil([] { return false; }, CPlaylistWorkers::kProbeHoldMs / 4);
    EXPECT_EQ(view_->GetItemCount(), 0) << "nothing is probed before the playback has opened";
    EXPECT_EQ(view_->PendingPathCount(), 2u) << "a stop now would keep every path";
    view_->ResumeProbes();
    WaitForLoader();
    EXPECT_EQ(Names(), L"phone,h264");
}

// A stop while the loader holds ends it at once, with the whole queue kept for the next start.
TEST_F(LoaderAheadTest, AStopWhileTheProbesWaitKeepsTheQueue) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    OpenCommandLinePaths(*view_, {test::ClipPath(L"phone.3gp"), test::ClipPath(L"h264.mp4")});
    view_->StopLoader();
    EXPECT_FALSE(view_->IsLoaderRunning());
    EXPECT_EQ(view_->GetItemCount() + static_cast<int>(view_->PendingPathCount()), 2);
    view_->StartLoader();
    view_->ResumeProbes();
    WaitForLoader();
    EXPECT_EQ(Names(), L"phone,h264");
}

// The file started ahead is dropped by the loader: the next item is the one played, and the
// display learns at the loader's end that nothing more comes.
TEST_F(LoaderAheadTest, AFileThatIsNoMediaLeavesThePlayToTheNextItem) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    OpenCommandLinePaths(*view_, {test::ClipPath(L"notmedia.bin"), test::ClipPath(L"h264.mp4")});
    ASSERT_EQ(playView_.aheads.size(), 1u);
    EXPECT_EQ(playView_.aheads[0].path, test::ClipPath(L"notmedia.bin"));
    WaitForLoader();
    EXPECT_EQ(Names(), L"h264");
    ASSERT_EQ(playView_.plays.size(), 1u);
    EXPECT_EQ(playView_.plays[0].index, 0);
    EXPECT_EQ(playView_.ends, 1);
}

TEST_F(LoaderAheadTest, NothingStartsAheadForAPathTheLoaderWouldDropOrAMissingFile) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    auto known = std::make_unique<CPlaylistItem>(test::ClipPath(L"phone.3gp"));
    view_->AddItem(std::move(known));
    view_->AddPath(test::ClipPath(L"phone.3gp"));
    view_->AddPath(test::ClipPath(L"h264.mp4"));
    view_->SetPendingPlayIndex(1);
    view_->StartLoader();
    EXPECT_TRUE(playView_.aheads.empty()) << "a duplicate is never appended";
    WaitForLoader();
    EXPECT_EQ(Names(), L"phone,h264");
    ASSERT_EQ(playView_.plays.size(), 1u);
    EXPECT_EQ(playView_.plays[0].index, 1);

    playView_.aheads.clear();
    OpenCommandLinePaths(*view_, {test::ClipPath(L"missing.3gp")});
    EXPECT_TRUE(playView_.aheads.empty());
    WaitForLoader();
    EXPECT_EQ(view_->GetItemCount(), 0);
}

// Thumbnails while the folder is being listed: the extractors start with the first item, wait
// at the end of the list for the items appended later, and complete every one of them.
TEST_F(LoaderAheadTest, ExtractionStartsWithTheFirstItemAndReachesTheItemsAppendedLater) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    ASSERT_TRUE(LoadSixAndWaitForTheFirst());
    EXPECT_TRUE(view_->IsExtracting()) << "the extractors start before the loader ends";
    ASSERT_TRUE(PumpUntil([this] { return !view_->IsLoaderRunning() && !view_->IsExtracting(); }));
    EXPECT_EQ(Names(), L"phone,h264,mpeg4,tone,vp8,clip");
    EXPECT_EQ(ItemsStillToComplete(), 0);
    for (int i = 0; i < view_->GetItemCount(); ++i)
        EXPECT_TRUE(view_->GetItem(i)->flags & EntryFlag::ArtworkResolved) << i;
}

// A stop during loading ends every worker at once, and the items appended meanwhile start no
// new extractor. Stopping only the extractors leaves the loader going; they come back for the
// rest when it ends.
TEST_F(LoaderAheadTest, AStopDuringLoadingEndsEveryWorker) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    ASSERT_TRUE(LoadSixAndWaitForTheFirst());
    view_->StopLoader();
    view_->StopExtractors();
    EXPECT_FALSE(view_->IsLoaderRunning());
    EXPECT_FALSE(view_->IsExtracting());
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(view_->IsExtracting()) << "nothing restarts after the stop";

    view_->RemoveAll(); // the queue as well
    ASSERT_TRUE(LoadSixAndWaitForTheFirst());
    view_->StopExtractors();
    EXPECT_FALSE(view_->IsExtracting());
    EXPECT_TRUE(view_->IsLoaderRunning());
    ASSERT_TRUE(PumpUntil([this] { return !view_->IsLoaderRunning() && !view_->IsExtracting(); }));
    EXPECT_EQ(view_->GetItemCount(), 6);
    EXPECT_EQ(ItemsStillToComplete(), 0);
}

// Closing the pane while the loader and the extractors run leaves no thread behind.
TEST_F(LoaderAheadTest, ClosingWhileLoadingAndExtractingEndsEveryWorker) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    ASSERT_TRUE(LoadSixAndWaitForTheFirst());
    ASSERT_TRUE(view_->IsExtracting());
    DestroyWindow(host_);
    host_ = nullptr;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

} // namespace
} // namespace zevrin
