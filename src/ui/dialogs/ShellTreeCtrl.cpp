#include "ui/dialogs/ShellTreeCtrl.h"

#include <shellapi.h>

#include <memory>

namespace zevrin {

namespace {
constexpr ULONG kAskedAttributes =
    SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_REMOVABLE | SFGAO_GHOSTED | SFGAO_SHARE | SFGAO_LINK | SFGAO_FILESYSTEM;

int SmallIcon(LPCITEMIDLIST absolute, UINT extra = 0) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(reinterpret_cast<const wchar_t*>(absolute), 0, &info, sizeof(info),
                          SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra))
        return 0;
    return info.iIcon;
}

// The shell's comparison answers in the code of its result; a failure counts as equal.
int CompareResult(HRESULT hr) { return FAILED(hr) ? 0 : static_cast<short>(HRESULT_CODE(hr)); }
} // namespace

std::vector<std::wstring> PathComponents(const std::wstring& path) {
    std::wstring p = path;
    for (wchar_t& c : p)
        if (c == L'/') c = L'\\';
    while (!p.empty() && p.back() == L'\\') p.pop_back();
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= p.size() && !p.empty()) {
        size_t end = p.find(L'\\', start);
        if (end == std::wstring::npos) end = p.size();
        parts.push_back(p.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::wstring CumulativePath(const std::vector<std::wstring>& components, size_t i) {
    std::wstring path = components.empty() ? L"" : components[0] + L"\\";
    for (size_t k = 1; k <= i && k < components.size(); ++k) {
        if (k > 1) path += L'\\';
        path += components[k];
    }
    return path;
}

CShellTreeCtrl::CShellTreeCtrl() {
    if (desktopUsers_++ == 0 && FAILED(::SHGetDesktopFolder(&desktop_))) desktop_ = nullptr;
}

CShellTreeCtrl::~CShellTreeCtrl() {
    // The rows' records go with the window; a tree that outlives it holds none.
    if (Hwnd()) TreeView_DeleteAllItems(Hwnd());
    if (--desktopUsers_ == 0 && desktop_) {
        desktop_->Release();
        desktop_ = nullptr;
    }
}

CShellTreeCtrl::ShellItem* CShellTreeCtrl::ItemOf(HTREEITEM item) const {
    TVITEMW tv{TVIF_PARAM};
    tv.hItem = item;
    if (!item || !TreeView_GetItem(Hwnd(), &tv)) return nullptr;
    return reinterpret_cast<ShellItem*>(tv.lParam);
}

bool CShellTreeCtrl::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom == Hwnd() && header.code == TVN_DELETEITEMW) {
        delete reinterpret_cast<ShellItem*>(reinterpret_cast<const NMTREEVIEWW&>(header).itemOld.lParam);
        result = 0;
        return true;
    }
    if (header.hwndFrom == Hwnd() && header.code == TVN_GETDISPINFOW) {
        OnGetIcons(const_cast<NMTVDISPINFOW&>(reinterpret_cast<const NMTVDISPINFOW&>(header)).item);
        result = 0;
        return true;
    }
    return CLoadingTreeCtrl::OnNotify(header, result);
}

// The row's icons, the open-folder variant when selected, kept by the tree from now on.
void CShellTreeCtrl::OnGetIcons(TVITEMW& tv) const {
    if (!(tv.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE))) return;
    auto* item = reinterpret_cast<ShellItem*>(tv.lParam);
    if (!item) item = ItemOf(tv.hItem);
    if (!item) return;
    tv.iImage = SmallIcon(item->absolute.Get());
    tv.iSelectedImage = item->flags & SFGAO_FOLDER ? SmallIcon(item->absolute.Get(), SHGFI_OPENICON) : tv.iImage;
    tv.mask |= TVIF_DI_SETITEM;
}

HTREEITEM CShellTreeCtrl::AddDesktopRoot() {
    if (!desktop_) return nullptr;
    CPidl root;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, root.Out())) || !root) return nullptr;
    SHFILEINFOW info{};
    auto images =
        reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(reinterpret_cast<const wchar_t*>(root.Get()), 0, &info,
                                                      sizeof(info), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    TreeView_SetImageList(Hwnd(), images, TVSIL_NORMAL);

    auto item = std::make_unique<ShellItem>();
    item->parent = desktop_;
    desktop_->AddRef();
    item->relative = CPidl::Copy(root.Get());
    item->absolute = CPidl::Copy(root.Get());
    item->flags = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
    STRRET name{};
    std::wstring text = L"Desktop";
    if (SUCCEEDED(desktop_->GetDisplayNameOf(root.Get(), SHGDN_NORMAL, &name))) text = StrRetToString(name, root.Get());

    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.iImage = insert.item.iSelectedImage = SmallIcon(root.Get());
    insert.item.cChildren = 1;
    insert.item.lParam = reinterpret_cast<LPARAM>(item.get());
    HTREEITEM row = TreeView_InsertItem(Hwnd(), &insert);
    if (!row) return nullptr;
    item.release();
    Expand(row);
    return row;
}

IShellFolder* CShellTreeCtrl::BindFolder(const ShellItem& item) const {
    if (!desktop_) return nullptr;
    if (PidlSize(item.absolute.Get()) == 0) {
        desktop_->AddRef();
        return desktop_;
    }
    IShellFolder* folder = nullptr;
    if (FAILED(
            desktop_->BindToObject(item.absolute.Get(), nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))))
        return nullptr;
    return folder;
}

