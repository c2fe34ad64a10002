// The folder dialog and its shell tree in this process: branches read when opened behind a
// "Loading..." row, sorted by the shell, an empty folder losing its button, paths selected
// through the computer folder, and the dialog's start, layout, limits and answers.
#include "ModalDriver.h"

#include "ui/dialogs/FolderDialog.h"
#include "ui/dialogs/ShellContextMenu.h"
#include "ui/dialogs/ShellTreeCtrl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace zevrin {
namespace {

// A folder tree made for the test in the temporary folder, removed afterwards.
class TestFolders {
public:
    TestFolders() {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        wchar_t longTemp[MAX_PATH] = L"";
        GetLongPathNameW(temp, longTemp, MAX_PATH);
        base = std::wstring(longTemp) + L"zevrin-folders-" + std::to_wstring(GetCurrentProcessId());
        Make(base);
        Make(base + L"\\big");
        // Made out of order, and with mixed case, so that sorting shows.
        for (int i = kBigCount - 1; i >= 0; --i) {
            wchar_t name[16];
            swprintf(name, 16, L"f%03d", i);
            Make(base + L"\\big\\" + name);
        }
        Make(base + L"\\big\\Beta");
        Make(base + L"\\big\\alpha");
        Make(base + L"\\empty");
        deep = base + L"\\deep";
        Make(deep);
        for (const wchar_t* part : {L"\\one", L"\\two", L"\\three", L"\\four", L"\\five", L"\\six"}) Make(deep += part);
    }
    ~TestFolders() { Remove(base); }

    static constexpr int kBigCount = 300;
    std::wstring base, deep;

private:
    static void Make(const std::wstring& path) { CreateDirectoryW(path.c_str(), nullptr); }
    static void Remove(const std::wstring& path) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(path + L"\\" + name);
                else
                    DeleteFileW((path + L"\\" + name).c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(path.c_str());
    }
};

class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES};
        InitCommonControlsEx(&icc);
    }
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }

private:
    bool ok_;
};

// The shell tree with a record of what the loading machinery did.
class WatchedTree : public CShellTreeCtrl {
public:
    std::wstring placeholderText;
    int fills = 0;
    std::atomic<int> ticks{0};

protected:
    void PrepareAnimation(HTREEITEM placeholder) override { placeholderText = TextOf(placeholder); }
    void AnimationTick(bool, int, int) override { ++ticks; }
    int FillBranch(HTREEITEM item) override {
        ++fills;
        return CShellTreeCtrl::FillBranch(item);
    }
};

// A plain window holding the tree and handing it its notifications, as the dialog does.
class TreeHost {
public:
    explicit TreeHost(WatchedTree& tree) {
        current = &tree;
        WNDCLASSW wc{};
        wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            LRESULT result = 0;
            if (message == WM_NOTIFY && current && current->OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        };
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZevrinTestTreeHost";
        RegisterClassW(&wc);
        host_ = CreateWindowExW(0, wc.lpszClassName, L"tree host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 500, nullptr,
                                nullptr, wc.hInstance, nullptr);
        HWND hwnd = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS,
                                    0, 0, 380, 460, host_, reinterpret_cast<HMENU>(1019), wc.hInstance, nullptr);
        tree.Attach(hwnd);
    }
    ~TreeHost() {
        DestroyWindow(host_);
        current = nullptr;
    }

private:
    static inline WatchedTree* current = nullptr;
    HWND host_ = nullptr;
};

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM row) {
    std::vector<HTREEITEM> rows;
    for (HTREEITEM child = TreeView_GetChild(tree, row); child; child = TreeView_GetNextSibling(tree, child)) rows.push_back(child);
    return rows;
}

HTREEITEM ChildNamed(const CShellTreeCtrl& tree, HTREEITEM row, const std::wstring& name) {
    for (HTREEITEM child : Children(tree.Hwnd(), row))
        if (_wcsicmp(tree.TextOf(child).c_str(), name.c_str()) == 0) return child;
    return nullptr;
}

