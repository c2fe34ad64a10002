// The playlist commands: what each does and when it is enabled.
#include "ui/playlist/PlaylistView.h"

#include "playlist/PlaylistStore.h"

#include "services/AppSettings.h"
#include "framework/Ids.h"
#include "framework/Text.h"
#include "playlist/PlaylistFile.h"
#include "ui/playlist/PlayViewLink.h"
#include "ui/playlist/PlaylistFrameLink.h"
#include "ui/dialogs/AddUrlsDialog.h"
#include "ui/dialogs/OEFileDialog.h"
#include "ui/dialogs/OpenUrlDialog.h"
#include "ui/dialogs/FolderDialog.h"

#include "res/resource.h"

#include <shlwapi.h>

namespace zevrin {

namespace {

constexpr wchar_t kMediaFilter[] = L"All Files (*.*)|*.*|"
                                   L"3GP Videos (*.3gp)|*.3gp|"
                                   L"3G2 Videos (*.3g2)|*.3g2|"
                                   L"Playlist Files (*.m3u;*.pls)|*.m3u;*.pls||";
constexpr wchar_t kLoadFilter[] = L"Playlist Files (*.m3u;*.pls)|*.m3u;*.pls|All Files (*.*)|*.*||";
constexpr wchar_t kSaveFilter[] = L"M3U Files (*.m3u)|*.m3u|PLS Files (*.pls)|*.pls||";
constexpr wchar_t kFolderPatterns[] = L"*.3gp;*.3g2|*.*";

bool HasExtension(const std::wstring& path) { return *::PathFindExtensionW(path.c_str()) != 0; }

struct FolderChoice {
    std::wstring folder;
    std::wstring patterns; // ";"-separated
    bool recurse = false;
};

// The folder dialog as Open Folder and Add Folder show it: the stored start folder and
// sub-folder choice, the phone clips' patterns first and every file second.
bool ChooseFolder(HWND owner, const wchar_t* title, const wchar_t* prompt, FolderChoice& choice) {
    CFolderDialog dialog(owner);
    dialog.title = title;
    dialog.prompt = prompt;
    dialog.initialFolder = Settings().folderDialogLastFolder;
    dialog.filterList = kFolderPatterns;
    dialog.includeSubfolders = Settings().folderDialogScanSubfolders ? 1 : 0;
    if (dialog.DoModal() != IDOK) return false;
    choice.folder = dialog.folder;
    choice.patterns = dialog.filter;
    choice.recurse = dialog.includeSubfolders != 0;
    return true;
}

} // namespace

bool CPlaylistView::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    using C = fw::Command<CPlaylistView>;
    using V = CPlaylistView;
    static const C commands[] = {
        {ID_OPEN_FILES, &V::OnOpenFiles, &V::OnUpdateAlways},
        {ID_OPEN_FOLDER, &V::OnOpenFolder, &V::OnUpdateAlways},
        {ID_OPEN_URL, &V::OnOpenUrl, &V::OnUpdateAlways},
        {ID_ADD_FILES, &V::OnAddFiles, &V::OnUpdateNoLoader},
        {ID_ADD_FOLDER, &V::OnAddFolder, &V::OnUpdateNoLoader},
        {ID_ADD_URLS, &V::OnAddUrls, &V::OnUpdateNoLoader},
        {ID_REMOVE, &V::OnRemove, &V::OnUpdateRemove},
        {ID_REMOVE_ALL, &V::OnRemoveAll, &V::OnUpdateHasItems},
        {ID_SELECT_ALL, &V::OnSelectAll, &V::OnUpdateHasItems},
        {ID_MOVE_UP, &V::OnMoveUp, &V::OnUpdateMoveUp},
        {ID_MOVE_DOWN, &V::OnMoveDown, &V::OnUpdateMoveDown},
        {ID_LOAD_PLAYLIST, &V::OnLoad, &V::OnUpdateAlways},
        {ID_SAVE_PLAYLIST, &V::OnSave, &V::OnUpdateHasItems},
        {ID_PLAY_SELECTED, &V::OnPlay, &V::OnUpdatePlay},
        {ID_PROPERTIES, &V::OnProperties, &V::OnUpdateHasSelection},
        {ID_GRID_VIEW, &V::OnGridView, &V::OnUpdateGridView},
        {ID_VIEW_LIST, &V::OnListView, &V::OnUpdateListView},
        {ID_SHOW_DURATION, &V::OnShowDuration, &V::OnUpdateShowDuration},
        {ID_SHOW_TITLE, &V::OnShowTitle, &V::OnUpdateShowTitle},
        {ID_SHOW_ICON, &V::OnShowIcon, &V::OnUpdateShowIcon},
        {ID_NEXT_PANE, &V::OnNextPane, &V::OnUpdatePane},
        {ID_PREV_PANE, &V::OnPrevPane, &V::OnUpdatePane},
        {ID_RECENT_PLAYLIST_FIRST, ID_RECENT_PLAYLIST_LAST, &V::OnRecentPlaylist, &V::OnUpdateRecentPlaylist},
        {ID_RECENT_PLAYLISTS_CLEAR, &V::OnClearRecentPlaylists, &V::OnUpdateClearRecentPlaylists},
    };
    return fw::DispatchCommand(this, commands, id, ui) || CGridListView::OnCmdMsg(id, ui);
}

