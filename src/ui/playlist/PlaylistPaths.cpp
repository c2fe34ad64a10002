// From paths to items: expanding folders and playlist files, queueing files for the loader,
// adding finished items and the summary.
#include "ui/playlist/PlaylistView.h"

#include "playlist/PlaylistStore.h"

#include "app/AppSettings.h"
#include "framework/Text.h"
#include "playlist/PlaylistFile.h"
#include "ui/dialogs/FileNameFilter.h"
#include "ui/playlist/PlaylistFrameLink.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwctype>

namespace zevrin {

bool CPlaylistView::IsImageFile(const std::wstring& path) {
    static const wchar_t* const kImageExtensions[] = {L".gif", L".jpg", L".jpeg", L".png", L".ico", L".tif", L".tiff", L".bmp"};
    const wchar_t* ext = ::PathFindExtensionW(path.c_str());
    for (const wchar_t* image : kImageExtensions)
        if (_wcsicmp(ext, image) == 0) return true;
    return false;
}

int CPlaylistView::AddPath(const std::wstring& path) {
    if (IsPlaylistFile(path)) return AddPlaylistFile(path);
    return QueueFile(path) == 0 ? 1 : 0;
}

int CPlaylistView::QueueFile(const std::wstring& path) {
    if (IsImageFile(path)) return -1;
    std::lock_guard lock(pathsLock_);
    pendingPaths_.push_back(path);
    return 0;
}

size_t CPlaylistView::PendingPathCount() const {
    std::lock_guard lock(pathsLock_);
    return pendingPaths_.size();
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
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return _wcsicmp(a.first.c_str(), b.first.c_str()) < 0; });
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

// On the loader thread. The item is built privately; the view's array is asked about through
// the view's own thread (WM_PLAYLIST_HAS_PATH), and the paths this run made but the view has
// not appended yet are in `loadedPaths`.
std::unique_ptr<CPlaylistItem> CPlaylistView::CreateItem(const std::wstring& path, std::vector<std::wstring>& loadedPaths) {
    if (!Settings().allowDuplicates) {
        bool known = std::any_of(loadedPaths.begin(), loadedPaths.end(),
                                 [&](const std::wstring& p) { return _wcsicmp(p.c_str(), path.c_str()) == 0; });
        if (known || ::SendMessageW(Hwnd(), WM_PLAYLIST_HAS_PATH, 0, reinterpret_cast<LPARAM>(&path))) return nullptr;
    }
    auto item = std::make_unique<CPlaylistItem>(path);
    // A URL the tools can't reach now (no network, a host that is down) stays, without
    // information: the user named it, and it may play later. A file that can't be read goes.
    bool isUrl = path.find(L"://") != std::wstring::npos;
    bool probed = item->LoadInfo() != 0;
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
    loadedPaths.push_back(path);
    return item;
}

LRESULT CPlaylistView::OnHasPath(WPARAM, LPARAM lParam) {
    const auto& path = *reinterpret_cast<const std::wstring*>(lParam);
    for (int i = 0; i < GetItemCount(); ++i)
        if (_wcsicmp(GetItem(i)->path.c_str(), path.c_str()) == 0) return 1;
    return 0;
}

// A new item: from the loader (lParam the item, which the view now owns) or added here
// (wParam its index). The first item of a newly opened set plays as soon as it exists.
LRESULT CPlaylistView::OnItemLoaded(WPARAM wParam, LPARAM lParam) {
    int index = static_cast<int>(wParam);
    if (lParam) {
        std::unique_ptr<CPlaylistItem> item(reinterpret_cast<CPlaylistItem*>(lParam));
        index = InsertItem(GetItemCount(), item.release(), true);
        UpdateSummary();
    }
    if (!destroying_ && pendingPlayIndex_ != -1 && pendingPlayIndex_ == index) PlayItem(index, VideoPlace::kInDisplay);
    return 0;
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

bool CPlaylistView::RemoveItemAt(int index, bool updateLayout) {
    CPlaylistItem* item = GetItem(index);
    if (!item) return false;
    item->DeleteTempFiles();
    delete item;
    DeleteItem(index, updateLayout);
    UpdateSummary();
    return true;
}

void CPlaylistView::RemoveAll() {
    {
        std::lock_guard lock(pathsLock_);
        pendingPaths_.clear();
    }
    while (GetItemCount() > 0) RemoveItemAt(0, false);
    RecalcLayout();
}

} // namespace zevrin
