// A whole check against a server the test runs: the answer's version against the program's,
// failures of every kind, and the temporary file gone afterwards.
#include "update/UpdateChecker.h"
#include "ScriptedHttpServer.h"

#include <gtest/gtest.h>
#include <windows.h>

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