int CShellTreeCtrl::FillBranch(HTREEITEM row) {
    ShellItem* item = ItemOf(row);
    if (!item) return 1;
    IShellFolder* folder = BindFolder(*item);
    if (!folder) return 1;
    SHCONTF flags = SHCONTF_FOLDERS;
    if (options_ & kWithFiles) flags |= SHCONTF_NONFOLDERS;
    if (options_ & kWithHidden) flags |= SHCONTF_INCLUDEHIDDEN;
    IEnumIDList* children = nullptr;
    SetProgress(0, 0);
    int inserted = 0;
    if (folder->EnumObjects(nullptr, flags, &children) == S_OK && children) {
        LPITEMIDLIST child = nullptr;
        while (children->Next(1, &child, nullptr) == S_OK) {
            CPidl owned(child);
            if (InsertShellItem(row, folder, item->absolute.Get(), owned.Get())) {
                ++inserted;
                AddProgress(1);
            }
        }
        children->Release();
    }
    folder->Release();
    if (inserted > 0) {
        TVSORTCB sort{row, CompareRows, reinterpret_cast<LPARAM>(this)};
        TreeView_SortChildrenCB(Hwnd(), &sort, FALSE);
    }
    SetProgress(1, 1);
    // Drives that come and go (removable, network, optical) are read again next time.
    std::wstring path = PathOf(row);
    if (!path.empty() && ::GetDriveTypeW(path.substr(0, 3).c_str()) != DRIVE_FIXED) return 0;
    return 1;
}

HTREEITEM CShellTreeCtrl::InsertShellItem(HTREEITEM parentRow, IShellFolder* folder, LPCITEMIDLIST parentAbsolute,
                                          LPCITEMIDLIST child) {
    auto item = std::make_unique<ShellItem>();
    item->parent = folder;
    folder->AddRef();
    item->relative = CPidl::Copy(child);
    item->absolute = PidlConcat(parentAbsolute, child);
    if (!item->relative || !item->absolute) return nullptr;
    ULONG attributes = kAskedAttributes;
    if (FAILED(folder->GetAttributesOf(1, &child, &attributes))) attributes = 0;
    item->flags = attributes;

    STRRET name{};
    std::wstring text;
    if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_INFOLDER, &name))) text = StrRetToString(name, child);
    const bool isFolder = (attributes & SFGAO_FOLDER) != 0;

    TVINSERTSTRUCTW insert{};
    insert.hParent = parentRow;
    insert.hInsertAfter = TVI_LAST;
    TVITEMW& tv = insert.item;
    tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM | TVIF_STATE;
    tv.pszText = text.data();
    // Looking an icon up is slow (milliseconds per item): the tree asks when it first draws a row.
    tv.iImage = tv.iSelectedImage = I_IMAGECALLBACK;
    tv.cChildren = isFolder && (attributes & (SFGAO_REMOVABLE | SFGAO_HASSUBFOLDER)) ? 1 : 0;
    tv.stateMask = TVIS_CUT | TVIS_OVERLAYMASK;
    if (attributes & SFGAO_GHOSTED) tv.state |= TVIS_CUT;
    if (attributes & SFGAO_SHARE)
        tv.state |= INDEXTOOVERLAYMASK(1);
    else if (attributes & SFGAO_LINK)
        tv.state |= INDEXTOOVERLAYMASK(2);
    tv.lParam = reinterpret_cast<LPARAM>(item.get());
    HTREEITEM row = TreeView_InsertItem(Hwnd(), &insert);
    if (row) item.release();
    return row;
}

int CALLBACK CShellTreeCtrl::CompareRows(LPARAM a, LPARAM b, LPARAM) {
    auto* first = reinterpret_cast<ShellItem*>(a);
    auto* second = reinterpret_cast<ShellItem*>(b);
    if (!first || !second || !first->parent) return 0;
    return CompareResult(first->parent->CompareIDs(0, first->relative.Get(), second->relative.Get()));
}

std::wstring CShellTreeCtrl::PathOf(HTREEITEM row) const {
    ShellItem* item = ItemOf(row);
    wchar_t path[MAX_PATH] = L"";
    if (!item || !::SHGetPathFromIDListW(item->absolute.Get(), path)) return {};
    return path;
}

std::wstring CShellTreeCtrl::TextOf(HTREEITEM row) const {
    wchar_t text[MAX_PATH] = L"";
    TVITEMW tv{TVIF_TEXT};
    tv.hItem = row;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    if (!row || !TreeView_GetItem(Hwnd(), &tv)) return {};
    return text;
}

HTREEITEM CShellTreeCtrl::FindChild(HTREEITEM row, LPCITEMIDLIST absolute) const {
    for (HTREEITEM child = TreeView_GetChild(Hwnd(), row); child; child = TreeView_GetNextSibling(Hwnd(), child)) {
        ShellItem* item = ItemOf(child);
        if (item && CompareResult(desktop_->CompareIDs(0, item->absolute.Get(), absolute)) == 0) return child;
    }
    return nullptr;
}

HTREEITEM CShellTreeCtrl::SelectPath(const std::wstring& path) {
    if (!desktop_) return nullptr;
    std::vector<std::wstring> components = PathComponents(path);
    CPidl computer;
    if (components.empty() || FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Out())))
        return nullptr;
    HTREEITEM current = FindChild(TreeView_GetRoot(Hwnd()), computer.Get());
    for (size_t i = 0; current && i < components.size(); ++i) {
        Expand(current);
        CPidl next = PidlFromPath(CumulativePath(components, i));
        current = next ? FindChild(current, next.Get()) : nullptr;
    }
    if (current) TreeView_SelectItem(Hwnd(), current);
    return current;
}

} // namespace zevrin
