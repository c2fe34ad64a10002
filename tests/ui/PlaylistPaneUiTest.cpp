// The playlist's commands that go through the mouse and the file dialogs, in the installed
// program: Save and Load, the pane's context menu, the control bar's tooltips and the divider
// between the docked panes.
#include "Harness.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zevrin::ui {
namespace {

constexpr int kFileNameEdit = 0x480;   // edt1 of the common file dialog
constexpr int kFileNameCombo = 0x47c;  // cmb13, where a dialog has it instead
constexpr int kFilterCombo = 0x470;    // cmb1

// The mouse itself, through the input queue, at a point of the screen.
void MouseAt(POINT screen, DWORD buttons = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | buttons;
    SendInput(1, &in, sizeof(in));
    Sleep(60);
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class PlaylistPaneUi : public testing::Test {
protected:
    void SetUp() override {
        if (InstalledProgram().empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::filesystem::path(temp) / L"zevrin-playlist-ui";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        ResetProgramKeys();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void Start(const std::wstring& arguments) {
        ASSERT_TRUE(app.Start(arguments));
        ASSERT_NE(app.WaitForFrame(), nullptr) << "no main window";
    }
    std::wstring ThreeClips() const {
        return L"\"" + UiClip(L"one.3gp") + L"\" \"" + UiClip(L"two.3gp") + L"\" \"" + UiClip(L"three.3gp") + L"\"";
    }
    // A visible top-level window of the program's with this class (and title, when given).
    HWND ProgramWindow(const wchar_t* cls, const wchar_t* title = nullptr) const {
        DWORD pid = 0;
        GetWindowThreadProcessId(app.Frame(), &pid);
        for (HWND h = FindWindowExW(nullptr, nullptr, cls, title); h; h = FindWindowExW(nullptr, h, cls, title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner == pid && IsWindowVisible(h)) return h;
        }
        return nullptr;
    }
    HWND WaitForProgramWindow(const wchar_t* cls, const wchar_t* title = nullptr) const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = ProgramWindow(cls, title)) != nullptr; }, 10000);
        return found;
    }
    // Answers the open file dialog with `name`, after choosing filter `filterIndex` (0-based);
    // says what went wrong, empty when the dialog took the name and closed.
    std::string AnswerFileDialog(const std::wstring& name, int filterIndex = -1) const {
        HWND dialog = WaitForProgramWindow(L"#32770");
        if (!dialog) return "no file dialog";
        Sleep(300);
        if (filterIndex >= 0) {
            HWND combo = GetDlgItem(dialog, kFilterCombo);
            SendMessageW(combo, CB_SETCURSEL, filterIndex, 0);
            for (WORD note : {CBN_SELCHANGE, CBN_SELENDOK})  // the dialog takes the choice on either
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFilterCombo, note), reinterpret_cast<LPARAM>(combo));
        }
        HWND edit = GetDlgItem(dialog, kFileNameEdit);
        if (!edit) edit = GetDlgItem(dialog, kFileNameCombo);
        if (!edit || !SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()))) {
            std::string ids;
            for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                ids += std::to_string(GetDlgCtrlID(c)) + " ";
            return "no file name field among " + ids;
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        if (!WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000)) return "the dialog stayed";
        return "";
    }

    std::string Listing() const {
        std::string names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) names += entry.path().filename().string() + " ";
        return names;
    }

    ZevrinProcess app;
    std::filesystem::path folder_;
};

// Save: a name without extension gets the chosen filter's, ".pls" for the second and ".m3u"
// otherwise. Load replaces the playlist with the file's entries and plays the first.
TEST_F(PlaylistPaneUi, SaveWritesTheListInTheChosenFormatAndLoadBringsItBack) {
    Start(ThreeClips());
    ASSERT_TRUE(app.WaitForTitle(L"one - 1/3", 40000)) << Utf8(app.Title());
    app.Command(ID_STOP);
    ASSERT_TRUE(app.WaitForTitle(L"Zevrin", 10000));

    app.Command(ID_SAVE_PLAYLIST);
    ASSERT_EQ("", AnswerFileDialog((folder_ / L"saved").wstring(), 1));
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(folder_ / L"saved.pls"); }, 5000))
        << "no saved.pls among: " << Listing();
    const std::string pls = ReadText(folder_ / L"saved.pls");
    EXPECT_NE(pls.find("[Playlist]"), std::string::npos) << pls;
    EXPECT_NE(pls.find("NumberOfEntries=3"), std::string::npos) << pls;
    EXPECT_LT(pls.find("one.3gp"), pls.find("two.3gp")) << pls;
    EXPECT_LT(pls.find("two.3gp"), pls.find("three.3gp")) << pls;

    app.Command(ID_SAVE_PLAYLIST);
    ASSERT_EQ("", AnswerFileDialog((folder_ / L"list").wstring()));
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(folder_ / L"list.m3u"); }, 5000)) << "no list.m3u";
    EXPECT_NE(ReadText(folder_ / L"list.m3u").find("three.3gp"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder_ / L"list"));

    app.Command(ID_REMOVE_ALL);
    Sleep(500);
    app.Command(ID_LOAD_PLAYLIST);
    ASSERT_EQ("", AnswerFileDialog((folder_ / L"saved.pls").wstring()));
    EXPECT_TRUE(app.WaitForTitle(L"one - 1/3", 30000)) << "the loaded list did not play: " << Utf8(app.Title());
}

