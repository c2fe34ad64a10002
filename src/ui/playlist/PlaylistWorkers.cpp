// The loader and the two extractors: starting, feeding, handing results over and stopping.
#include "ui/playlist/PlaylistWorkers.h"

#include "services/AppSettings.h"
#include "ui/playlist/ExtractThread.h"
#include "ui/playlist/ItemExtraction.h"
#include "ui/playlist/LoadThread.h"
#include "ui/playlist/PostedOwner.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <future>

namespace zevrin {

namespace {
// How many extractors run beside the loader's probes: with both, every thumbnail is in sooner
// on two cores although the listing itself takes longer; one alone was no faster than none.
constexpr int kExtractorsWhileLoading = 2;
} // namespace

CPlaylistWorkers::CPlaylistWorkers(IWorkerSite& site) : site_(site) {
    for (auto& wake : wakeExtractor_) wake.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    probesMayRun_.Reset(::CreateEventW(nullptr, TRUE, TRUE, nullptr));
}

// The threads are joined by now (the window stops them before it goes); a thread object that
// is still running waits for its thread as it is destroyed.
CPlaylistWorkers::~CPlaylistWorkers() = default;

void CPlaylistWorkers::QueuePath(const std::wstring& path) {
    std::lock_guard lock(pathsLock_);
    pendingPaths_.push_back(path);
}

size_t CPlaylistWorkers::PendingPathCount() const {
    std::lock_guard lock(pathsLock_);
    return pendingPaths_.size();
}

void CPlaylistWorkers::ClearPendingPaths() {
    std::lock_guard lock(pathsLock_);
    pendingPaths_.clear();
}

std::wstring CPlaylistWorkers::FirstPendingPath() const {
    std::lock_guard lock(pathsLock_);
    return pendingPaths_.empty() ? std::wstring() : pendingPaths_.front();
}

bool CPlaylistWorkers::StartLoader(ProbeStart start) {
    if (loadThread_) return false;
    if (PendingPathCount() == 0) {
        StartExtractors();
        return false;
    }
    if (start == ProbeStart::kNow)
        ResumeProbes();
    else
        ::ResetEvent(probesMayRun_.Get());
    IPlaylistWork& work = *this;
    auto thread = std::make_unique<CLoadThread>(work);
    if (!thread->Start(THREAD_PRIORITY_NORMAL)) return false;
    loadThread_ = std::move(thread);
    return true;
}

void CPlaylistWorkers::ResumeProbes() { ::SetEvent(probesMayRun_.Get()); }

void CPlaylistWorkers::StartExtractors() {
    if (site_.ItemCount() == 0 || stoppingExtractors_) return;
    IPlaylistWork& work = *this;
    const int count = loadThread_ ? kExtractorsWhileLoading : 2;
    for (int i = 0; i < count; ++i) {
        if (extractThreads_[i]) continue;
        auto thread = std::make_unique<CExtractThread>(work, i);
        if (!thread->Start(THREAD_PRIORITY_BELOW_NORMAL)) return;
        extractThreads_[i] = std::move(thread);
    }
}

bool CPlaylistWorkers::TakePendingPath(std::wstring& path) {
    std::lock_guard lock(pathsLock_);
    if (pendingPaths_.empty()) return false;
    path = std::move(pendingPaths_.front());
    pendingPaths_.pop_front();
    return true;
}

// A tool run is most of what an item costs, and most of a run is the process starting: the
// next path is probed while this one is, and the items are still posted in the queue's order.
// A stop takes effect between paths; what is being probed then is still posted.
void CPlaylistWorkers::LoaderWork(const ToolStopFlag& stop) {
    constexpr size_t kProbesAtOnce = 2;
    // On a thread of its own; where none can be made, on this one when its result is wanted.
    constexpr auto kProbeLaunch = std::launch::async | std::launch::deferred;
    struct Probe {
        std::wstring path;
        std::future<std::unique_ptr<CPlaylistItem>> item;
    };
    std::deque<Probe> running;
    std::vector<std::wstring> loadedPaths; // made or being made, not yet in the view
    auto startProbes = [&] {
        std::wstring path;
        while (running.size() < kProbesAtOnce && stop.load() == 0 && TakePendingPath(path)) {
            if (IsKnownPath(path, loadedPaths)) continue;
            loadedPaths.push_back(path);
            running.push_back({path, std::async(kProbeLaunch, &CPlaylistWorkers::ProbeNewItem, this, path)});
        }
    };
    ::WaitForSingleObject(probesMayRun_.Get(), kProbeHoldMs);
    startProbes();
    while (!running.empty()) {
        Probe probe = std::move(running.front());
        running.pop_front();
        if (std::unique_ptr<CPlaylistItem> item = probe.item.get()) {
            if (auto unsent = PostOwned(WorkWindow(), WM_ITEM_LOADED, 0, std::move(item))) unsent->DeleteTempFiles();
        } else {
            std::erase(loadedPaths, probe.path);
        }
        startProbes();
    }
}

// On the loader thread, before the path is probed. The view's array is asked about through the
// view's own thread (WM_PLAYLIST_HAS_PATH); `loadedPaths` holds the paths this run has made, or
// is making, but the view has not appended yet.
bool CPlaylistWorkers::IsKnownPath(const std::wstring& path, const std::vector<std::wstring>& loadedPaths) const {
    if (Settings().allowDuplicates) return false;
    bool known = std::any_of(loadedPaths.begin(), loadedPaths.end(),
                             [&](const std::wstring& p) { return _wcsicmp(p.c_str(), path.c_str()) == 0; });
    return known || ::SendMessageW(WorkWindow(), WM_PLAYLIST_HAS_PATH, 0, reinterpret_cast<LPARAM>(&path));
}

// On a probing thread: the item is built privately and touches nothing of the view.
std::unique_ptr<CPlaylistItem> CPlaylistWorkers::ProbeNewItem(const std::wstring& path) const {
    auto item = std::make_unique<CPlaylistItem>(path);
    // A URL the tools can't reach now (no network, a host that is down) stays, without
    // information: the user named it, and it may play later. A file that can't be read goes.
    bool isUrl = path.find(L"://") != std::wstring::npos;
    bool probed = item->LoadInfo(tools_) != 0;
    if ((!probed && !isUrl) || item->info.IsStillImage()) {
        item->DeleteTempFiles();
        return nullptr;
    }
    if (!probed) item->title = TitleFromPath(path);
    item->kind = kKindUnknown;
    SHFILEINFOW info{};
    DWORD attributes = ::PathIsDirectoryW(path.c_str()) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    DWORD_PTR list = ::SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info),
                                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON);
    item->iconIndex = list ? info.iIcon : -1;
    return item;
}

