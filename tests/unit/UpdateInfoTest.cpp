// The pure parts of the update check: version order, when an automatic check is due, reading
// the update information, and what a check's outcome shows.
#include "update/UpdateChecker.h"
#include "update/UpdateInfo.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace zevrin;

namespace {

int64_t LocalTime(int year, int month, int day, int hour, int minute) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_isdst = -1;
    return _mktime64(&t);
}

constexpr int64_t kDay = 86400;

std::string UpdatesFile(const std::string& application) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Updates>\n" + application + "\n</Updates>\n";
}

} // namespace

TEST(UpdateVersions, MajorThenMinorThenPatchDecideAndMalformedTextsReadAsZero) {
    EXPECT_EQ(CompareVersions(L"3.0.1", L"3.0.0"), 1);
    EXPECT_EQ(CompareVersions(L"3.0.0", L"3.0.1"), -1);
    EXPECT_EQ(CompareVersions(L"3.0.0", L"3.0.0"), 0);
    EXPECT_EQ(CompareVersions(L" 3 . 1 . 0 ", L"3.1.0"), 0);  // trimmed, spaces removed
    EXPECT_EQ(CompareVersions(L"3.10.0", L"3.9.9"), 1);        // numbers, not text
    EXPECT_EQ(CompareVersions(L"4.x.0", L"3.0.0"), 1);         // the major part decides first
    EXPECT_EQ(CompareVersions(L"3.x.0", L"3.0.0"), -1);        // x counts as -1
    // Fewer or more than three parts read as 0.0.0: never newer.
    EXPECT_EQ(CompareVersions(L"3.0", L"3.0.0"), -1);
    EXPECT_EQ(CompareVersions(L"3.0", L"0.0.0"), 0);
    EXPECT_EQ(CompareVersions(L"9.0.0.1", L"0.0.0"), 0);
    EXPECT_EQ(CompareVersions(L"", L"0.0.0"), 0);
}

TEST(UpdateDueRule, WholeDaysFromTwoUpCalendarDaysForOneAlwaysForZero) {
    const int64_t now = LocalTime(2026, 3, 10, 12, 0);
    EXPECT_TRUE(IsUpdateCheckDue(now, now - 7 * kDay, 7));
    EXPECT_FALSE(IsUpdateCheckDue(now, now - 7 * kDay + 60, 7));  // 6 days 23:59
    EXPECT_FALSE(IsUpdateCheckDue(now, now - 6 * kDay, 7));
    EXPECT_TRUE(IsUpdateCheckDue(now, now - 2 * kDay, 2));
    EXPECT_TRUE(IsUpdateCheckDue(now, 0, 7));                     // never checked

    // Interval 1: a new calendar day, even one minute after midnight; not twice on one day.
    EXPECT_TRUE(IsUpdateCheckDue(LocalTime(2026, 3, 11, 0, 1), LocalTime(2026, 3, 10, 23, 59), 1));
    EXPECT_FALSE(IsUpdateCheckDue(LocalTime(2026, 3, 10, 23, 59), LocalTime(2026, 3, 10, 0, 1), 1));
    EXPECT_TRUE(IsUpdateCheckDue(LocalTime(2026, 3, 10, 9, 0), LocalTime(2025, 3, 10, 9, 0), 1));
    EXPECT_TRUE(IsUpdateCheckDue(now, 0, 1));

    EXPECT_TRUE(IsUpdateCheckDue(now, now, 0));
    EXPECT_FALSE(IsUpdateCheckDue(now, 0, -1));
}

TEST(UpdateInformation, ReadsVersionAddressAndDescriptionWithItsLineBreaks) {
    auto info = ParseUpdateInfo(UpdatesFile(
        "  <Application Version=\"3.1.0\" Level=\"2\">   \r\n"
        "    <URL>https://www.tresk.com/zevrin/download.html</URL>\n"
        "    <Description>Faster thumbnails.\\nFixes for playlists.</Description>\n"
        "  </Application>"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->version, L"3.1.0");
    EXPECT_EQ(info->level, 2);
    EXPECT_EQ(info->downloadUrl, L"https://www.tresk.com/zevrin/download.html");
    EXPECT_EQ(info->description, L"Faster thumbnails.\r\nFixes for playlists.");

    // The description may be missing; the level too.
    info = ParseUpdateInfo(UpdatesFile("<Application Version=\"3.0.0\"><URL>http://a.example/</URL></Application>"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->description, L"");
    EXPECT_EQ(info->level, 0);
}

TEST(UpdateInformation, MissingPartsAndAddressesOtherThanWebOnesFail) {
    const char* failing[] = {
        "",
        "not xml at all",
        "<Other><Application Version=\"3.1.0\"><URL>http://a.example/</URL></Application></Other>",
        "<Updates><Product Version=\"3.1.0\"><URL>http://a.example/</URL></Product></Updates>",
        "<Updates><Application Version=\"3.1.0\"></Application></Updates>",
        "<Updates><Application Version=\"\"><URL>http://a.example/</URL></Application></Updates>",
        "<Updates><Application><URL>http://a.example/</URL></Application></Updates>",
        "<Updates><Application Version=\"3.1.0\"><URL></URL></Application></Updates>",
        "<Updates><Application Version=\"3.1.0\"><URL>file:///C:/windows/notepad.exe</URL></Application></Updates>",
        "<Updates><Application Version=\"3.1.0\"><URL>C:\\windows\\notepad.exe</URL></Application></Updates>",
        "<Updates><Application Version=\"3.1.0\"><URL>javascript:alert(1)</URL></Application></Updates>",
        "<Updates><Application Version=\"3.1.0\"><URL>ftp://a.example/z.exe</URL></Application></Updates>",
        "<Updates><Application Version=\"3.1.0\"><URL>http://</URL></Application></Updates>",
        "<Updates><Application Version=\"3.1.0\"><URL>http://a.example/</URL></Application>",
    };
    for (const char* text : failing) EXPECT_FALSE(ParseUpdateInfo(text)) << text;

    EXPECT_TRUE(IsWebUrl(L"HTTPS://www.tresk.com/zevrin/"));
    EXPECT_FALSE(IsWebUrl(L" http://www.tresk.com/"));
}

TEST(UpdateReport, ManualChecksReportEveryOutcomeAutomaticOnesOnlyANewVersion) {
    EXPECT_EQ(ReportFor(CheckResult::Newer, false, false), CheckReport::NewVersionDialog);
    EXPECT_EQ(ReportFor(CheckResult::Newer, true, false), CheckReport::NewVersionDialog);
    EXPECT_EQ(ReportFor(CheckResult::NotNewer, false, false), CheckReport::UpToDateMessage);
    EXPECT_EQ(ReportFor(CheckResult::NotNewer, true, false), CheckReport::Nothing);
    EXPECT_EQ(ReportFor(CheckResult::Failed, false, false), CheckReport::FailureMessage);
    EXPECT_EQ(ReportFor(CheckResult::Failed, true, false), CheckReport::Nothing);
    EXPECT_EQ(ReportFor(CheckResult::Failed, false, true), CheckReport::Nothing);  // cancelled
    EXPECT_EQ(ReportFor(CheckResult::Newer, false, true), CheckReport::Nothing);
}