int ChildButton(HWND tree, HTREEITEM row) {
    TVITEMW item{TVIF_CHILDREN};
    item.hItem = row;
    TreeView_GetItem(tree, &item);
    return item.cChildren;
}

bool OnFixedDisk(const std::wstring& path) { return GetDriveTypeW(path.substr(0, 3).c_str()) == DRIVE_FIXED; }

TEST(ShellTree, OpensBranchesLazilySortedAndSelectsPaths) {
    ComApartment com;
    TestFolders folders;
    WatchedTree tree;
    TreeHost host(tree);
    HWND hwnd = tree.Hwnd();
    ASSERT_NE(hwnd, nullptr);

    HTREEITEM root = tree.AddDesktopRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree.fills, 1);
    EXPECT_FALSE(Children(hwnd, root).empty()) << "the desktop lists nothing";
    EXPECT_EQ(tree.placeholderText, L"Loading...");

    // Through the computer folder down to the test's folder.
    HTREEITEM base = tree.SelectPath(folders.base);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(TreeView_GetSelection(hwnd), base);
    EXPECT_EQ(_wcsicmp(tree.PathOf(base).c_str(), folders.base.c_str()), 0);
    EXPECT_EQ(tree.SelectPath(folders.base + L"\\not here"), nullptr);
    EXPECT_EQ(tree.SelectPath(L"Q:\\nowhere"), nullptr);

    tree.Expand(base);
    std::vector<std::wstring> names;
    for (HTREEITEM child : Children(hwnd, base)) names.push_back(tree.TextOf(child));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"big", L"deep", L"empty"}));

    // The big folder: the "Loading..." row stood in while it was read, and the animation ran.
    HTREEITEM big = ChildNamed(tree, base, L"big");
    ASSERT_NE(big, nullptr);
    tree.placeholderText.clear();
    int fillsBefore = tree.fills;
    tree.Expand(big);
    EXPECT_EQ(tree.fills, fillsBefore + 1);
    EXPECT_EQ(tree.placeholderText, L"Loading...");
    EXPECT_GT(tree.ticks.load(), 0);
    std::vector<HTREEITEM> rows = Children(hwnd, big);
    ASSERT_EQ(rows.size(), size_t(TestFolders::kBigCount + 2));
    EXPECT_EQ(tree.TextOf(rows[0]), L"alpha");
    EXPECT_EQ(tree.TextOf(rows[1]), L"Beta");
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_LT(_wcsicmp(tree.TextOf(rows[i - 1]).c_str(), tree.TextOf(rows[i]).c_str()), 0) << i;
    // Closed and opened again: the same rows, not read again.
    TreeView_Expand(hwnd, big, TVE_COLLAPSE);
    tree.Expand(big);
    EXPECT_EQ(tree.fills, fillsBefore + 1);
    EXPECT_EQ(Children(hwnd, big).size(), rows.size());

    // An empty folder on a fixed disk loses its button once it has been opened.
    HTREEITEM empty = ChildNamed(tree, base, L"empty");
    ASSERT_NE(empty, nullptr);
    tree.Expand(empty);
    EXPECT_TRUE(Children(hwnd, empty).empty());
    if (OnFixedDisk(folders.base)) {
        EXPECT_EQ(ChildButton(hwnd, empty), 0);
    }

    HTREEITEM deep = tree.SelectPath(folders.deep);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(_wcsicmp(tree.PathOf(deep).c_str(), folders.deep.c_str()), 0);
    EXPECT_EQ(tree.TextOf(deep), L"six");
}

HWND FindDialog(const wchar_t* title) {
    HWND dialog = FindWindowW(L"#32770", title);
    return dialog && GetWindowThreadProcessId(dialog, nullptr) == GetCurrentThreadId() ? dialog : nullptr;
}

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rc{};
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[512] = L"";
    GetWindowTextW(hwnd, text, 512);
    return text;
}