// Docked, list style: a right click on the third row selects it and opens the pane's menu,
// whose "Remove" takes that row away and leaves the playing clip alone.
TEST_F(PlaylistPaneUi, TheContextMenuActsOnTheRowUnderThePointer) {
    PresetSetting(L"Layout", 1);
    PresetSetting(L"ViewStyle", 2);
    Start(L"\"" + UiClip(L"harbour.3gp") + L"\" \"" + UiClip(L"one.3gp") + L"\" \"" + UiClip(L"two.3gp") + L"\"");
    ASSERT_TRUE(app.WaitForTitle(L"harbour - 1/3", 40000)) << Utf8(app.Title());
    ASSERT_TRUE(IsWindowVisible(app.Pane(1)));
    POINT row{40, 2 * 20 + 10};  // rows of 20 pixels from the top
    ClientToScreen(app.Pane(1), &row);
    MouseAt(row);
    MouseAt(row, MOUSEEVENTF_RIGHTDOWN);
    MouseAt(row, MOUSEEVENTF_RIGHTUP);
    HWND popup = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (popup = app.OpenPopupMenu()) != nullptr; }, 5000)) << "no context menu";
    Sleep(300);
    // Play, Add Files, Add Folder, Add URLs, Remove: separators are skipped.
    for (int i = 0; i < 5; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(app.WaitForTitle(L"harbour - 1/2", 10000)) << Utf8(app.Title());
    EXPECT_TRUE(app.PictureMoves()) << "the playing clip was disturbed";
    app.Command(ID_NEXT);  // what is left after the playing clip is the second row, "one"
    EXPECT_TRUE(app.WaitForTitle(L"one - 2/2", 10000)) << Utf8(app.Title());
}

// Resting the pointer on a control bar button shows its name and key.
TEST_F(PlaylistPaneUi, ControlBarButtonsShowTheirNameAndKeyInATooltip) {
    Start(L"");
    HWND bar = app.ControlBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(bar); }, 5000));
    auto tipAt = [&](POINT client) {
        POINT away{client.x, client.y - 200};
        ClientToScreen(bar, &away);
        MouseAt(away);
        ClientToScreen(bar, &client);
        MouseAt(client);
        MouseAt({client.x + 1, client.y});
        std::wstring text;
        WaitUntil([&] {
            HWND tip = ProgramWindow(L"tooltips_class32");
            wchar_t buffer[128] = L"";
            if (tip) SendMessageTimeoutW(tip, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 1000, nullptr);
            text = buffer;
            return !text.empty();
        }, 5000);
        return text;
    };
    EXPECT_EQ(tipAt({25, 15}), L"Play/Pause (Ctrl+P)");  // the first gadget, 50 wide
    EXPECT_EQ(tipAt({50 + 16, 15}), L"Stop (Ctrl+S)");
}

// Docked, the divider column between the panes moves with the mouse, no further than half the
// window; a double click on it gives the playlist its first width again.
TEST_F(PlaylistPaneUi, DraggingTheDividerResizesThePanesWithinHalfTheWindow) {
    PresetSetting(L"Layout", 1);
    Start(L"");
    HWND display = app.Pane(0), playlist = app.Pane(1);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(display) && IsWindowVisible(playlist); }, 10000));
    const RECT container = app.ScreenRectOf(app.Container());
    const RECT first = app.ScreenRectOf(playlist);
    const int firstWidth = first.right - first.left;
    auto drag = [&](int fromX, int toX) {
        const int y = (container.top + container.bottom) / 2;
        MouseAt({fromX, y});
        MouseAt({fromX, y}, MOUSEEVENTF_LEFTDOWN);
        MouseAt({(fromX + toX) / 2, y});
        MouseAt({toX, y});
        MouseAt({toX, y}, MOUSEEVENTF_LEFTUP);
    };
    auto playlistLeft = [&] { return app.ScreenRectOf(playlist).left; };

    drag(first.left - 1, first.left - 81);
    ASSERT_TRUE(WaitUntil([&] { return playlistLeft() == first.left - 80; }, 5000)) << playlistLeft();
    EXPECT_EQ(app.ScreenRectOf(display).right, first.left - 81);  // one divider column between

    const int half = (container.right - container.left) / 2;
    drag(playlistLeft() - 1, container.left + 10);
    EXPECT_TRUE(WaitUntil([&] { return playlistLeft() == container.right - half; }, 5000)) << playlistLeft();

    const POINT divider{playlistLeft() - 1, (container.top + container.bottom) / 2};
    MouseAt(divider);
    for (DWORD click : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        MouseAt(divider, click);
    EXPECT_TRUE(WaitUntil([&] { return app.ScreenRectOf(playlist).right - playlistLeft() == firstWidth; }, 5000))
        << "width " << app.ScreenRectOf(playlist).right - playlistLeft() << ", first " << firstWidth;
}

} // namespace
} // namespace zevrin::ui