// Each item is worked on as a private copy; the results go back by the item's id, so that an
// item moved, or removed, meanwhile is never confused with another.
void CPlaylistWorkers::ExtractWork(int parity, const ToolStopFlag& stop) {
    for (int index = parity; stop.load() == 0; index += 2) {
        auto job = std::make_unique<ExtractJob>();
        LRESULT answer = ::SendMessageW(WorkWindow(), WM_EXTRACT_JOB, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(job.get()));
        if (answer == 0) break;
        if (answer == 3) {
            // Past the end while the loader runs: the same index is asked for again once woken.
            if (::WaitForSingleObject(wakeExtractor_[parity].Get(), INFINITE) == WAIT_FAILED) ::Sleep(50);
            index -= 2;
            continue;
        }
        if (answer != 1) continue;
        job->item->LoadInfo(tools_);
        if (stop.load() == 0) job->item->ResolveArtwork(tools_);
        if (auto unsent = PostOwned(WorkWindow(), WM_EXTRACT_DONE, 0, std::move(job))) unsent->item->DeleteTempFiles();
    }
}

// An extractor past the end of the list takes the items that no extractor has had yet. An item
// moved during the pass, to an index its thread had passed or of the other parity, would
// otherwise stay without duration and picture until the next load.
int CPlaylistWorkers::FindLeftoverItem() const {
    for (int i = 0; i < site_.ItemCount(); ++i) {
        int id = site_.ItemIdAt(i);
        if (!itemsTried_.count(id) && !itemsInWork_.count(id) && NeedsExtraction(*site_.ItemAt(i))) return i;
    }
    return -1;
}

LRESULT CPlaylistWorkers::HandOutJob(int index, ExtractJob& job) {
    if (index >= site_.ItemCount() && loadThread_) return 3;
    if (index < 0 || index >= site_.ItemCount()) index = FindLeftoverItem();
    const CPlaylistItem* item = site_.ItemAt(index);
    if (!item) return 0;
    int id = site_.ItemIdAt(index);
    if (!NeedsExtraction(*item) || itemsInWork_.count(id)) return 2;
    itemsInWork_.insert(id);
    itemsTried_.insert(id);
    job.itemId = id;
    job.item = std::make_unique<CPlaylistItem>();
    CopyForWork(*item, *job.item);
    return 1;
}

template <class Done>
void CPlaylistWorkers::PumpUntil(Done done) {
    while (!done()) {
        MSG msg;
        if (::PeekMessageW(&msg, WorkWindow(), 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
}

void CPlaylistWorkers::StopLoader() {
    if (!loadThread_) return;
    loadThread_->RequestStop();
    ResumeProbes();
    PumpUntil([this] { return loadThread_ == nullptr; });
}

// Items the loader appends meanwhile start no new extractor.
void CPlaylistWorkers::StopExtractors() {
    stoppingExtractors_ = true;
    for (auto& thread : extractThreads_)
        if (thread) thread->RequestStop();
    WakeExtractors();
    PumpUntil([this] { return !IsExtracting(); });
    stoppingExtractors_ = false;
}

void CPlaylistWorkers::WakeExtractors() {
    for (auto& wake : wakeExtractor_) ::SetEvent(wake.Get());
}

void CPlaylistWorkers::ItemAppended() {
    if (!loadThread_) return;
    StartExtractors();
    WakeExtractors();
}

// An extractor waiting for items goes on with what is left, or ends.
void CPlaylistWorkers::LoaderEnded() {
    if (!loadThread_) return;
    loadThread_->Join();
    loadThread_.reset();
    WakeExtractors();
}

void CPlaylistWorkers::ExtractorEnded(int parity) {
    if (parity < 0 || parity >= 2 || !extractThreads_[parity]) return;
    extractThreads_[parity]->Join();
    extractThreads_[parity].reset();
}

} // namespace zevrin
