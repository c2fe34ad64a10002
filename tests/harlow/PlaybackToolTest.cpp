// The playback tool end to end: played into a window of this process, steered with commands.
#include <gtest/gtest.h>

#include "PlaybackHost.h"
#include "ToolRunner.h"
#include "../ScreenPixels.h"

#include <tinyxml.h>

#include <cstdlib>
#include <vector>

namespace harlow::test {

namespace {

using namespace std::chrono_literals;

// The probe's duration for a clip, to compare with what playback reports.
std::int64_t ProbedDuration(const std::wstring& clip)
{
    const std::wstring xml = TempFolder() + L"\\probe.xml";
    if (RunTool(L"Quorrin.exe", Quote(clip) + L" -o " + Quote(xml)).exitCode != 0)
        return -1;
    TiXmlDocument doc;
    if (!doc.Parse(ReadFileBytes(xml).c_str()))
        return -1;
    const TiXmlElement* info = doc.RootElement() ? doc.RootElement()->FirstChildElement("MediaInfo") : nullptr;
    const char* d = info ? info->Attribute("Duration") : nullptr;
    return d ? std::atoll(d) : -1;
}

using zevrin::test::ScreenPixels;

struct Playback {
    PlaybackHost host;
    std::unique_ptr<ToolProcess> tool;

    bool Start(const std::wstring& clip, const std::wstring& extra = L"")
    {
        tool = std::make_unique<ToolProcess>(L"Vistrel.exe", host.CommandLine(clip, extra));
        return tool->Started() && host.PumpUntil([&] { return host.ToolWindow() != nullptr; }, 15s, tool->Handle());
    }
    std::int64_t Position() const
    {
        const ToolEvent* e = host.Last(kCallbackStatus);
        if (!e)
            e = host.Last(kCallbackOpened);
        return e ? e->position : -1;
    }
    // Waits for a status report newer than now.
    bool NextStatus(std::chrono::milliseconds limit = 2s)
    {
        const std::size_t before = host.Count(kCallbackStatus);
        return host.PumpUntil([&] { return host.Count(kCallbackStatus) > before; }, limit, tool->Handle());
    }
};

} // namespace

TEST(PlaybackTool, PlaysToTheEndWithTheProtocolsMessages)
{
    const std::wstring clip = Clip(L"blue.mp4");
    const std::int64_t probed = ProbedDuration(clip);
    Playback p;
    ASSERT_TRUE(p.Start(clip));
    const ToolEvent* opened = p.host.Last(kCallbackOpened);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->duration, probed);
    EXPECT_TRUE(IsWindow(opened->toolWindow));
    EXPECT_FALSE(p.host.SawBadContext());
    // With a sound server (the test script starts one) the audio clock is a real device's.
    if (std::getenv("PULSE_SERVER")) {
        EXPECT_TRUE(opened->mediaFlags & kMediaAudioDevice);
    }

    // Stream descriptions follow, with the picture's size.
    ASSERT_TRUE(p.host.PumpUntil([&] { return p.host.Count(kCallbackStream) >= 2; }, 5s));
    bool sawVideo = false;
    for (const ToolEvent& e : p.host.Events())
        if (e.type == kCallbackStream && e.value == kStreamVideo) {
            sawVideo = true;
            EXPECT_EQ(e.videoWidth, 320);
            EXPECT_EQ(e.videoHeight, 240);
        }
    EXPECT_TRUE(sawVideo);

    // Positions advance at real time: measured from the first status report to the last one before
    // the end, over most of the 4 s clip, so the sound device's start-up does not weigh.
    ASSERT_TRUE(p.NextStatus());
    const ToolEvent first = *p.host.Last(kCallbackStatus);

    // The child window is inside our render window, with control id 0, and the picture shows.
    p.host.Pump(1500ms);
    HWND child = GetDlgItem(p.host.RenderWindow(), 0);
    ASSERT_NE(child, nullptr);
    const COLORREF c = p.host.CentrePixel();
    EXPECT_LT(GetRValue(c), 0x60) << std::hex << c;
    EXPECT_GT(GetBValue(c), 0xB0) << std::hex << c;

    // The end: type 4, then the process exits with 0.
    ASSERT_TRUE(p.host.PumpUntil([&] { return p.host.Count(kCallbackEnded) > 0; }, 10s, p.tool->Handle()));
    DWORD code = 99;
    ASSERT_TRUE(p.tool->WaitExit(3s, code));
    EXPECT_EQ(code, 0u);
    EXPECT_GE(p.Position(), probed - 300000);
    const ToolEvent last = *p.host.Last(kCallbackStatus);
    const double played = static_cast<double>(last.position - first.position);
    const double wall = static_cast<double>(std::chrono::duration_cast<std::chrono::microseconds>(last.at - first.at).count());
    EXPECT_GT(wall, 2e6);
    EXPECT_NEAR(played, wall, wall * 0.3);
}

