// The update check through the installed program, with "UpdateURL" pointing at a server the
// test runs: what a manual check shows for each answer, and the silent automatic check.
#include "framework/Registry.h"
#include "update/UpdateCheck.h"
#include "ProgramRunner.h"
#include "ScriptedHttpServer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <ctime>
#include <vector>

using zevrin::test::HttpReply;
using zevrin::test::ScriptedHttpServer;

namespace {

constexpr wchar_t kSettings[] = L"Software\\Tresk\\Zevrin\\Settings";
constexpr UINT kCheckForUpdates = 32834;

std::string Updates(const std::string& version, const std::string& url) {
    return "<?xml version=\"1.0\"?>\n<Updates>\n <Application Version=\"" + version + "\" Level=\"1\">\n  <URL>" + url +
           "</URL>\n  <Description>Faster thumbnails.\\nFixes for playlists.</Description>\n </Application>\n</Updates>\n";
}

// Asked of the control itself: the system's copy of another process's window text does not
// follow an edit control's contents.
std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

// The dialogs and message boxes the program shows.
std::vector<HWND> ProgramDialogs(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            wchar_t cls[32] = L"";
            GetWindowThreadProcessId(hwnd, &owner);
            GetClassNameW(hwnd, cls, 32);
            if (owner == s->pid && IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770") s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// All static texts of a dialog, one after the other: what a message box says.
std::wstring StaticTexts(HWND dialog) {
    std::wstring all;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM lp) -> BOOL {
            wchar_t cls[32] = L"";
            GetClassNameW(child, cls, 32);
            if (_wcsicmp(cls, L"Static") == 0) *reinterpret_cast<std::wstring*>(lp) += TextOf(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

class UpdateProgramTest : public testing::Test {
protected:
    void SetUp() override {
        program_ = ProgramRunner::InstalledProgram();
        if (program_.empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        fw::RegKey::DeleteTree(HKEY_CURRENT_USER, kSettings);
    }
    void TearDown() override {
        if (frame_) {
            PostMessageW(frame_, WM_CLOSE, 0, 0);
            DWORD code = 0;
            runner_.WaitForExit(10000, code);
        }
        fw::RegKey::DeleteTree(HKEY_CURRENT_USER, kSettings);
    }

    void Configure(const ScriptedHttpServer& server, bool autoCheck) {
        auto key = fw::RegKey::Create(HKEY_CURRENT_USER, kSettings);
        key.WriteString(L"UpdateURL", server.WideUrl());
        key.WriteDword(L"AutoCheckUpdate", autoCheck ? 1 : 0);
        key.WriteDword(L"AutoCheckUpdate.Every", 7);
    }
    void Start() {
        ASSERT_TRUE(runner_.Start(program_, L""));
        frame_ = runner_.WaitForWindow(30000);
        ASSERT_NE(frame_, nullptr);
        GetWindowThreadProcessId(frame_, &pid_);
    }
    // The first dialog of the program for which `match` holds, waited for.
    template <class Match>
    HWND WaitForDialog(Match match, DWORD timeoutMs = 15000) const {
        HWND found = nullptr;
        ProgramRunner::WaitUntil(timeoutMs, [&] {
            for (HWND hwnd : ProgramDialogs(pid_))
                if (match(hwnd)) found = hwnd;
            return found != nullptr;
        });
        return found;
    }
    HWND WaitForMessage(const std::wstring& text) const {
        return WaitForDialog([&](HWND hwnd) { return StaticTexts(hwnd).find(text) != std::wstring::npos; });
    }
    void Dismiss(HWND dialog, UINT command) const {
        PostMessageW(dialog, WM_COMMAND, command, 0);
        EXPECT_TRUE(ProgramRunner::WaitUntil(5000, [&] { return !IsWindow(dialog); }));
    }
    static int64_t LastUpdateCheck() {
        return fw::RegKey::Open(HKEY_CURRENT_USER, kSettings).ReadDword(L"LastUpdateCheck").value_or(0);
    }

    std::wstring program_;
    ProgramRunner runner_;
    HWND frame_ = nullptr;
    DWORD pid_ = 0;
};

} // namespace

TEST_F(UpdateProgramTest, AManualCheckShowsTheNewVersionTheNewestMessageOrTheFailure) {
    HttpReply reply = HttpReply::Ok(Updates("3.1.0", "https://www.tresk.com/zevrin/download.html"));
    ScriptedHttpServer server([&](const std::string&) { return reply; });
    Configure(server, false);
    Start();

    PostMessageW(frame_, WM_COMMAND, kCheckForUpdates, 0);
    HWND offer = WaitForDialog([](HWND hwnd) { return GetDlgItem(hwnd, 1108) != nullptr; });
    ASSERT_NE(offer, nullptr) << "no new-version dialog";
    EXPECT_EQ(TextOf(offer), L"Zevrin");
    EXPECT_EQ(TextOf(GetDlgItem(offer, 1023)), L"A newer version of Zevrin is available:");
    EXPECT_EQ(TextOf(GetDlgItem(offer, 1027)), L"3.1.0");
    EXPECT_EQ(TextOf(GetDlgItem(offer, 1108)), L"Your version is 3.0.0.");
    EXPECT_EQ(TextOf(GetDlgItem(offer, 1001)), L"Faster thumbnails.\r\nFixes for playlists.");
    EXPECT_EQ(SendDlgItemMessageW(offer, 1001, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(TextOf(GetDlgItem(offer, 1002)), L"Learn more about the new version");
    EXPECT_EQ(TextOf(GetDlgItem(offer, IDOK)), L"Download New Version");
    EXPECT_NEAR(static_cast<double>(LastUpdateCheck()), static_cast<double>(_time64(nullptr)), 120.0);
    Dismiss(offer, IDCANCEL);

    reply = HttpReply::Ok(Updates("3.0.0", "https://www.tresk.com/zevrin/download.html"));
    PostMessageW(frame_, WM_COMMAND, kCheckForUpdates, 0);
    HWND newest = WaitForMessage(L"You are already using the newest version.");
    ASSERT_NE(newest, nullptr);
    Dismiss(newest, IDOK);

    // A file naming a local program as the download is refused like a broken one.
    reply = HttpReply::Ok(Updates("9.0.0", "file:///C:/windows/notepad.exe"));
    PostMessageW(frame_, WM_COMMAND, kCheckForUpdates, 0);
    HWND refused = WaitForMessage(L"Failed to get update information!");
    ASSERT_NE(refused, nullptr);
    Dismiss(refused, IDOK);

    reply = HttpReply{.dropConnection = true};
    PostMessageW(frame_, WM_COMMAND, kCheckForUpdates, 0);
    HWND failed = WaitForMessage(L"Please check your internet connection");
    ASSERT_NE(failed, nullptr);
    Dismiss(failed, IDOK);

    // A server that goes silent: the progress dialog stays; asking again brings it forward
    // instead of opening a second one; Cancel ends the check and shows nothing.
    reply = HttpReply{.body = Updates("9.0.0", "https://www.tresk.com/"), .stallAfter = 10};
    PostMessageW(frame_, WM_COMMAND, kCheckForUpdates, 0);
    auto isProgress = [](HWND hwnd) { return GetDlgItem(hwnd, 1099) != nullptr; };
    HWND progress = WaitForDialog(isProgress);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(progress, 1023)), L"Checking for updates...");
    PostMessageW(frame_, WM_COMMAND, kCheckForUpdates, 0);
    Sleep(1000);
    int progressDialogs = 0;
    for (HWND hwnd : ProgramDialogs(pid_)) progressDialogs += isProgress(hwnd) ? 1 : 0;
    EXPECT_EQ(progressDialogs, 1);
    Dismiss(progress, IDCANCEL);
    Sleep(1000);
    EXPECT_TRUE(ProgramDialogs(pid_).empty()) << "a cancelled check shows nothing";
}

TEST_F(UpdateProgramTest, TheAutomaticCheckIsSilentOnFailureRunsOncePerIntervalAndOffersANewVersion) {
    HttpReply reply{.dropConnection = true};
    ScriptedHttpServer server([&](const std::string&) { return reply; });
    Configure(server, true);
    Start();

    ASSERT_TRUE(ProgramRunner::WaitUntil(15000, [&] { return server.Connections() > 0; })) << "no check at start-up";
    EXPECT_NEAR(static_cast<double>(LastUpdateCheck()), static_cast<double>(_time64(nullptr)), 120.0);
    Sleep(1500);
    EXPECT_TRUE(ProgramDialogs(pid_).empty()) << "a failed automatic check shows nothing";

    // Checked just now: not due again within the week.
    const int connections = server.Connections();
    PostMessageW(frame_, zevrin::WM_UPDATE_CHECK, zevrin::kUpdateCheckStart, 1);
    Sleep(1000);
    EXPECT_EQ(server.Connections(), connections);

    // Due again, and this time a newer version is out.
    fw::RegKey::Create(HKEY_CURRENT_USER, kSettings).WriteDword(L"LastUpdateCheck", 1000);
    reply = HttpReply::Ok(Updates("3.0.1", "https://www.tresk.com/zevrin/download.html"));
    PostMessageW(frame_, zevrin::WM_UPDATE_CHECK, zevrin::kUpdateCheckStart, 1);
    HWND offer = WaitForDialog([](HWND hwnd) { return GetDlgItem(hwnd, 1108) != nullptr; });
    ASSERT_NE(offer, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(offer, 1027)), L"3.0.1");
    Dismiss(offer, IDCANCEL);
}