// The "Open Files" button asks for the command as a menu would.
bool CPlaylistView::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == 1 && lParam) {
        PostMessage(WM_COMMAND, ID_OPEN_FILES, 0);
        return true;
    }
    return CGridListView::OnCommand(wParam, lParam);
}

void CPlaylistView::PrepareReplace() {
    StopLoader();
    StopExtractors();
    pendingPlayIndex_ = -1;
    RemoveAll();
}

void CPlaylistView::PrepareAdd() {
    StopExtractors();
    pendingPlayIndex_ = -1;
}

bool CPlaylistView::ChooseFiles(const wchar_t* title, bool useSettingFilter, std::vector<std::wstring>& paths) {
    COEFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_OVERWRITEPROMPT,
                         kMediaFilter, Hwnd());
    dialog.ofn.nFilterIndex = useSettingFilter ? static_cast<DWORD>(Settings().folderDialogFilterIndex) : 0;
    dialog.ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK) return false;
    paths = dialog.PathNames();
    if (useSettingFilter) Settings().folderDialogFilterIndex = static_cast<int>(dialog.ofn.nFilterIndex);
    return true;
}

void CPlaylistView::OnOpenFiles() {
    std::vector<std::wstring> paths;
    if (!ChooseFiles(nullptr, true, paths)) return;
    PrepareReplace();
    int added = 0;
    for (const std::wstring& path : paths) added += AddPath(path);
    if (added > 0) pendingPlayIndex_ = 0;
    FinishAdding();
}

void CPlaylistView::OnAddFiles() {
    std::vector<std::wstring> paths;
    if (!ChooseFiles(L"Add Files", false, paths)) return;
    PrepareAdd();
    for (const std::wstring& path : paths) AddPath(path);
    FinishAdding();
}

void CPlaylistView::OnOpenFolder() {
    FolderChoice choice;
    if (!ChooseFolder(Hwnd(), L"Open Folder", L"Open Folder to Play", choice)) return;
    OpenFolder(choice.folder, choice.patterns, choice.recurse);
}

int CPlaylistView::OpenFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse) {
    if (!::PathIsDirectoryW(folder.c_str())) return 0;
    PrepareReplace();
    int n = AddFolder(folder, patterns, recurse);
    if (n > 0) pendingPlayIndex_ = 0;
    FinishAdding();
    return n;
}

void CPlaylistView::OnAddFolder() {
    FolderChoice choice;
    if (!ChooseFolder(Hwnd(), L"Add Folder", L"Add Folder to Playlist", choice)) return;
    PrepareAdd();
    AddFolder(choice.folder, choice.patterns, choice.recurse);
    Settings().folderDialogLastFolder = choice.folder;
    Settings().folderDialogScanSubfolders = choice.recurse;
    FinishAdding();
}

// The URL replaces the playlist and plays as soon as it is loaded. An empty box leaves the
// playlist as it was.
void CPlaylistView::OnOpenUrl() {
    COpenUrlDialog dialog(Settings().recentUrls.Entries(), Hwnd());
    if (dialog.DoModal() != IDOK) return;
    std::wstring url = fw::Trim(dialog.url);
    if (url.empty()) return;
    Settings().recentUrls.Add(url);
    OpenPath(url);
}

