// From paths to items: expanding folders and playlist files, queueing files for the workers,
// taking in what they hand back, adding finished items and the summary.
#include "ui/playlist/PlaylistView.h"

#include "playlist/PlaylistStore.h"

#include "services/AppSettings.h"
#include "framework/Text.h"
#include "playlist/PlaylistFile.h"
#include "ui/dialogs/FileNameFilter.h"
#include "ui/playlist/ItemExtraction.h"
#include "ui/playlist/PlayViewLink.h"
#include "ui/playlist/PlaylistFrameLink.h"
#include "ui/playlist/PostedOwner.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwctype>

namespace zevrin {

int CPlaylistView::AddPath(const std::wstring& path) {
    if (IsPlaylistFile(path)) return AddPlaylistFile(path);
    return QueueFile(path) == 0 ? 1 : 0;
}

int CPlaylistView::QueueFile(const std::wstring& path) {
    if (IsImageFile(path)) return -1;
    workers_.QueuePath(path);
    return 0;
}

namespace {

// The files of one folder that the filter takes, and, when recursing, those of its sub-folders,
// in name order so that runs are repeatable.
template <class AddFn>
int ScanFolder(const std::wstring& folder, const CFileNameFilter& filter, bool recurse, AddFn& add) {
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\' && base.back() != L'/') base += L'\\';
    WIN32_FIND_DATAW data;
    fw::UniqueFindHandle find(::FindFirstFileW((base + L"*").c_str(), &data));
    if (!find) return 0;
    std::vector<std::pair<std::wstring, bool>> entries;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.emplace_back(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (::FindNextFileW(find.Get(), &data));
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return _wcsicmp(a.first.c_str(), b.first.c_str()) < 0; });
    int added = 0;
    for (const auto& [name, isFolder] : entries) {
        if (isFolder) {
            if (recurse) added += ScanFolder(base + name, filter, recurse, add);
        } else if (filter.Match(name)) {
            added += add(base + name);
        }
    }
    return added;
}

} // namespace

int CPlaylistView::AddFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse) {
    CFileNameFilter filter(patterns);
    auto add = [this](const std::wstring& path) { return AddPath(path); };
    return ScanFolder(folder, filter, recurse, add);
}

// Entries of a playlist file come as they are: neither probed nor checked for duplicates here.
int CPlaylistView::AddPlaylistFile(const std::wstring& path) {
    auto entries = LoadPlaylistEntries(path);
    for (const auto& entry : entries) {
        auto item = std::make_unique<CPlaylistItem>();
        item->CopyFrom(*entry);
        AddItem(std::move(item));
    }
    return static_cast<int>(entries.size());
}

int CPlaylistView::AddItem(std::unique_ptr<CPlaylistItem> item) {
    int index = InsertItem(GetItemCount(), item.release(), true);
    PostMessage(WM_ITEM_LOADED, static_cast<WPARAM>(index), 0);
    UpdateSummary();
    return index;
}

// --- the workers ---

// A new set's first file starts playing as the loader starts; the probes wait until it has
// opened (ResumeProbes), since the first picture is what the user waits for.
void CPlaylistView::StartLoader() {
    std::wstring ahead = PathToPlayAhead(); // before the loader takes it off the queue
    if (!playView_) ahead.clear();
    using ProbeStart = CPlaylistWorkers::ProbeStart;
    if (workers_.StartLoader(ahead.empty() ? ProbeStart::kNow : ProbeStart::kAfterPlaybackOpens) && !ahead.empty())
        playView_->PlayAhead(ahead);
}
void CPlaylistView::ResumeProbes() { workers_.ResumeProbes(); }
void CPlaylistView::StopLoader() { workers_.StopLoader(); }
void CPlaylistView::StopExtractors() { workers_.StopExtractors(); }

LRESULT CPlaylistView::OnLoaderEnded(WPARAM, LPARAM) {
    workers_.LoaderEnded();
    if (!destroying_) {
        pendingPlayIndex_ = -1;
        if (playView_) playView_->EndPlayAhead();
        workers_.StartExtractors();
    }
    return 0;
}

LRESULT CPlaylistView::OnExtractorEnded(WPARAM wParam, LPARAM) {
    workers_.ExtractorEnded(static_cast<int>(wParam));
    return 0;
}

LRESULT CPlaylistView::OnExtractJob(WPARAM wParam, LPARAM lParam) {
    if (destroying_) return 0;
    return workers_.HandOutJob(static_cast<int>(wParam), *reinterpret_cast<ExtractJob*>(lParam));
}

LRESULT CPlaylistView::OnExtractDone(WPARAM, LPARAM lParam) {
    std::unique_ptr<ExtractJob> job = TakePosted<ExtractJob>(lParam);
    workers_.JobReturned(job->itemId);
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

LRESULT CPlaylistView::OnHasPath(WPARAM, LPARAM lParam) {
    return HasPath(*reinterpret_cast<const std::wstring*>(lParam)) ? 1 : 0;
}

bool CPlaylistView::HasPath(const std::wstring& path) const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (_wcsicmp(GetItem(i)->path.c_str(), path.c_str()) == 0) return true;
    return false;
}

// A new item: from the loader (lParam the item, which the view now owns) or added here
// (wParam its index). The first item of a newly opened set plays as soon as it exists.
LRESULT CPlaylistView::OnItemLoaded(WPARAM wParam, LPARAM lParam) {
    int index = static_cast<int>(wParam);
    if (std::unique_ptr<CPlaylistItem> item = TakePosted<CPlaylistItem>(lParam)) {
        index = InsertItem(GetItemCount(), item.release(), true);
        UpdateSummary();
    }
    if (!destroying_) workers_.ItemAppended();
    if (!destroying_ && pendingPlayIndex_ != -1 && pendingPlayIndex_ == index) PlayItem(index, VideoPlace::kInDisplay);
    return 0;
}

// The item to play next is the first one the loader will append, and it is a local file: the
// playback tool can open it while the probe runs. Not a URL (the network is opened once, after
// the probe), nor a path the loader would drop as a duplicate.
std::wstring CPlaylistView::PathToPlayAhead() const {
    if (pendingPlayIndex_ == -1 || pendingPlayIndex_ != GetItemCount()) return {};
    std::wstring path = workers_.FirstPendingPath();
    if (!IsExistingLocalFile(path)) return {};
    if (!Settings().allowDuplicates && HasPath(path)) return {};
    return path;
}

void CPlaylistView::UpdateSummary() {
    if (frameLink_) {
        std::vector<const CPlaylistItem*> items;
        for (int i = 0; i < GetItemCount(); ++i) items.push_back(GetItem(i));
        frameLink_->SetSummary(GetItemCount(), TotalDuration(items));
    }
    if (openButton_) openButton_.Show(GetItemCount() == 0 ? SW_SHOWNA : SW_HIDE);
}

// --- removing ---

std::unique_ptr<CPlaylistItem> CPlaylistView::TakeItemAt(int index, bool updateLayout) {
    std::unique_ptr<CPlaylistItem> item(GetItem(index));
    if (item) DeleteItem(index, updateLayout);
    return item;
}

bool CPlaylistView::RemoveItemAt(int index, bool updateLayout) {
    std::unique_ptr<CPlaylistItem> item = TakeItemAt(index, updateLayout);
    if (!item) return false;
    item->DeleteTempFiles();
    UpdateSummary();
    return true;
}

void CPlaylistView::RemoveAll() {
    workers_.ClearPendingPaths();
    while (GetItemCount() > 0) RemoveItemAt(0, false);
    RecalcLayout();
}

} // namespace zevrin
