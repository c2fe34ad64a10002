// The loader and the two extractors: starting, feeding, handing results over and stopping.
#include "ui/playlist/PlaylistView.h"

#include "ui/playlist/ExtractThread.h"
#include "ui/playlist/LoadThread.h"

namespace zevrin {

void CPlaylistView::StartLoader() {
    if (loadThread_) return;
    if (PendingPathCount() == 0) {
        StartExtractors();
        return;
    }
    auto thread = std::make_unique<CLoadThread>(*this);
    if (thread->Start(THREAD_PRIORITY_NORMAL)) loadThread_ = std::move(thread);
}

void CPlaylistView::StartExtractors() {
    if (GetItemCount() == 0) return;
    for (int i = 0; i < 2; ++i) {
        if (extractThreads_[i]) continue;
        auto thread = std::make_unique<CExtractThread>(*this, i);
        if (!thread->Start(THREAD_PRIORITY_BELOW_NORMAL)) return;
        extractThreads_[i] = std::move(thread);
    }
}

void CPlaylistView::LoaderWork(const ToolStopFlag& stop) {
    std::vector<std::wstring> loadedPaths;
    while (stop.load() == 0) {
        std::wstring path;
        {
            std::lock_guard lock(pathsLock_);
            if (pendingPaths_.empty()) break;
            path = std::move(pendingPaths_.front());
            pendingPaths_.pop_front();
        }
        std::unique_ptr<CPlaylistItem> item = CreateItem(path, loadedPaths);
        if (!item) continue;
        CPlaylistItem* raw = item.release();
        if (!::PostMessageW(Hwnd(), WM_ITEM_LOADED, 0, reinterpret_cast<LPARAM>(raw))) {
            raw->DeleteTempFiles();
            delete raw;
        }
    }
}

// Each item is worked on as a private copy; the results go back by the item's id, so that an
// item moved, or removed, meanwhile is never confused with another.
void CPlaylistView::ExtractWork(int parity, const ToolStopFlag& stop) {
    for (int index = parity; stop.load() == 0; index += 2) {
        auto job = std::make_unique<ExtractJob>();
        LRESULT answer = ::SendMessageW(Hwnd(), WM_EXTRACT_JOB, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(job.get()));
        if (answer == 0) break;
        if (answer != 1) continue;
        job->item->LoadInfo();
        if (stop.load() == 0) job->item->ResolveArtwork();
        ExtractJob* raw = job.release();
        if (!::PostMessageW(Hwnd(), WM_EXTRACT_DONE, 0, reinterpret_cast<LPARAM>(raw))) {
            raw->item->DeleteTempFiles();
            delete raw;
        }
    }
}

namespace {

bool NeedsExtraction(const CPlaylistItem& item) {
    bool infoDone = item.flags & EntryFlag::InfoLoaded;
    bool artworkDone = (item.flags & EntryFlag::ArtworkResolved) &&
                       (item.HasWork(ItemWork::ImageLoaded) || item.kind != kKindUnknown);
    return !(infoDone && artworkDone);
}

void CopyForWork(const CPlaylistItem& from, CPlaylistItem& to) {
    to.CopyFrom(from);
    to.info = from.info;
    to.kind = from.kind;
    to.work.store(from.work.load());
}

void ApplyResults(CPlaylistItem& from, CPlaylistItem& to) {
    to.flags = from.flags;
    to.duration = from.duration;
    to.title = std::move(from.title);
    to.artwork = std::move(from.artwork);
    to.info = std::move(from.info);
    to.kind = from.kind;
    to.thumbnail = std::move(from.thumbnail);
    to.durationText = std::move(from.durationText);
    to.work.store(from.work.load());
}

} // namespace

// An extractor past the end of the list takes the items that no extractor has had yet. An item
// moved during the pass, to an index its thread had passed or of the other parity, would
// otherwise stay without duration and picture until the next load.
int CPlaylistView::FindLeftoverItem() const {
    for (int i = 0; i < GetItemCount(); ++i) {
        int id = GetItemId(i);
        if (!itemsTried_.count(id) && !itemsInWork_.count(id) && NeedsExtraction(*GetItem(i))) return i;
    }
    return -1;
}

LRESULT CPlaylistView::OnExtractJob(WPARAM wParam, LPARAM lParam) {
    if (destroying_) return 0;
    int index = static_cast<int>(wParam);
    if (!InRange(index)) index = FindLeftoverItem();
    const CPlaylistItem* item = GetItem(index);
    if (!item) return 0;
    int id = GetItemId(index);
    if (!NeedsExtraction(*item) || itemsInWork_.count(id)) return 2;
    itemsInWork_.insert(id);
    itemsTried_.insert(id);
    auto* job = reinterpret_cast<ExtractJob*>(lParam);
    job->itemId = id;
    job->item = std::make_unique<CPlaylistItem>();
    CopyForWork(*item, *job->item);
    return 1;
}

LRESULT CPlaylistView::OnExtractDone(WPARAM, LPARAM lParam) {
    std::unique_ptr<ExtractJob> job(reinterpret_cast<ExtractJob*>(lParam));
    itemsInWork_.erase(job->itemId);
    int index = FindItemById(job->itemId);
    if (index == -1) {
        job->item->DeleteTempFiles();
        return 0;
    }
    ApplyResults(*job->item, *GetItem(index));
    InvalidateItem(index, true);
    UpdateSummary();
    return 0;
}

template <class Done>
void CPlaylistView::PumpUntil(Done done) {
    while (!done()) {
        MSG msg;
        if (::PeekMessageW(&msg, Hwnd(), 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
}

void CPlaylistView::StopLoader() {
    if (!loadThread_) return;
    loadThread_->RequestStop();
    PumpUntil([this] { return loadThread_ == nullptr; });
}

void CPlaylistView::StopExtractors() {
    for (int i = 0; i < 2; ++i) {
        if (!extractThreads_[i]) continue;
        extractThreads_[i]->RequestStop();
        PumpUntil([this, i] { return extractThreads_[i] == nullptr; });
    }
}

LRESULT CPlaylistView::OnLoaderEnded(WPARAM, LPARAM) {
    if (loadThread_) {
        loadThread_->Join();
        loadThread_.reset();
    }
    if (!destroying_) {
        pendingPlayIndex_ = -1;
        StartExtractors();
    }
    return 0;
}

LRESULT CPlaylistView::OnExtractorEnded(WPARAM wParam, LPARAM) {
    int i = static_cast<int>(wParam);
    if (i >= 0 && i < 2 && extractThreads_[i]) {
        extractThreads_[i]->Join();
        extractThreads_[i].reset();
    }
    return 0;
}

} // namespace zevrin
