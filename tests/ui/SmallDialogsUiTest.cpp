// The small dialogs of the installed program as a user meets them: Open URL with its example
// link and a URL this test serves, Add URLs with a blank and a padded line, About with its
// links turning red and underlined under the mouse; and the Transparent command.
#include "Harness.h"

#include "services/AppInfo.h"
#include "framework/Text.h"
#include "playlist/PlaylistFile.h"
#include "../unit/LocalHttpServer.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>

namespace zevrin::ui {
namespace {

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(fw::ToCodePage(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

HWND WaitForDialog(const wchar_t* title) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindWindowW(L"#32770", title)) != nullptr && IsWindowVisible(dialog); }, 10000);
    return dialog;
}

// Edit and combo boxes keep their text in the owning process: asked for with WM_GETTEXT.
std::wstring TextOf(HWND hwnd) {
    wchar_t text[1024] = L"";
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &result);
    return text;
}

void SetTextOf(HWND hwnd, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
}

bool IsLinkBlue(COLORREF c) { return GetBValue(c) > 180 && GetRValue(c) < 100 && GetGValue(c) < 100; }
bool IsLinkRed(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 100 && GetBValue(c) < 100; }

// How a link shows: its blue and red pixels, and the longest run of red in one row (the
// underline runs under the whole text).
struct LinkLook {
    int blue = 0, red = 0, longestRedRow = 0;
};

LinkLook LookOf(const RECT& rc) {
    ScreenShot shot(rc);
    LinkLook look;
    for (int y = rc.top; y < rc.bottom; ++y) {
        int row = 0;
        for (int x = rc.left; x < rc.right; ++x) {
            COLORREF c = shot.At(x, y);
            look.blue += IsLinkBlue(c);
            if (IsLinkRed(c)) ++look.red, ++row;
        }
        look.longestRedRow = std::max(look.longestRedRow, row);
    }
    return look;
}

// The rows of a static's text: from the first row with dark pixels to the last.
int InkHeight(const RECT& rc) {
    ScreenShot shot(rc);
    int first = -1, last = -1;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            COLORREF c = shot.At(x, y);
            if (GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    return first < 0 ? 0 : last - first + 1;
}

bool ProbeRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{sizeof(entry)};
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        found = _wcsicmp(entry.szExeFile, L"Quorrin.exe") == 0;
    CloseHandle(snapshot);
    return found;
}

// The loader probes the queued URLs one after the other; it is done once no probe has run for
// a while.
bool WaitForProbesToEnd(DWORD timeoutMs) {
    DWORD quietSince = GetTickCount();
    return WaitUntil([&] {
        if (ProbeRunning()) quietSince = GetTickCount();
        return GetTickCount() - quietSince > 2000;
    }, timeoutMs);
}

class SmallDialogsUi : public testing::Test {
protected:
    void SetUp() override {
        if (InstalledProgram().empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
        PresetSetting(L"Volume", 0);
        DeleteFileW(DefaultPlaylist().c_str());
        ASSERT_TRUE(app.Start(L""));
        ASSERT_NE(app.WaitForFrame(), nullptr);
    }
    void TearDown() override {
        if (app.Frame()) PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
        app.WaitForExit(15000);
        DeleteFileW(DefaultPlaylist().c_str());
        ResetProgramKeys();
    }
    static std::wstring DefaultPlaylist() { return UserDataFolder() + L"\\Default.play"; }

    ZevrinProcess app;
};

TEST_F(SmallDialogsUi, OpenUrlPlaysAServedClipAndAddUrlsAddsTheTwoNonBlankLines) {
    test::LocalHttpServer server(ReadAll(UiClip(L"harbour.3gp")));
    ASSERT_NE(server.Port(), 0);
    const std::wstring clipUrl = fw::Format(L"http://127.0.0.1:%d/harbour.3gp", server.Port());

    app.Command(ID_OPEN_URL);
    HWND dialog = WaitForDialog(L"Open URL");
    ASSERT_NE(dialog, nullptr) << "no Open URL dialog";
    HWND link = GetDlgItem(dialog, IDC_EXAMPLE_LINK);
    HWND box = GetDlgItem(dialog, IDC_URL_BOX);
    EXPECT_EQ(TextOf(link), kExampleMediaUrl);
    app.Click(link, {3, 3});
    EXPECT_TRUE(WaitUntil([&] { return TextOf(box) == kExampleMediaUrl; }, 5000)) << "box: " << Utf8(TextOf(box));
    SetTextOf(box, clipUrl);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(app.WaitForTitle(L"harbour - 1/1", 30000)) << "title: " << Utf8(app.Title());
    EXPECT_TRUE(WaitUntil([&] { return app.PictureShows(); }, 20000)) << "the served clip does not play";

    app.Command(ID_ADD_URLS);
    dialog = WaitForDialog(L"Add URLs");
    ASSERT_NE(dialog, nullptr) << "no Add URLs dialog";
    const std::wstring second = fw::Format(L"http://127.0.0.1:%d/second.3gp", server.Port());
    const std::wstring third = fw::Format(L"http://127.0.0.1:%d/third.3gp", server.Port());
    SetTextOf(GetDlgItem(dialog, IDC_URLS_BOX), second + L"\r\n\r\n    " + third + L"   ");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
    Sleep(500);
    ASSERT_TRUE(WaitForProbesToEnd(30000));

    // What the playlist holds is what the program keeps at exit.
    PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit(60000));
    CPlaylistFileList kept;
    ASSERT_EQ(CPlayPlaylistFile().Read(DefaultPlaylist(), kept), 0);
    ASSERT_EQ(kept.entries.size(), 3u);
    EXPECT_EQ(kept.entries[0]->path, clipUrl);
    EXPECT_EQ(kept.entries[1]->path, second);
    EXPECT_EQ(kept.entries[2]->path, third);
    // The opened URL heads the drop-down next time.
    auto recent = fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRegistryRoot) + L"\\Recent\\Urls").ReadString(L"01");
    EXPECT_EQ(recent.value_or(L""), clipUrl);
}

