// The playlist's worker pool apart from its threads: which item an extractor is handed (each
// once, none twice at a time, those left behind at the end), the queue of paths, what an
// extraction brings back onto an item, and objects posted between threads keeping one owner.
#include "ui/playlist/ItemExtraction.h"
#include "ui/playlist/PlaylistWorkers.h"
#include "ui/playlist/PostedOwner.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zevrin;

namespace {

// The playlist as the pool reads it: items with ids, in order.
class FakeSite : public IWorkerSite {
public:
    HWND WorkWindow() const override { return nullptr; }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    int ItemIdAt(int index) const override { return InRange(index) ? ids[index] : -1; }
    const CPlaylistItem* ItemAt(int index) const override { return InRange(index) ? items[index].get() : nullptr; }

    void Add(int id, const std::wstring& path) {
        ids.push_back(id);
        items.push_back(std::make_unique<CPlaylistItem>(path));
    }
    bool InRange(int index) const { return index >= 0 && index < ItemCount(); }

    std::vector<int> ids;
    std::vector<std::unique_ptr<CPlaylistItem>> items;
};

void MarkComplete(CPlaylistItem& item) {
    item.flags |= EntryFlag::InfoLoaded | EntryFlag::ArtworkResolved;
    item.kind = kKindVideo;
}

TEST(PlaylistWorkers, EachItemGoesToOneExtractorAtATimeAndThoseLeftBehindGoLast) {
    FakeSite site;
    site.Add(10, L"C:\\a.3gp");
    site.Add(11, L"C:\\b.3gp");
    site.Add(12, L"C:\\c.3gp");
    site.Add(13, L"C:\\d.3gp");
    MarkComplete(*site.items[3]);
    CPlaylistWorkers workers(site);

    ExtractJob first;
    ASSERT_EQ(workers.HandOutJob(0, first), 1);
    EXPECT_EQ(first.itemId, 10);
    ASSERT_TRUE(first.item);
    EXPECT_EQ(first.item->path, L"C:\\a.3gp") << "a copy of the item";
    EXPECT_NE(first.item.get(), site.items[0].get());

    // The item moved to the other parity while the first extractor works on it.
    std::swap(site.ids[0], site.ids[1]);
    std::swap(site.items[0], site.items[1]);
    ExtractJob again;
    EXPECT_EQ(workers.HandOutJob(1, again), 2) << "already in an extractor's hands";
    EXPECT_FALSE(again.item);
    ExtractJob complete;
    EXPECT_EQ(workers.HandOutJob(3, complete), 2) << "an item with everything needs nothing";

    // Past the end: the items no extractor has had, in order.
    ExtractJob leftover;
    ASSERT_EQ(workers.HandOutJob(4, leftover), 1);
    EXPECT_EQ(leftover.itemId, 11);
    workers.JobReturned(10);
    ExtractJob next;
    ASSERT_EQ(workers.HandOutJob(5, next), 1);
    EXPECT_EQ(next.itemId, 12) << "a returned item is not tried again in the same pass";
    ExtractJob none;
    EXPECT_EQ(workers.HandOutJob(6, none), 0) << "nothing left: the extractor ends";
}

TEST(PlaylistWorkers, NothingToLoadOrCompleteStartsNoThread) {
    FakeSite site;
    CPlaylistWorkers workers(site);
    workers.QueuePath(L"C:\\a.3gp");
    workers.QueuePath(L"C:\\b.3gp");
    EXPECT_EQ(workers.PendingPathCount(), 2u);
    workers.ClearPendingPaths();
    EXPECT_EQ(workers.PendingPathCount(), 0u);
    workers.StartLoader();
    EXPECT_FALSE(workers.IsLoaderRunning());
    EXPECT_FALSE(workers.IsExtracting());
    workers.StopLoader();  // returns at once: there is nothing to wait for
    workers.StopExtractors();
}

TEST(ItemExtraction, AnItemNeedsWorkUntilItHasItsInformationAndAPictureOrAKind) {
    CPlaylistItem item(L"C:\\a.3gp");
    EXPECT_TRUE(NeedsExtraction(item));
    item.flags |= EntryFlag::InfoLoaded;
    EXPECT_TRUE(NeedsExtraction(item));
    item.flags |= EntryFlag::ArtworkResolved;
    EXPECT_TRUE(NeedsExtraction(item)) << "resolved, but neither a picture nor a kind";
    item.work.store(ItemWork::ImageLoaded);
    EXPECT_FALSE(NeedsExtraction(item));
    item.work.store(0);
    item.kind = kKindAudio;
    EXPECT_FALSE(NeedsExtraction(item));
    item.flags &= ~EntryFlag::InfoLoaded;
    EXPECT_TRUE(NeedsExtraction(item));
}

// The user may have played or paused the item while an extractor worked on its copy.
TEST(ItemExtraction, ResultsComeBackWithoutTouchingWhatOnlyThePlaylistSets) {
    CPlaylistItem item(L"C:\\a.3gp");
    item.title = L"a";
    item.playMark = 2;
    item.iconIndex = 7;
    CPlaylistItem copy;
    CopyForWork(item, copy);
    EXPECT_EQ(copy.path, item.path);
    EXPECT_EQ(copy.title, L"a");
    copy.flags |= EntryFlag::InfoLoaded | EntryFlag::HasVideo;
    copy.duration = 4000000;
    copy.title = L"A clip";
    copy.kind = kKindVideo;
    copy.durationText = L"0:04";
    copy.work.store(ItemWork::ProbeSucceeded);
    copy.playMark = 0;
    copy.iconIndex = -1;
    ApplyResults(copy, item);
    EXPECT_EQ(item.flags, EntryFlag::InfoLoaded | EntryFlag::HasVideo);
    EXPECT_EQ(item.duration, 4000000);
    EXPECT_EQ(item.title, L"A clip");
    EXPECT_EQ(item.kind, kKindVideo);
    EXPECT_EQ(item.durationText, L"0:04");
    EXPECT_TRUE(item.HasWork(ItemWork::ProbeSucceeded));
    EXPECT_EQ(item.playMark, 2);
    EXPECT_EQ(item.iconIndex, 7);
}

TEST(PostedOwner, APostedObjectHasOneOwnerWhetherThePostArrivesOrFails) {
    auto item = std::make_unique<CPlaylistItem>(L"C:\\a.3gp");
    CPlaylistItem* sent = item.get();
    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(gone);
    DestroyWindow(gone);
    std::unique_ptr<CPlaylistItem> back = PostOwned(gone, WM_APP, 0, std::move(item));
    EXPECT_EQ(back.get(), sent) << "a failed post leaves the object with the sender";

    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    EXPECT_FALSE(PostOwned(window, WM_APP, 0, std::move(back)));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, window, WM_APP, WM_APP, PM_REMOVE));
    std::unique_ptr<CPlaylistItem> received = TakePosted<CPlaylistItem>(msg.lParam);
    EXPECT_EQ(received.get(), sent);
    EXPECT_EQ(received->path, L"C:\\a.3gp");
    EXPECT_FALSE(TakePosted<CPlaylistItem>(0));
    DestroyWindow(window);
}

} // namespace
