// The playlist commands: what each does and when it is enabled.
#include "ui/playlist/PlaylistView.h"

#include "playlist/PlaylistStore.h"

#include "app/AppSettings.h"
#include "framework/Ids.h"
#include "framework/Text.h"
#include "playlist/PlaylistFile.h"
#include "ui/playlist/PlayViewLink.h"
#include "ui/playlist/PlaylistFrameLink.h"
#include "ui/dialogs/FolderDialog.h"
#include "ui/playlist/PlaylistPrompts.h"

#include "../../../res/resource.h"  // after the framework: its ids are macros here

#include <commdlg.h>
#include <shlwapi.h>

namespace zevrin {

namespace {

constexpr wchar_t kMediaFilter[] =
    L"All Files (*.*)\0*.*\0" L"3GP Videos (*.3gp)\0*.3gp\0" L"3G2 Videos (*.3g2)\0*.3g2\0"
    L"Playlist Files (*.m3u;*.pls)\0*.m3u;*.pls\0";
constexpr wchar_t kLoadFilter[] = L"Playlist Files (*.m3u;*.pls)\0*.m3u;*.pls\0All Files (*.*)\0*.*\0";
constexpr wchar_t kSaveFilter[] = L"M3U Files (*.m3u)\0*.m3u\0PLS Files (*.pls)\0*.pls\0";
constexpr DWORD kSelectionChars = 262144;
constexpr wchar_t kFolderPatterns[] = L"*.3gp;*.3g2|*.*";

// The paths of a multiple selection: one full path, or a folder followed by names.
std::vector<std::wstring> SelectedPaths(const std::wstring& buffer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* p = buffer.c_str(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::vector<std::wstring> paths;
    std::wstring folder = parts[0];
    if (folder.back() != L'\\') folder += L'\\';
    for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
    return paths;
}

bool HasExtension(const std::wstring& path) { return *::PathFindExtensionW(path.c_str()) != 0; }

struct FolderChoice {
    std::wstring folder;
    std::wstring patterns;  // ";"-separated
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
    std::wstring buffer(kSelectionChars, L'\0');
    OPENFILENAMEW ofn{sizeof(ofn)};
    ofn.hwndOwner = Hwnd();
    ofn.lpstrFilter = kMediaFilter;
    ofn.nFilterIndex = useSettingFilter ? static_cast<DWORD>(Settings().folderDialogFilterIndex) : 0;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = kSelectionChars;
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&ofn)) return false;
    paths = SelectedPaths(buffer);
    if (useSettingFilter) Settings().folderDialogFilterIndex = static_cast<int>(ofn.nFilterIndex);
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

void CPlaylistView::OnOpenUrl() {
    std::wstring url;
    if (!AskForText(Hwnd(), L"Open URL", L"URL:", false, url)) return;
    PrepareReplace();
    AddPath(fw::Trim(url));
    FinishAdding();
}

void CPlaylistView::OnAddUrls() {
    std::wstring text;
    if (!AskForText(Hwnd(), L"Add URLs", L"URLs, one a line:", true, text)) return;
    PrepareAdd();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        std::wstring piece = fw::Trim(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (!piece.empty()) AddPath(piece);
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
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
    wchar_t path[MAX_PATH * 4] = L"";
    OPENFILENAMEW ofn{sizeof(ofn)};
    ofn.hwndOwner = Hwnd();
    ofn.lpstrFilter = kLoadFilter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = ARRAYSIZE(path);
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (::GetOpenFileNameW(&ofn)) LoadPlaylist(path, true, true);
}

void CPlaylistView::OnSave() {
    wchar_t path[MAX_PATH * 4] = L"";
    OPENFILENAMEW ofn{sizeof(ofn)};
    ofn.hwndOwner = Hwnd();
    ofn.lpstrFilter = kSaveFilter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = ARRAYSIZE(path);
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!::GetSaveFileNameW(&ofn)) return;
    std::wstring chosen = path;
    if (!HasExtension(chosen)) chosen += ofn.nFilterIndex == 2 ? L".pls" : L".m3u";
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
void CPlaylistView::OnUpdateNoLoader(fw::CCmdUI& ui) { ui.Enable(!loadThread_); }
void CPlaylistView::OnUpdateRemove(fw::CCmdUI& ui) { ui.Enable(GetSelectedCount() > 0 && !loadThread_); }
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
