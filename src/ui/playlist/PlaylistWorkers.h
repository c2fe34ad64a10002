#pragma once
// The playlist's background workers as one pool: the queue of paths still to load, the loader
// thread that turns them into items, the two extractors that complete the items, the record of
// the items an extractor holds or has had, and the waits that let a thread end while the
// window goes on dispatching its messages. The view owns the pool, forwards the workers'
// messages to it and keeps its items to itself: the pool reads them through IWorkerSite, on
// the view's thread only.
//
// Threads: the queue is the only data shared with the threads, under a lock that is never held
// while a tool runs. The loader builds a new item on its own and posts it; an extractor works
// on a private copy of an item and posts the results, which the view applies to the item with
// the same id (if it is still there).
//
// The extractors start with the first item the loader appends: thumbnails come in while the
// folder is still being listed. An extractor that has reached the end of the list while the
// loader runs waits on its wake-up event until more items come, the loader ends or it is told
// to stop.
#include "framework/Handles.h"
#include "services/ToolPaths.h"
#include "ui/playlist/PlaylistWork.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace zevrin {

class CExtractThread;
class CLoadThread;

// What the pool needs of the playlist, asked on the window's thread.
class IWorkerSite {
public:
    // The window that receives the workers' messages.
    virtual HWND WorkWindow() const = 0;
    virtual int ItemCount() const = 0;
    virtual int ItemIdAt(int index) const = 0;
    virtual const CPlaylistItem* ItemAt(int index) const = 0;

protected:
    ~IWorkerSite() = default;
};

class CPlaylistWorkers : private IPlaylistWork {
public:
    explicit CPlaylistWorkers(IWorkerSite& site);
    ~CPlaylistWorkers() override;
    CPlaylistWorkers(const CPlaylistWorkers&) = delete;
    CPlaylistWorkers& operator=(const CPlaylistWorkers&) = delete;

    // The media tools the workers run; given before any worker starts.
    void SetToolPaths(ToolPaths tools) { tools_ = std::move(tools); }
    const ToolPaths& Tools() const { return tools_; }

    // The queue of paths for the loader.
    void QueuePath(const std::wstring& path);
    size_t PendingPathCount() const;
    void ClearPendingPaths();
    // The path the loader will take first; empty when none is queued.
    std::wstring FirstPendingPath() const;

    // How the loader begins: at once, or once the playback started on its first file has
    // opened (ResumeProbes), so that probes and thumbnails do not compete with the playback
    // tool's start for the processor. The wait is bounded by kProbeHoldMs.
    enum class ProbeStart { kNow, kAfterPlaybackOpens };
    static constexpr DWORD kProbeHoldMs = 1500;

    // Starts the loader, or the extractors when no path is queued; true when a loader started.
    bool StartLoader(ProbeStart start = ProbeStart::kNow);
    void ResumeProbes();
    void StartExtractors();
    // Ask a thread to stop and dispatch the window's messages until it has ended.
    void StopLoader();
    void StopExtractors();
    bool IsLoaderRunning() const { return loadThread_ != nullptr; }
    bool IsExtracting() const { return extractThreads_[0] || extractThreads_[1]; }

    // The workers' messages, forwarded by the window.
    void LoaderEnded();
    // An item was appended: while the loader runs the extractors start, or wake, for it.
    void ItemAppended();
    void ExtractorEnded(int parity);
    // Fills `job` with a copy of item `index` (or of an item no extractor has had when `index`
    // is past the end): the answer to WM_EXTRACT_JOB.
    LRESULT HandOutJob(int index, ExtractJob& job);
    // The item with this id is no longer in an extractor's hands.
    void JobReturned(int itemId) { itemsInWork_.erase(itemId); }

private:
    // IPlaylistWork, run on the worker threads.
    void LoaderWork(const ToolStopFlag& stop) override;
    void ExtractWork(int parity, const ToolStopFlag& stop) override;
    HWND WorkWindow() const override { return site_.WorkWindow(); }

    bool TakePendingPath(std::wstring& path);
    bool IsKnownPath(const std::wstring& path, const std::vector<std::wstring>& loadedPaths) const;
    std::unique_ptr<CPlaylistItem> ProbeNewItem(const std::wstring& path) const;
    int FindLeftoverItem() const;
    void WakeExtractors();
    // Dispatches the window's messages until `done` holds.
    template <class Done>
    void PumpUntil(Done done);

    IWorkerSite& site_;
    ToolPaths tools_;              // read by the threads, never changed while they run
    mutable std::mutex pathsLock_; // guards pendingPaths_ only; never held while a tool runs
    std::deque<std::wstring> pendingPaths_;
    std::unique_ptr<CLoadThread> loadThread_;
    std::unique_ptr<CExtractThread> extractThreads_[2];
    // Set when an extractor waiting for items should look again (auto-reset, one per parity).
    fw::UniqueKernelHandle wakeExtractor_[2];
    // Set while the loader may probe (manual-reset); cleared by a held start.
    fw::UniqueKernelHandle probesMayRun_;
    bool stoppingExtractors_ = false; // no extractor starts while StopExtractors waits
    // Ids of the items an extractor holds a copy of. An item moved to the other parity while
    // one thread works on it must not be handed to the second thread as well.
    std::set<int> itemsInWork_;
    // Ids of the items an extractor has been handed; a failure there is not retried by the pass.
    std::set<int> itemsTried_;
};

} // namespace zevrin
