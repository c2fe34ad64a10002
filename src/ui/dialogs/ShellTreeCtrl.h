#pragma once
// A lazily filled tree of the shell's namespace: the desktop as the single root, and below it
// whatever the shell lists for each folder, with its display names, system icons, ghosted and
// overlay states, sorted by the shell's own comparison. Each row owns a record of its item; the
// desktop folder object is shared by every shell tree of the process.
#include "ui/dialogs/LoadingTreeCtrl.h"
#include "ui/dialogs/Pidl.h"

#include <shlobj.h>

#include <string>
#include <vector>

namespace zevrin {

class CShellTreeCtrl : public CLoadingTreeCtrl {
public:
    // Bits of Options(): also files; also hidden items.
    static constexpr DWORD kWithFiles = 1, kWithHidden = 2;

    CShellTreeCtrl();
    ~CShellTreeCtrl() override;

    void SetOptions(DWORD options) { options_ = options; }
    // The system's small icons and the desktop as the one root row, opened at once.
    HTREEITEM AddDesktopRoot();
    // Opens the rows down to `path` and selects its row; nullptr when a part is not found.
    HTREEITEM SelectPath(const std::wstring& path);
    // The file-system path of a row; empty when it has none.
    std::wstring PathOf(HTREEITEM item) const;
    std::wstring TextOf(HTREEITEM item) const;

    bool OnNotify(const NMHDR& header, LRESULT& result) override;

protected:
    // What a row knows about its item.
    struct ShellItem {
        IShellFolder* parent = nullptr; // holds a reference
        CPidl relative;                 // relative to parent
        CPidl absolute;                 // from the desktop
        ULONG flags = 0;                // SFGAO_ attributes
        ~ShellItem() {
            if (parent) parent->Release();
        }
    };

    int FillBranch(HTREEITEM item) override;
    ShellItem* ItemOf(HTREEITEM item) const;
    static IShellFolder* Desktop() { return desktop_; }

private:
    HTREEITEM InsertShellItem(HTREEITEM parentRow, IShellFolder* folder, LPCITEMIDLIST parentAbsolute,
                              LPCITEMIDLIST child);
    IShellFolder* BindFolder(const ShellItem& item) const;
    HTREEITEM FindChild(HTREEITEM row, LPCITEMIDLIST absolute) const;
    void OnGetIcons(TVITEMW& tv) const;
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM self);

    DWORD options_ = 0;
    static inline IShellFolder* desktop_ = nullptr;
    static inline int desktopUsers_ = 0;
};

// The folder a file-system path names, as the shell likes it: forward slashes made back, no
// trailing backslash, split at backslashes; what the tree opens one by one.
std::vector<std::wstring> PathComponents(const std::wstring& path);
// "C:", "v", "w" -> "C:\", "C:\v", "C:\v\w": the path up to component `i`.
std::wstring CumulativePath(const std::vector<std::wstring>& components, size_t i);

} // namespace zevrin
