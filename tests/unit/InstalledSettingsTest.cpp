// The installed Zevrin.exe as a user meets the settings: Tools > Settings opens the sheet with
// its three tabs, OK on the first page changes no association, History's limits and clear
// button, and ".play" files open with the program after any start.
#include "services/AppResources.h"
#include "framework/Registry.h"
#include "system/ClassesKeys.h"
#include "AssociationFixture.h"
#include "ProgramRunner.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kRoot[] = L"Software\\Tresk\\Zevrin";

// A visible dialog of the given process with the given title.
HWND FindDialogOf(DWORD pid, const wchar_t* title) {
    struct Search {
        DWORD pid;
        const wchar_t* title;
        HWND found;
    } search{pid, title, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t cls[16], text[64];
            GetClassNameW(hwnd, cls, 16);
            GetWindowTextW(hwnd, text, 64);
            if (owner != s->pid || wcscmp(cls, L"#32770") || wcscmp(text, s->title) || !IsWindowVisible(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class InstalledSettings : public AssociationTest {
protected:
    std::vector<std::wstring> Extensions() const override { return {L".play", L".mp4"}; }

    void SetUp() override {
        AssociationTest::SetUp();
        program_ = ProgramRunner::InstalledProgram();
        if (program_.empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        for (const wchar_t* sub : {L"\\Settings", L"\\Recent", L"\\FileTypes"})
            fw::RegKey::DeleteTree(HKEY_CURRENT_USER, std::wstring(kRoot) + sub);
    }

    HWND StartProgram() {
        EXPECT_TRUE(runner_.Start(program_, L""));
        HWND frame = runner_.WaitForWindow(30000);
        if (frame) GetWindowThreadProcessId(frame, &pid_);
        return frame;
    }
    HWND WaitForDialog(const wchar_t* title) {
        HWND found = nullptr;
        ProgramRunner::WaitUntil(10000, [&] { return (found = FindDialogOf(pid_, title)) != nullptr; });
        return found;
    }
    // Ends the program as the user does, so its settings are saved.
    void Exit(HWND frame) {
        PostMessageW(frame, WM_CLOSE, 0, 0);
        DWORD code = 0;
        EXPECT_TRUE(runner_.WaitForExit(10000, code));
    }

    std::wstring program_;
    ProgramRunner runner_;
    DWORD pid_ = 0;
};

TEST_F(InstalledSettings, PlaylistFilesOpenWithTheProgramAfterAnyStart) {
    // "/Register" registers the type and ends the program.
    ASSERT_TRUE(runner_.Start(program_, L"/Register"));
    DWORD code = 0;
    ASSERT_TRUE(runner_.WaitForExit(30000, code));
    EXPECT_EQ(DefaultOf(L".play"), L"Tresk.Zevrin.play");
    DeleteClassKey(L".play");

    HWND frame = StartProgram();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(DefaultOf(L".play"), L"Tresk.Zevrin.play");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.play\\shell\\open\\command"), L"\"" + program_ + L"\" \"%1\"");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.play\\DefaultIcon"), program_ + L",1");
    Exit(frame);

    // What "start" does with a playlist file: the shell's open verb starts the program.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring playlist = std::wstring(temp) + L"zevrin-open-test.play";
    HANDLE file = CreateFileW(playlist.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "<?xml version=\"1.0\"?>\n<Playlist/>\n", 34, &written, nullptr);
    CloseHandle(file);
    SHELLEXECUTEINFOW info{sizeof(info)};
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = playlist.c_str();
    info.nShow = SW_SHOW;
    ASSERT_TRUE(zevrin::test::KeepUpdateCheckOffline());
    ASSERT_TRUE(ShellExecuteExW(&info)) << "no program opens .play files";
    ASSERT_NE(info.hProcess, nullptr);
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    ASSERT_TRUE(QueryFullProcessImageNameW(info.hProcess, 0, image, &size));
    EXPECT_TRUE(fw::EqualsNoCase(image, program_)) << image;
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hProcess);
    DeleteFileW(playlist.c_str());
}

TEST_F(InstalledSettings, ToolsSettingsOpensThreeTabsAndOkOnGeneralTouchesNoAssociation) {
    SetDefault(L".mp4", L"Foreign.Player");
    HWND frame = StartProgram();
    ASSERT_NE(frame, nullptr);
    PostMessageW(frame, WM_COMMAND, ID_SETTINGS, 0);  // Tools > Settings...
    HWND sheet = WaitForDialog(L"Settings");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(SendMessageW(PropSheet_GetTabControl(sheet), TCM_GETITEMCOUNT, 0, 0), 3);
    HWND width = GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), IDC_THUMBNAIL_WIDTH);
    ASSERT_NE(width, nullptr);

    // 39 is refused with the message and the sheet stays; 40 goes through.
    SendMessageW(width, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"39"));
    PostMessageW(sheet, WM_COMMAND, IDOK, 0);
    HWND box = WaitForDialog(L"Zevrin");
    ASSERT_NE(box, nullptr);
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t part[128] = L"";
        SendMessageW(child, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(part));
        text += part;
    }
    EXPECT_NE(text.find(L"Please enter an integer between 40 and 400."), std::wstring::npos) << text;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ProgramRunner::WaitUntil(5000, [&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindowVisible(sheet));
    SendMessageW(width, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"40"));
    PostMessageW(sheet, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ProgramRunner::WaitUntil(5000, [&] { return !IsWindow(sheet); }));
    Exit(frame);

    EXPECT_EQ(DefaultOf(L".mp4"), L"Foreign.Player");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.mp4"), L"<missing>");
    auto settings = fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings");
    EXPECT_EQ(settings.ReadDword(L"Thumbnail.cx").value_or(0), 40u);
}

