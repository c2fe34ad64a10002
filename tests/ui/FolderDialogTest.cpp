// Open Folder and Add Folder in the installed program: the folder dialog starts on the stored
// folder, reads a folder of thousands of sub-folders behind its busy row, drops the button of an
// empty folder, offers the two pattern choices, keeps its layout and minimum size, shows the
// shell's menu of a row, and what is chosen fills the playlist, plays and is stored back.
#include "Harness.h"

#include "framework/Text.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace zevrin::ui {
namespace {

constexpr int kTree = 1019, kFilter = 1022, kPrompt = 1023, kSubfolders = 1030;
constexpr int kBigCount = 3000;
constexpr wchar_t kSettings[] = L"Software\\Tresk\\Zevrin\\Settings";

std::wstring TestTree() {
    std::wstring path = fw::FromCodePage(ZEVRIN_UI_FOLDERS, CP_UTF8) + L"\\tree";
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// Memory inside the program, for the tree messages that carry pointers.
class RemoteMemory {
public:
    RemoteMemory(HWND window, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (process_) base_ = static_cast<BYTE*>(VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteMemory() {
        if (base_) VirtualFreeEx(process_.Get(), base_, 0, MEM_RELEASE);
    }
    BYTE* At(size_t offset) const { return base_ + offset; }
    bool Write(size_t offset, const void* data, size_t n) const {
        return base_ && offset + n <= size_ && WriteProcessMemory(process_.Get(), At(offset), data, n, nullptr);
    }
    bool Read(size_t offset, void* data, size_t n) const {
        return base_ && offset + n <= size_ && ReadProcessMemory(process_.Get(), At(offset), data, n, nullptr);
    }

private:
    fw::UniqueKernelHandle process_;
    BYTE* base_ = nullptr;
    size_t size_;
};

// The program's tree control, read from outside.
class RemoteTree {
public:
    explicit RemoteTree(HWND tree) : tree_(tree), memory_(tree, 4096) {}

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 60000) const {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(tree_, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result)) return 0;
        return static_cast<LRESULT>(result);
    }
    // Whether the program's thread answers within a moment (it does not while it reads a folder).
    bool Answers() const {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(tree_, WM_NULL, 0, 0, SMTO_NORMAL, 20, &result) != 0;
    }
    HTREEITEM Next(HTREEITEM item, UINT how) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM Selection() const { return Next(nullptr, TVGN_CARET); }
    std::vector<HTREEITEM> Children(HTREEITEM item) const {
        std::vector<HTREEITEM> rows;
        for (HTREEITEM c = Next(item, TVGN_CHILD); c; c = Next(c, TVGN_NEXT)) rows.push_back(c);
        return rows;
    }
    TVITEMW Item(HTREEITEM item, UINT mask, std::wstring* text = nullptr) const {
        constexpr size_t kTextAt = 256, kChars = 260;
        TVITEMW tv{};
        tv.mask = mask | (text ? TVIF_TEXT : 0);
        tv.hItem = item;
        tv.pszText = reinterpret_cast<wchar_t*>(memory_.At(kTextAt));
        tv.cchTextMax = kChars;
        memory_.Write(0, &tv, sizeof(tv));
        Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory_.At(0)));
        memory_.Read(0, &tv, sizeof(tv));
        if (text) {
            wchar_t buffer[kChars] = L"";
            memory_.Read(kTextAt, buffer, sizeof(buffer));
            buffer[kChars - 1] = 0;
            *text = buffer;
        }
        return tv;
    }
    std::wstring Text(HTREEITEM item) const {
        std::wstring text;
        Item(item, 0, &text);
        return text;
    }
    HTREEITEM ChildNamed(HTREEITEM item, const std::wstring& name) const {
        for (HTREEITEM c : Children(item))
            if (Text(c) == name) return c;
        return nullptr;
    }
    void Expand(HTREEITEM item) const { Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }
    void Select(HTREEITEM item) const { Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); }
    RECT ItemRect(HTREEITEM item) const {
        RECT rc{};
        std::memcpy(&rc, &item, sizeof(item));  // the message takes the item in the rectangle
        memory_.Write(0, &rc, sizeof(rc));
        Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(memory_.At(0)));
        memory_.Read(0, &rc, sizeof(rc));
        return rc;
    }