void CPlaylistView::OnAddUrls() {
    CAddUrlsDialog dialog(Hwnd());
    if (dialog.DoModal() != IDOK) return;
    PrepareAdd();
    for (const std::wstring& url : UrlLines(dialog.urls)) AddPath(url);
    FinishAdding();
}

int CPlaylistView::OpenPath(const std::wstring& path) {
    PrepareReplace();
    int n = AddPath(path);
    if (n > 0) pendingPlayIndex_ = 0;
    FinishAdding();
    return n;
}

void CPlaylistView::StopIfCurrent(int index) {
    if (playView_ && playView_->CurrentIndex() == index) playView_->StopPlayback();
}

void CPlaylistView::OnRemove() {
    StopLoader();
    StopExtractors();
    pendingPlayIndex_ = -1;
    for (int i = GetNextSelected(0); i != -1; i = GetNextSelected(0)) {
        StopIfCurrent(i);
        RemoveItemAt(i, true);
    }
    FinishAdding();
}

void CPlaylistView::OnRemoveAll() {
    if (playView_) playView_->StopPlayback();
    PrepareReplace();
    FinishAdding();
}

bool CPlaylistView::RemoveOne(int index) {
    if (!InRange(index)) return false;
    StopLoader();
    StopExtractors();
    pendingPlayIndex_ = -1;
    StopIfCurrent(index);
    RemoveItemAt(index, true);
    FinishAdding();
    return true;
}

void CPlaylistView::OnSelectAll() { SetAllSelection(true, true); }

void CPlaylistView::OnMoveUp() {
    int a = FirstSelected();
    if (a <= 0) return;
    SwapItems(a, a - 1);
    SelectItem(a - 1, true, true, true);
}

void CPlaylistView::OnMoveDown() {
    int a = FirstSelected();
    if (a < 0 || a >= GetItemCount() - 1) return;
    SwapItems(a, a + 1);
    SelectItem(a + 1, true, true, true);
}

void CPlaylistView::OnLoad() {
    COEFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kLoadFilter, Hwnd());
    if (dialog.DoModal() == IDOK) LoadPlaylist(dialog.PathName(), true, true);
}

void CPlaylistView::OnSave() {
    COEFileDialog dialog(false, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter, Hwnd());
    if (dialog.DoModal() != IDOK) return;
    std::wstring chosen = dialog.PathName();
    if (!HasExtension(chosen)) chosen += dialog.ofn.nFilterIndex == 2 ? L".pls" : L".m3u";
    SavePlaylist(chosen, true);
}

int CPlaylistView::LoadPlaylist(const std::wstring& path, bool makeCurrent, bool addRecent) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return 0;
    PrepareReplace();
    int n = AddPlaylistFile(path);
    if (n > 0) {
        if (makeCurrent) pendingPlayIndex_ = 0;
        if (addRecent) Settings().AddRecentPlaylist(path);
    }
    FinishAdding();
    return n;
}

std::vector<const CPlaylistEntry*> CPlaylistView::Entries() const {
    std::vector<const CPlaylistEntry*> entries;
    for (int i = 0; i < GetItemCount(); ++i) entries.push_back(GetItem(i));
    return entries;
}

int CPlaylistView::SavePlaylist(const std::wstring& path, bool addRecent) {
    std::wstring target = PlaylistSavePath(path);
    int saved = SavePlaylistEntries(target, Entries());
    if (saved >= 0 && addRecent) Settings().AddRecentPlaylist(target);
    return saved;
}

void CPlaylistView::OnPlay() { PlayItem(FirstSelected(), IPlayViewLink::kInDisplay); }

void CPlaylistView::OnProperties() {
    if (playView_ && FirstSelected() != -1) playView_->ShowProperties(FirstSelected());
}

void CPlaylistView::OnGridView() { SetViewStyle(kGridStyle); }
void CPlaylistView::OnListView() { SetViewStyle(kListStyle); }

void CPlaylistView::OnShowDuration() {
    showDuration_ = !showDuration_;
    Invalidate(true);
}