TEST(PlaybackTool, PausesSeeksChangesVolumeAndStopsPromptly)
{
    Playback p;
    ASSERT_TRUE(p.Start(Clip(L"sd10.mp4")));
    ASSERT_TRUE(p.NextStatus());
    p.host.Pump(500ms);

    // Pause: type 3 with 1, and the position stands still.
    ASSERT_TRUE(p.host.Send(kCommandPause));
    ASSERT_TRUE(p.host.PumpUntil([&] { return p.host.Count(kCallbackPause) == 1; }, 2s));
    EXPECT_EQ(p.host.Last(kCallbackPause)->value, 1);
    const std::size_t statusBefore = p.host.Count(kCallbackStatus);
    p.host.Pump(700ms);
    EXPECT_EQ(p.host.Count(kCallbackStatus), statusBefore) << "no status while paused";

    // A step while paused shows exactly one more picture: the picture changes once, then stands
    // still again.
    const std::int64_t pausedAt = p.Position();
    const std::vector<DWORD> still = ScreenPixels(p.host.RenderWindow());
    ASSERT_FALSE(still.empty());
    p.host.Pump(300ms);
    EXPECT_TRUE(ScreenPixels(p.host.RenderWindow()) == still) << "the picture moves while paused";
    EXPECT_TRUE(p.host.Send(kCommandStep));
    EXPECT_TRUE(p.host.PumpUntil([&] { return ScreenPixels(p.host.RenderWindow()) != still; }, 2s))
        << "the step showed no new picture";
    p.host.Pump(200ms);
    const std::vector<DWORD> stepped = ScreenPixels(p.host.RenderWindow());
    p.host.Pump(500ms);
    EXPECT_TRUE(ScreenPixels(p.host.RenderWindow()) == stepped) << "one step showed more than one picture";
    EXPECT_EQ(p.host.Count(kCallbackStatus), statusBefore) << "no status while paused";

    // Resume: type 3 with 0, positions move on from where they stopped.
    ASSERT_TRUE(p.host.Send(kCommandPause));
    ASSERT_TRUE(p.host.PumpUntil([&] { return p.host.Count(kCallbackPause) == 2; }, 2s));
    EXPECT_EQ(p.host.Last(kCallbackPause)->value, 0);
    ASSERT_TRUE(p.NextStatus());
    EXPECT_GE(p.Position(), pausedAt);
    EXPECT_LT(p.Position(), pausedAt + 1500000);

    // Absolute seek to 6 s, then 2 s back relative to the position.
    ASSERT_TRUE(p.host.Send(kCommandSeek, 6000000, 0));
    ASSERT_TRUE(p.NextStatus());
    EXPECT_GE(p.Position(), 5900000);
    EXPECT_LT(p.Position(), 7000000);
    ASSERT_TRUE(p.host.Send(kCommandSeek, -2000000, 1));
    ASSERT_TRUE(p.NextStatus());
    EXPECT_GE(p.Position(), 3900000);
    EXPECT_LT(p.Position(), 5500000);

    // Volume: reported back in the status.
    ASSERT_TRUE(p.host.Send(kCommandVolume, 30));
    ASSERT_TRUE(p.NextStatus());
    EXPECT_EQ(p.host.Last(kCallbackStatus)->volume, 30);
    ASSERT_TRUE(p.host.Send(kCommandVolume, 250));
    ASSERT_TRUE(p.NextStatus());
    EXPECT_EQ(p.host.Last(kCallbackStatus)->volume, 100);
    EXPECT_TRUE(p.host.Send(kCommandVideoSize, 160, 120));

    // Stop: the process ends well within the second the program allows.
    const auto stopAt = std::chrono::steady_clock::now();
    ASSERT_TRUE(p.host.Send(kCommandStop));
    DWORD code = 99;
    ASSERT_TRUE(p.tool->WaitExit(1000ms, code));
    EXPECT_LT(std::chrono::steady_clock::now() - stopAt, 1000ms);
    EXPECT_EQ(code, 0u);
}

TEST(PlaybackTool, StartsAtTheGivenPositionAndPlaysSoundWithoutAWindow)
{
    PlaybackHost host;
    const std::wstring line = L"-audiodriver waveout \"" + Clip(L"tone.wav") + L"\" -ss 0:00:02.500 -callbackwindow " +
                              std::to_wstring(reinterpret_cast<std::intptr_t>(host.Frame())) + L" -context " +
                              std::to_wstring(host.Context());
    ToolProcess tool(L"Vistrel.exe", line);
    ASSERT_TRUE(host.PumpUntil([&] { return host.Count(kCallbackStatus) > 0; }, 10s, tool.Handle()));
    EXPECT_GE(host.Last(kCallbackStatus)->position, 2400000);
    EXPECT_EQ(host.Last(kCallbackOpened)->mediaFlags & kMediaHasVideo, 0u);
    ASSERT_TRUE(host.PumpUntil([&] { return host.Count(kCallbackEnded) > 0; }, 5s, tool.Handle()));
    DWORD code = 99;
    ASSERT_TRUE(tool.WaitExit(2s, code));
    EXPECT_EQ(code, 0u);
}

TEST(PlaybackTool, FailsCleanlyOnMissingOrBrokenMedia)
{
    for (const wchar_t* name : {L"missing.mp4", L"notmedia.bin", L"empty.mp4", L"truncated.mp4"}) {
        PlaybackHost host;
        ToolProcess tool(L"Vistrel.exe", host.CommandLine(Clip(name)));
        DWORD code = 0;
        host.PumpUntil([] { return false; }, 10s, tool.Handle());
        ASSERT_TRUE(tool.WaitExit(1s, code)) << "still running on a broken input";
        EXPECT_NE(code, 0u);
        EXPECT_EQ(host.Count(kCallbackOpened), 0u);
    }
}

TEST(PlaybackTool, NoArgumentsIsAFailureNotAHang)
{
    EXPECT_NE(RunTool(L"Vistrel.exe", L"-unknown 5 -effect", 5s).exitCode, 0u);
}

} // namespace harlow::test