private:
    HWND tree_;
    RemoteMemory memory_;
};

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
    return text;
}

RECT RectIn(HWND parent, HWND control) {
    RECT rc{};
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool IsProgressBlue(COLORREF c) { return GetRValue(c) < 30 && GetGValue(c) > 100 && GetGValue(c) < 160 && GetBValue(c) > 220; }

class FolderDialogInProgram : public testing::Test {
protected:
    void SetUp() override {
        if (InstalledProgram().empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
        fw::RegKey::Create(HKEY_CURRENT_USER, kSettings).WriteString(L"FolderDialog.LastFolder", TestTree());
        ASSERT_TRUE(app.Start(L""));
        ASSERT_NE(app.WaitForFrame(), nullptr) << "no main window";
    }
    void TearDown() override { ResetProgramKeys(); }

    // Gives the command once and waits for the program's dialog.
    HWND OpenDialog(UINT command, const wchar_t* title) {
        app.Command(command);
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                dialog = FindWindowW(L"#32770", title);
                DWORD pid = 0, framePid = 0;
                GetWindowThreadProcessId(dialog, &pid);
                GetWindowThreadProcessId(app.Frame(), &framePid);
                return dialog && pid == framePid;
            },
            30000);
        return dialog;
    }

    ZevrinProcess app;
};

