#include "ui/playlist/PlaylistPrompts.h"

#include "app/AppSettings.h"

#include <shlobj.h>

namespace zevrin {

namespace {

int CALLBACK StartInFolder(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) ::SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

bool AskForFolder(HWND owner, const wchar_t* title, const wchar_t* prompt, const std::wstring& choices, FolderChoice& choice) {
    (void)title;
    std::wstring start = Settings().folderDialogLastFolder;
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.lpszTitle = prompt;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    bi.lpfn = StartInFolder;
    bi.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&bi);
    if (!pidl) return false;
    wchar_t path[MAX_PATH] = L"";
    bool ok = ::SHGetPathFromIDListW(pidl, path) != FALSE;
    ::CoTaskMemFree(pidl);
    if (!ok) return false;
    choice.folder = path;
    choice.patterns = choices.substr(0, choices.find(L'|'));
    choice.recurse = Settings().folderDialogScanSubfolders != 0;
    return true;
}

} // namespace zevrin