TEST_F(InstalledSettings, HistoryRefuses31AndClearsTheRecentFilesAtOnce) {
    fw::RegKey::Create(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Recent\\Files").WriteString(L"01", L"C:\\clip.3gp");
    HWND frame = StartProgram();
    ASSERT_NE(frame, nullptr);
    PostMessageW(frame, WM_COMMAND, ID_SETTINGS, 0);
    HWND sheet = WaitForDialog(L"Settings");
    ASSERT_NE(sheet, nullptr);
    SendMessageW(sheet, PSM_SETCURSEL, 2, 0);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    HWND files = GetDlgItem(page, IDC_MAX_RECENT_FILES);
    ASSERT_NE(files, nullptr);
    SendMessageW(files, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"31"));
    PostMessageW(sheet, WM_COMMAND, IDOK, 0);
    HWND box = WaitForDialog(L"Zevrin");
    ASSERT_NE(box, nullptr) << "31 was accepted";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ProgramRunner::WaitUntil(5000, [&] { return !IsWindow(box); }));

    // Clear acts at once: Cancel afterwards does not bring the list back.
    SendMessageW(GetDlgItem(page, IDC_CLEAR_RECENT_FILES), BM_CLICK, 0, 0);
    PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ProgramRunner::WaitUntil(5000, [&] { return !IsWindow(sheet); }));
    Exit(frame);
    auto recent = fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Recent\\Files");
    EXPECT_FALSE(recent.ReadString(L"01"));
    auto settings = fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings");
    EXPECT_EQ(settings.ReadDword(L"MaxRecentFiles").value_or(0), 10u);
}

TEST_F(InstalledSettings, CheckingMp4MakesItOpenWithTheProgramAndUncheckingGivesItBack) {
    SetDefault(L".mp4", L"Foreign.Player");
    HWND frame = StartProgram();
    ASSERT_NE(frame, nullptr);
    // The row of .mp4 (the fourth of the default table) is toggled from the keyboard.
    auto toggleMp4 = [&] {
        PostMessageW(frame, WM_COMMAND, ID_SETTINGS, 0);
        HWND sheet = WaitForDialog(L"Settings");
        if (!sheet) return false;
        SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
        HWND list = GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), IDC_FILE_TYPE_LIST);
        SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
        for (int i = 0; i < 3; ++i) SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageW(sheet, WM_COMMAND, IDOK, 0);
        return ProgramRunner::WaitUntil(5000, [&] { return !IsWindow(sheet); });
    };
    ASSERT_TRUE(toggleMp4());
    EXPECT_EQ(DefaultOf(L".mp4"), L"Tresk.Zevrin.mp4");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.mp4\\shell\\open\\command"), L"\"" + program_ + L"\" \"%1\"");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.mp4\\DefaultIcon"), program_ + L",2");
    EXPECT_EQ(fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\FileTypes\\.mp4").ReadString(L".mp4").value_or(L""),
              L"Foreign.Player");

    // What "start clip.mp4" does: the shell's open verb starts the program with the file.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring clip = std::wstring(temp) + L"zevrin-open-test.mp4";
    CloseHandle(CreateFileW(clip.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    SHELLEXECUTEINFOW info{sizeof(info)};
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = clip.c_str();
    info.nShow = SW_SHOW;
    ASSERT_TRUE(zevrin::test::KeepUpdateCheckOffline());
    EXPECT_TRUE(ShellExecuteExW(&info));
    if (info.hProcess) {
        wchar_t image[MAX_PATH];
        DWORD size = MAX_PATH;
        EXPECT_TRUE(QueryFullProcessImageNameW(info.hProcess, 0, image, &size));
        EXPECT_TRUE(fw::EqualsNoCase(image, program_)) << image;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
    }
    DeleteFileW(clip.c_str());

    ASSERT_TRUE(toggleMp4());
    EXPECT_EQ(DefaultOf(L".mp4"), L"Foreign.Player");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.mp4"), L"<missing>");
    Exit(frame);
}

} // namespace