TEST(FolderDialog, StartsOnTheFolderLaysOutAndAnswers) {
    ComApartment com;
    TestFolders folders;
    CFolderDialog dialog;
    dialog.title = L"Open Folder";
    dialog.prompt = L"Open Folder to Play";
    dialog.initialFolder = folders.deep;
    dialog.filterList = L"*.3gp;*.3g2|*.*";
    dialog.includeSubfolders = 1;

    bool checked = false;
    ModalDriver driver([&] {
        HWND hwnd = FindDialog(L"Open Folder");
        if (!hwnd || dialog.WorkerRunning()) return false;
        HWND tree = GetDlgItem(hwnd, 1019);
        HTREEITEM selected = TreeView_GetSelection(tree);
        if (!selected || _wcsicmp(dialog.Tree().PathOf(selected).c_str(), folders.deep.c_str()) != 0) return false;

        EXPECT_EQ(WindowText(GetDlgItem(hwnd, 1023)), L"Open Folder to Play");
        HWND box = GetDlgItem(hwnd, 1022);
        HWND edit = reinterpret_cast<HWND>(SendMessageW(box, CBEM_GETEDITCONTROL, 0, 0));
        EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(WindowText(edit), L"*.3gp;*.3g2");
        EXPECT_EQ(IsDlgButtonChecked(hwnd, 1030), BST_CHECKED);
        EXPECT_FALSE(GetWindowLongPtrW(GetDlgItem(hwnd, 1044), GWL_STYLE) & WS_VISIBLE);  // no presets
        EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

        // Never smaller than 320 x 280; larger, the controls keep to the edges.
        MINMAXINFO limits{};
        SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, 320);
        EXPECT_EQ(limits.ptMinTrackSize.y, 280);
        SetWindowPos(hwnd, nullptr, 0, 0, 640, 520, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(hwnd, &client);
        RECT cancel = ClientRectOf(hwnd, GetDlgItem(hwnd, IDCANCEL)), ok = ClientRectOf(hwnd, GetDlgItem(hwnd, IDOK));
        RECT treeRect = ClientRectOf(hwnd, tree), filter = ClientRectOf(hwnd, box);
        EXPECT_EQ(cancel.right, client.right - 10);
        EXPECT_EQ(cancel.bottom, client.bottom - 10);
        EXPECT_EQ(ok.right, cancel.left - 6);
        EXPECT_EQ(treeRect.left, 10);
        EXPECT_EQ(treeRect.right, client.right - 10);
        EXPECT_EQ(filter.right, client.right - 10);
        EXPECT_LT(treeRect.bottom, filter.top);
        EXPECT_LT(filter.bottom, ok.top);

        // "*.*" chosen, the box unticked, then OK.
        SendMessageW(box, CB_SETCURSEL, 1, 0);
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(1022, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        EXPECT_EQ(WindowText(edit), L"*.*");
        CheckDlgButton(hwnd, 1030, BST_UNCHECKED);
        checked = true;
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        return true;
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(checked);
    EXPECT_EQ(_wcsicmp(dialog.folder.c_str(), folders.deep.c_str()), 0);
    EXPECT_EQ(dialog.filter, L"*.*");
    EXPECT_EQ(dialog.includeSubfolders, 0);
}

TEST(FolderDialog, PresetsCancelWhileSelectingAndAnEmptyFilter) {
    ComApartment com;
    TestFolders folders;
    {
        // Closed at once: it waits for the worker that is opening the deep folder.
        CFolderDialog dialog;
        dialog.initialFolder = folders.deep;
        ModalDriver driver([&] {
            HWND hwnd = FindDialog(L"Select a Folder");
            if (!hwnd) return false;
            PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_FALSE(dialog.WorkerRunning());
    }
    {
        // Presets: the button shows, the box stops before it, and the start item's pattern is
        // the preset's; an emptied box answers "*"; a missing folder selects nothing.
        CFolderDialog dialog;
        dialog.initialFolder = folders.base + L"\\not here";
        dialog.filterList = L"Phone|All";
        dialog.presets = L"Phone clips|*.3gp;*.3g2|Everything|*.*";
        dialog.filterIndex = 1;
        ModalDriver driver([&] {
            HWND hwnd = FindDialog(L"Select a Folder");
            if (!hwnd) return false;
            EXPECT_FALSE(dialog.WorkerRunning());
            HWND box = GetDlgItem(hwnd, 1022), button = GetDlgItem(hwnd, 1044);
            HWND edit = reinterpret_cast<HWND>(SendMessageW(box, CBEM_GETEDITCONTROL, 0, 0));
            EXPECT_TRUE(GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE);
            EXPECT_EQ(ClientRectOf(hwnd, box).right, ClientRectOf(hwnd, button).left - 6);
            EXPECT_EQ(WindowText(edit), L"*.*");
            SetWindowTextW(edit, L"");
            PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
            return true;
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.filter, L"*");
    }
}

TEST(ShellContextMenu, FillsItsRangeHooksTheOwnerAndRefusesOtherIds) {
    ComApartment com;
    TestFolders folders;
    // Without a menu object nothing happens.
    CShellContextMenu none;
    fw::UniqueMenu popup(CreatePopupMenu());
    EXPECT_FALSE(none.HasMenu());
    EXPECT_FALSE(none.FillMenu(popup.Get(), 0, CShellContextMenu::kFirstId, CShellContextMenu::kLastId, CShellContextMenu::kTreeFlags));
    EXPECT_FALSE(none.InvokeCommand(CShellContextMenu::kFirstId));
    std::wstring help;
    EXPECT_FALSE(none.GetHelpText(CShellContextMenu::kFirstId, help));
    EXPECT_FALSE(none.Create(nullptr, nullptr));

    // The menu of the test's folder, as the folder tree asks for it.
    CPidl folder = PidlFromPath(folders.base);
    ASSERT_TRUE(folder);
    IShellFolder* parent = nullptr;
    LPCITEMIDLIST child = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHBindToParent(folder.Get(), IID_IShellFolder, reinterpret_cast<void**>(&parent), &child)));
    CShellContextMenu menu;
    ASSERT_TRUE(menu.Create(parent, child));
    parent->Release();
    ASSERT_TRUE(menu.FillMenu(popup.Get(), 0, CShellContextMenu::kFirstId, CShellContextMenu::kLastId, CShellContextMenu::kTreeFlags));
    EXPECT_EQ(menu.FirstId(), 0x0E00u);
    EXPECT_GE(menu.LastId(), menu.FirstId());
    EXPECT_LE(menu.LastId(), 0x0FFFu);
    int count = GetMenuItemCount(popup.Get());
    EXPECT_GT(count, 0);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup.Get(), i);
        if (id == 0 || id == UINT(-1)) continue;  // separators and sub-menus
        EXPECT_GE(id, menu.FirstId());
        EXPECT_LE(id, menu.LastId());
    }
    EXPECT_FALSE(menu.InvokeCommand(menu.LastId() + 1));
    EXPECT_FALSE(menu.InvokeCommand(menu.FirstId() - 1));
    EXPECT_FALSE(menu.GetHelpText(menu.LastId() + 1, help));

    // Hooked while the menu shows: the property names the object, and unhooking restores all.
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    LONG_PTR before = GetWindowLongPtrW(owner, GWLP_WNDPROC);
    menu.Attach(owner);
    EXPECT_EQ(GetPropW(owner, L"ShellContextMenu"), &menu);
    EXPECT_NE(GetWindowLongPtrW(owner, GWLP_WNDPROC), before);
    EXPECT_EQ(menu.Owner(), owner);
    EXPECT_EQ(SendMessageW(owner, WM_GETTEXTLENGTH, 0, 0), 0);  // other messages go on as before
    menu.Attach(nullptr);
    EXPECT_EQ(GetPropW(owner, L"ShellContextMenu"), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(owner, GWLP_WNDPROC), before);
    // A window destroyed while hooked unhooks itself.
    menu.Attach(owner);
    DestroyWindow(owner);
    EXPECT_EQ(menu.Owner(), nullptr);
}

} // namespace
} // namespace zevrin