TEST_F(FolderDialogInProgram, OpenFolderReadsTheTreeAndPlaysWhatItChose) {
    HWND dialog = OpenDialog(ID_OPEN_FOLDER, L"Open Folder");
    ASSERT_NE(dialog, nullptr) << "no Open Folder dialog";
    RemoteTree tree(GetDlgItem(dialog, kTree));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kPrompt)), L"Open Folder to Play");

    // It starts on the stored folder, opened through the computer folder.
    HTREEITEM start = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (start = tree.Selection()) && tree.Text(start) == L"tree"; }, 30000))
        << "selected: " << Utf8(tree.Text(tree.Selection()));

    // The filter box offers the phone patterns first and every file second.
    HWND box = GetDlgItem(dialog, kFilter);
    HWND edit = reinterpret_cast<HWND>(SendMessageW(box, CBEM_GETEDITCONTROL, 0, 0));
    EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(TextOf(edit), L"*.3gp;*.3g2");
    SendMessageW(box, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(TextOf(edit), L"*.*");
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, kSubfolders), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // The big folder: while it is read the busy row's bar shows, then 3000 sorted rows.
    tree.Expand(start);
    HTREEITEM big = tree.ChildNamed(start, L"big");
    HTREEITEM empty = tree.ChildNamed(start, L"empty");
    ASSERT_TRUE(big && empty);
    RECT treeOnScreen = app.ScreenRectOf(GetDlgItem(dialog, kTree));
    PostMessageW(GetDlgItem(dialog, kTree), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(big));
    bool sawBar = false;
    DWORD began = GetTickCount();
    while (GetTickCount() - began < 60000) {
        ScreenShot shot(treeOnScreen);
        for (int y = treeOnScreen.top; y < treeOnScreen.bottom && !sawBar; y += 2)
            for (int x = treeOnScreen.left; x < treeOnScreen.right && !sawBar; ++x) sawBar = IsProgressBlue(shot.At(x, y));
        if (GetTickCount() - began > 300 && tree.Answers()) break;
    }
    EXPECT_TRUE(sawBar) << "no progress bar while the folder was read";
    std::vector<HTREEITEM> rows = tree.Children(big);
    ASSERT_EQ(rows.size(), size_t(kBigCount));
    std::wstring previous;
    for (size_t i = 0; i < rows.size(); i += 97) {
        std::wstring name = tree.Text(rows[i]);
        EXPECT_LT(previous, name) << i;
        previous = name;
    }
    EXPECT_EQ(tree.Text(rows.front()), L"d0000");
    EXPECT_EQ(tree.Text(rows.back()), L"d2999");

    // An empty folder on a fixed disk loses its button once opened.
    EXPECT_EQ(tree.Item(empty, TVIF_CHILDREN).cChildren, 1);
    tree.Expand(empty);
    EXPECT_TRUE(tree.Children(empty).empty());
    if (GetDriveTypeW(TestTree().substr(0, 3).c_str()) == DRIVE_FIXED) {
        EXPECT_EQ(tree.Item(empty, TVIF_CHILDREN).cChildren, 0);
    }

    // Never smaller than 320 x 280; larger, everything keeps to the right and bottom edges.
    SetWindowPos(dialog, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT small{};
    GetWindowRect(dialog, &small);
    EXPECT_GE(small.right - small.left, 320);
    EXPECT_GE(small.bottom - small.top, 280);
    SetWindowPos(dialog, nullptr, 0, 0, 640, 520, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { RECT rc{}; GetWindowRect(dialog, &rc); return rc.right - rc.left == 640; }, 5000));
    RECT client{};
    GetClientRect(dialog, &client);
    RECT cancel = RectIn(dialog, GetDlgItem(dialog, IDCANCEL)), ok = RectIn(dialog, GetDlgItem(dialog, IDOK));
    RECT treeRect = RectIn(dialog, GetDlgItem(dialog, kTree)), filter = RectIn(dialog, box);
    EXPECT_EQ(cancel.right, client.right - 10);
    EXPECT_EQ(cancel.bottom, client.bottom - 10);
    EXPECT_EQ(ok.right, cancel.left - 6);
    EXPECT_EQ(treeRect.right, client.right - 10);
    EXPECT_EQ(filter.right, client.right - 10);
    EXPECT_LT(treeRect.bottom, filter.top);

    // The shell's menu of the selected row opens, and closes again without harm.
    tree.Select(big);
    RECT row = tree.ItemRect(big);
    POINT at{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ClientToScreen(GetDlgItem(dialog, kTree), &at);
    PostMessageW(GetDlgItem(dialog, kTree), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kTree)), MAKELPARAM(at.x, at.y));
    HWND menu = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, 10000))
        << "no context menu";
    if (menu) {
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, 10000));
    }
    EXPECT_TRUE(WaitUntil([&] { return tree.Answers(); }, 10000));
    EXPECT_TRUE(IsWindow(dialog));

    // "*.*" with sub-folders on the top folder: every clip of the tree, the first one playing.
    tree.Select(start);
    SendMessageW(GetDlgItem(dialog, kSubfolders), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return app.Title().rfind(L"a-first - 1/", 0) == 0; }, 30000)) << "title: " << Utf8(app.Title());
    // The title counts the items when an item starts: the next one shows all five (the text
    // file was tried and dropped).
    Sleep(5000);
    app.Command(ID_NEXT);
    EXPECT_TRUE(app.WaitForTitle(L"b-second - 2/5", 30000)) << "title: " << Utf8(app.Title());

    // Add Folder starts where Open Folder left the choice (Open Folder stores nothing), and what
    // it is given is stored back.
    HWND add = OpenDialog(ID_ADD_FOLDER, L"Add Folder");
    ASSERT_NE(add, nullptr) << "no Add Folder dialog";
    EXPECT_EQ(TextOf(GetDlgItem(add, kPrompt)), L"Add Folder to Playlist");
    RemoteTree addTree(GetDlgItem(add, kTree));
    ASSERT_TRUE(WaitUntil([&] { return (start = addTree.Selection()) && addTree.Text(start) == L"tree"; }, 30000));
    EXPECT_EQ(SendMessageW(GetDlgItem(add, kSubfolders), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    addTree.Expand(start);
    HTREEITEM clips = addTree.ChildNamed(start, L"clips");
    ASSERT_NE(clips, nullptr);
    addTree.Select(clips);
    SendMessageW(GetDlgItem(add, kSubfolders), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageW(add, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(add); }, 10000));
    // The phone patterns of the first choice took the one clip below "clips" once more.
    Sleep(3000);
    app.Command(ID_NEXT);
    EXPECT_TRUE(app.WaitForTitle(L"c-third - 3/6", 30000)) << "title: " << Utf8(app.Title());

    PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit(30000));
    auto settings = fw::RegKey::Open(HKEY_CURRENT_USER, kSettings);
    EXPECT_EQ(settings.ReadString(L"FolderDialog.LastFolder").value_or(L""), TestTree() + L"\\clips");
    EXPECT_EQ(settings.ReadDword(L"FolderDialog.ScanSubfolders").value_or(0), 1u);
}

} // namespace
} // namespace zevrin::ui