TEST_F(SmallDialogsUi, AboutShowsNameVersionAndLinksThatTurnRedUnderTheMouse) {
    app.Command(ID_APP_ABOUT);
    HWND dialog = WaitForDialog(L"About Zevrin");
    ASSERT_NE(dialog, nullptr) << "no About Zevrin dialog";
    HWND name = GetDlgItem(dialog, IDC_ABOUT_NAME), version = GetDlgItem(dialog, IDC_ABOUT_VERSION);
    HWND web = GetDlgItem(dialog, IDC_ABOUT_WEB_LINK), mail = GetDlgItem(dialog, IDC_ABOUT_MAIL_LINK);
    EXPECT_EQ(TextOf(name), kAppName);
    EXPECT_EQ(TextOf(version), L"Version 3.0.0");
    EXPECT_EQ(TextOf(web), kHomePage);
    EXPECT_EQ(TextOf(mail), kSupportAddress);
    Sleep(300);
    int nameHeight = InkHeight(app.ScreenRectOf(name)), versionHeight = InkHeight(app.ScreenRectOf(version));
    EXPECT_GT(nameHeight, versionHeight) << "the name is not in the large font";

    for (HWND link : {web, mail}) {
        RECT rc = app.ScreenRectOf(link);
        LinkLook before = LookOf(rc);
        EXPECT_GT(before.blue, 20);
        EXPECT_EQ(before.red, 0);
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        PostMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        LinkLook over;
        EXPECT_TRUE(WaitUntil([&] { over = LookOf(rc); return over.red > 20 && over.blue == 0; }, 5000))
            << "under the mouse: red " << over.red << ", blue " << over.blue;
        EXPECT_GT(over.longestRedRow, (rc.right - rc.left) * 3 / 4) << "no underline";

        SetCursorPos(1, 1);
        LinkLook after;
        EXPECT_TRUE(WaitUntil([&] { after = LookOf(rc); return after.red == 0 && after.blue > 20; }, 5000))
            << "after leaving: red " << after.red << ", blue " << after.blue;
        EXPECT_LT(after.longestRedRow, 1);
        EXPECT_EQ(after.blue, before.blue) << "the plain look comes back exactly";
    }
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
}

TEST_F(SmallDialogsUi, TransparentAddsAndRemovesTheLayeredStyleAndRepaints) {
    auto layered = [&] { return (GetWindowLongW(app.Frame(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
    EXPECT_FALSE(layered());
    Sleep(500);
    RECT frame{};
    GetWindowRect(app.Frame(), &frame);
    ScreenShot opaque(frame);
    ASSERT_GT(opaque.LitCount(), 0);

    app.Command(ID_TRANSPARENT);
    EXPECT_TRUE(WaitUntil(layered, 5000)) << "Transparent on: no layered style";
    app.Command(ID_TRANSPARENT);
    EXPECT_TRUE(WaitUntil([&] { return !layered(); }, 5000)) << "Transparent off: still layered";
    EXPECT_TRUE(WaitUntil([&] { return ScreenShot(frame).SameAs(opaque); }, 5000)) << "not repainted as before";

    app.Command(ID_TRANSPARENT);
    ASSERT_TRUE(WaitUntil(layered, 5000));
    PostMessageW(app.Frame(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit(15000));
    EXPECT_EQ(SavedSetting(L"Transparent").value_or(0), 1u);
}

} // namespace
} // namespace zevrin::ui