void CPlaylistView::OnShowTitle() { SetShowTitle(!showTitle_); }

void CPlaylistView::OnShowIcon() {
    showIcon_ = !showIcon_;
    Invalidate(true);
}

void CPlaylistView::OnNextPane() {
    if (frameLink_) frameLink_->ActivateNextPane(false);
}

void CPlaylistView::OnPrevPane() {
    if (frameLink_) frameLink_->ActivateNextPane(true);
}

void CPlaylistView::OnRecentPlaylist(UINT id) {
    size_t index = id - ID_RECENT_PLAYLIST_FIRST;
    const auto& entries = Settings().recentPlaylists.Entries();
    if (index >= entries.size()) return;
    std::wstring path = entries[index];
    if (LoadPlaylist(path, true, true) <= 0) {
        // Loading may have moved the entry to the top; remove it where it is now.
        const auto& now = Settings().recentPlaylists.Entries();
        for (size_t i = 0; i < now.size(); ++i)
            if (now[i] == path) {
                Settings().RemoveRecentPlaylist(i);
                break;
            }
    }
}

void CPlaylistView::OnClearRecentPlaylists() { Settings().recentPlaylists.Clear(); }

bool CPlaylistView::IsActivePane() const { return frameLink_ && frameLink_->ActivePane() == 1; }

void CPlaylistView::SwitchToDisplay() {
    if (frameLink_) frameLink_->ActivatePane(0);
    if (playView_) playView_->LayOutHostedWindow();
}

// --- update handlers ---

void CPlaylistView::OnUpdateAlways(fw::CCmdUI& ui) { ui.Enable(true); }
void CPlaylistView::OnUpdateNoLoader(fw::CCmdUI& ui) { ui.Enable(!workers_.IsLoaderRunning()); }
void CPlaylistView::OnUpdateRemove(fw::CCmdUI& ui) { ui.Enable(GetSelectedCount() > 0 && !workers_.IsLoaderRunning()); }
void CPlaylistView::OnUpdateHasItems(fw::CCmdUI& ui) { ui.Enable(GetItemCount() > 0); }
void CPlaylistView::OnUpdateMoveUp(fw::CCmdUI& ui) { ui.Enable(FirstSelected() > 0); }
void CPlaylistView::OnUpdateMoveDown(fw::CCmdUI& ui) {
    int a = FirstSelected();
    ui.Enable(a >= 0 && a < GetItemCount() - 1);
}
void CPlaylistView::OnUpdatePlay(fw::CCmdUI& ui) { ui.Enable(IsActivePane() && GetSelectedCount() > 0); }
void CPlaylistView::OnUpdateHasSelection(fw::CCmdUI& ui) { ui.Enable(GetSelectedCount() > 0); }
void CPlaylistView::OnUpdateGridView(fw::CCmdUI& ui) { ui.SetRadio(viewStyleSetting_ == kGridStyle); }
void CPlaylistView::OnUpdateListView(fw::CCmdUI& ui) { ui.SetRadio(viewStyleSetting_ == kListStyle); }
void CPlaylistView::OnUpdateShowDuration(fw::CCmdUI& ui) {
    ui.SetCheck(showDuration_);
    ui.Enable(IsGridStyle());
}
void CPlaylistView::OnUpdateShowTitle(fw::CCmdUI& ui) {
    ui.SetCheck(showTitle_);
    ui.Enable(IsGridStyle());
}
void CPlaylistView::OnUpdateShowIcon(fw::CCmdUI& ui) {
    ui.SetCheck(showIcon_);
    ui.Enable(!IsGridStyle());
}
void CPlaylistView::OnUpdatePane(fw::CCmdUI& ui) {
    ui.SetText(IsActivePane() ? L"Go to Display View\tF6" : L"Go to Playlist View\tF6");
    ui.Enable(true);
}
void CPlaylistView::OnUpdateRecentPlaylist(fw::CCmdUI& ui) { Settings().recentPlaylists.UpdateMenu(ui); }
void CPlaylistView::OnUpdateClearRecentPlaylists(fw::CCmdUI& ui) { ui.Enable(Settings().recentPlaylists.Size() > 0); }

} // namespace zevrin
