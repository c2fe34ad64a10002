// A whole check against a server the test runs: the answer's version against the program's,
// failures of every kind, and the temporary file gone afterwards; and what a manual check shows.
#include "update/UpdateChecker.h"
#include "services/AppInfo.h"
#include "framework/Registry.h"
#include "update/UpdateCheck.h"
#include "ScriptedHttpServer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <vector>

using namespace zevrin;
using zevrin::test::HttpReply;
using zevrin::test::ScriptedHttpServer;

namespace {

std::string Updates(const std::string& version, const std::string& url) {
    return "<?xml version=\"1.0\"?>\n<Updates>\n <Application Version=\"" + version + "\" Level=\"1\">\n  <URL>" + url +
           "</URL>\n  <Description>One.\\nTwo.</Description>\n </Application>\n</Updates>\n";
}

int TempDownloadFiles() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((std::wstring(folder) + L"~FP*.tmp").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

CheckResult CheckAgainst(const ScriptedHttpServer& server, UpdateInfo* found = nullptr, DWORD timeoutMs = 30000) {
    CUpdateChecker checker(L"Zevrin", L"3.0.0", server.WideUrl(), false);
    checker.inactivityTimeoutMs = timeoutMs;
    const CheckResult result = checker.Check();
    if (found) *found = checker.found;
    return result;
}

} // namespace

TEST(UpdateChecker, ComparesTheServersVersionWithTheProgramsAndFailsOnAnyBadAnswer) {
    const int filesBefore = TempDownloadFiles();
    HttpReply reply = HttpReply::Ok(Updates("3.0.1", "https://www.tresk.com/zevrin/download.html"));
    ScriptedHttpServer server([&](const std::string&) { return reply; });

    UpdateInfo found;
    EXPECT_EQ(CheckAgainst(server, &found), CheckResult::Newer);
    EXPECT_EQ(found.version, L"3.0.1");
    EXPECT_EQ(found.downloadUrl, L"https://www.tresk.com/zevrin/download.html");
    EXPECT_EQ(found.description, L"One.\r\nTwo.");

    reply = HttpReply::Ok(Updates("3.0.0", "https://www.tresk.com/zevrin/download.html"));
    EXPECT_EQ(CheckAgainst(server), CheckResult::NotNewer);
    reply = HttpReply::Ok(Updates("3.0", "https://www.tresk.com/zevrin/download.html"));
    EXPECT_EQ(CheckAgainst(server), CheckResult::NotNewer);

    reply = HttpReply::Ok(Updates("9.0.0", "file:///C:/windows/notepad.exe"));
    EXPECT_EQ(CheckAgainst(server), CheckResult::Failed);
    reply = HttpReply::Status("404 Not Found");
    EXPECT_EQ(CheckAgainst(server), CheckResult::Failed);
    reply = HttpReply::Ok("");
    EXPECT_EQ(CheckAgainst(server), CheckResult::Failed);
    reply = HttpReply::Ok(Updates("9.0.0", "https://www.tresk.com/") + std::string(1 << 20, ' '));
    EXPECT_EQ(CheckAgainst(server), CheckResult::Failed);
    reply = HttpReply{.dropConnection = true};
    EXPECT_EQ(CheckAgainst(server), CheckResult::Failed);
    reply = HttpReply{.body = Updates("9.0.0", "https://www.tresk.com/"), .stallAfter = 20};
    EXPECT_EQ(CheckAgainst(server, nullptr, 500), CheckResult::Failed);

    EXPECT_EQ(TempDownloadFiles(), filesBefore) << "every check removes its temporary file";
}

namespace {

// Stands in for the dialogs: the check runs at once, and what would show is counted.
class RecordingCheckView : public IUpdateCheckView {
public:
    bool BringProgressForward() override { return progressShowing; }
    CheckResult CheckWithProgress(CUpdateChecker& checker) override {
        ++checks;
        return checker.Check();
    }
    void ShowCheckFailed() override { ++failures; }
    void ShowUpToDate() override { ++upToDate; }
    bool OfferNewVersion(const CUpdateChecker& checker) override {
        offered.push_back(checker.found.version);
        return false;  // declined: nothing is opened
    }
    bool progressShowing = false;
    int checks = 0, failures = 0, upToDate = 0;
    std::vector<std::wstring> offered;
};

// A check writes its time stamp into the settings: the settings are put back as they were, and
// a settings key the checks made goes again, so no run is left with settings of its own.
class KeptLastCheck {
public:
    KeptLastCheck() {
        const auto key = fw::RegKey::Open(HKEY_CURRENT_USER, KeyPath());
        existed_ = static_cast<bool>(key);
        const std::optional<DWORD> last = key ? key.ReadDword(L"LastUpdateCheck") : std::nullopt;
        hadLast_ = last.has_value();
        last_ = last.value_or(0);
    }
    ~KeptLastCheck() {
        if (!existed_) {
            fw::RegKey::DeleteTree(HKEY_CURRENT_USER, KeyPath());
            return;
        }
        const auto key = fw::RegKey::Create(HKEY_CURRENT_USER, KeyPath());
        if (hadLast_)
            key.WriteDword(L"LastUpdateCheck", last_);
        else
            key.DeleteValue(L"LastUpdateCheck");
    }

private:
    static std::wstring KeyPath() { return std::wstring(kRegistryRoot) + L"\\Settings"; }
    bool existed_ = false;
    bool hadLast_ = false;
    DWORD last_ = 0;
};

} // namespace

TEST(UpdateCheck, AManualCheckShowsItsOutcomeThroughTheViewAndASecondOneOnlyBringsTheFirstForward) {
    KeptLastCheck kept;
    HttpReply reply = HttpReply::Ok(Updates("3.0.1", "https://www.tresk.com/zevrin/download.html"));
    ScriptedHttpServer server([&](const std::string&) { return reply; });
    RecordingCheckView view;

    EXPECT_EQ(StartUpdateCheck(server.WideUrl(), L"3.0.0", 0, false, view), 0);
    EXPECT_EQ(view.offered, std::vector<std::wstring>{L"3.0.1"});

    reply = HttpReply::Ok(Updates("3.0.0", "https://www.tresk.com/zevrin/download.html"));
    StartUpdateCheck(server.WideUrl(), L"3.0.0", 0, false, view);
    EXPECT_EQ(view.upToDate, 1);

    reply = HttpReply::Status("404 Not Found");
    StartUpdateCheck(server.WideUrl(), L"3.0.0", 0, false, view);
    EXPECT_EQ(view.failures, 1);
    EXPECT_EQ(view.checks, 3);

    view.progressShowing = true;
    EXPECT_EQ(StartUpdateCheck(server.WideUrl(), L"3.0.0", 0, false, view), 0);
    EXPECT_EQ(view.checks, 3);
    EXPECT_EQ(view.offered.size() + view.upToDate + view.failures, 3u);
}
