// The texts the playlist, the properties dialog and the tools' command lines show for media values.
#include "tools/ValueFormat.h"

#include <gtest/gtest.h>

using namespace zevrin;

TEST(FormatMs, TheFourLayoutsOfOneDuration) {
    EXPECT_EQ(FormatMs(61440, false, true, true), L"0:01:01.440");
    EXPECT_EQ(FormatMs(61440, false, false, true), L"0:01:01");
    EXPECT_EQ(FormatMs(61440, false, true, false), L"1:01.440");
    EXPECT_EQ(FormatMs(61440, false, false, false), L"1:01");
}

TEST(FormatMs, HoursAppearAtTheFirstFullHour) {
    EXPECT_EQ(FormatMs(3599999, false, false, false), L"59:59");
    EXPECT_EQ(FormatMs(3600000, false, false, false), L"1:00:00");
    EXPECT_EQ(FormatMs(3600000 * 25 + 61440, false, true, false), L"25:01:01.440");
}

TEST(FormatMs, BelowOneSecond) {
    EXPECT_EQ(FormatMs(999, false, false, false), L"0:00");
    EXPECT_EQ(FormatMs(999, false, true, false), L"0:00.999");
    EXPECT_EQ(FormatMs(0, false, true, true), L"0:00:00.000");
}

TEST(FormatMs, SecondsOnly) {
    EXPECT_EQ(FormatMs(61440, true, true, false), L"61.440");
    EXPECT_EQ(FormatMs(61440, true, false, true), L"61");
}

TEST(FormatMs, NegativeTimesCarryOneSign) {
    EXPECT_EQ(FormatMs(-61440, false, false, false), L"-1:01");
    EXPECT_EQ(FormatMs(-500, false, true, true), L"-0:00:00.500");
}

TEST(FormatDuration, MicrosecondsTruncateToMilliseconds) {
    EXPECT_EQ(FormatDuration(1500, false, false, false), L"0:00");
    EXPECT_EQ(FormatDuration(1500, false, true, false), L"0:00.001");
    EXPECT_EQ(FormatDuration(61440000, false, false, false), L"1:01");
    EXPECT_EQ(FormatDuration(61440000, false, true, true), L"0:01:01.440");
}

TEST(FormatDuration, LongerThanAnIntOfMillisecondsStaysRight) {
    // 30 days: more milliseconds than a 32-bit int holds.
    EXPECT_EQ(FormatDuration(30LL * 24 * 3600 * 1000000, false, false, false), L"720:00:00");
}

TEST(FormatRatio, DropsTrailingZerosAndPoint) {
    EXPECT_EQ(FormatRatio(30000, 1001, L"%.3f"), L"29.97");
    EXPECT_EQ(FormatRatio(25, 1, L"%.3f"), L"25");
    EXPECT_EQ(FormatRatio(1, 8, L"%.3f"), L"0.125");
    EXPECT_EQ(FormatRatio(100, 1, L"%.0f"), L"1");  // zeros go first, whatever they meant
}

TEST(FormatRatio, EmptyUnlessBothPositive) {
    EXPECT_EQ(FormatRatio(0, 1, L"%.3f"), L"");
    EXPECT_EQ(FormatRatio(25, 0, L"%.3f"), L"");
    EXPECT_EQ(FormatRatio(-25, 1, L"%.3f"), L"");
}

TEST(FormatFrameRate, UnitAndAuto) {
    EXPECT_EQ(FormatFrameRate(30000, 1001, L"%.3f", true, true), L"29.97 fps");
    EXPECT_EQ(FormatFrameRate(25, 1, L"%.3f", false, true), L"25");
    EXPECT_EQ(FormatFrameRate(0, 1, L"%.3f", true, true), L"Auto");
    EXPECT_EQ(FormatFrameRate(25, 0, L"%.3f", true, false), L"");
    EXPECT_EQ(FormatFrameRate(-25, 1, L"%.3f", true, true), L"");
}

TEST(FormatChannels, KnownLayoutsOnly) {
    EXPECT_EQ(FormatChannels(1, false), L"Mono");
    EXPECT_EQ(FormatChannels(2, false), L"Stereo");
    EXPECT_EQ(FormatChannels(6, false), L"5.1");
    EXPECT_EQ(FormatChannels(4, true), L"");
    EXPECT_EQ(FormatChannels(0, true), L"Auto");
    EXPECT_EQ(FormatChannels(0, false), L"");
}

TEST(FormatBitRate, Kilobits) {
    EXPECT_EQ(FormatBitRate(128000, L"%.3f", true, true), L"128 kbps");
    EXPECT_EQ(FormatBitRate(12200, L"%.3f", true, true), L"12.2 kbps");
    EXPECT_EQ(FormatBitRate(12200, L"%.3f", false, true), L"12.2");
    EXPECT_EQ(FormatBitRate(0, L"%.3f", true, true), L"Auto");
    EXPECT_EQ(FormatBitRate(0, L"%.3f", true, false), L"");
    EXPECT_EQ(FormatBitRate(-1, L"%.3f", true, true), L"");
}
