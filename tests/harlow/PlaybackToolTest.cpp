// The playback tool end to end: played into a window of this process, steered with commands.
#include <gtest/gtest.h>

#include "PlaybackHost.h"
#include "ToolRunner.h"

#include <tinyxml.h>

#include <cstdlib>

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

    // The child window is inside our render window, with control id 0, and the picture shows.
    p.host.Pump(1500ms);
    HWND child = GetDlgItem(p.host.RenderWindow(), 0);
    ASSERT_NE(child, nullptr);
    const COLORREF c = p.host.CentrePixel();
    EXPECT_LT(GetRValue(c), 0x60) << std::hex << c;
    EXPECT_GT(GetBValue(c), 0xB0) << std::hex << c;

    // Positions advance at real time.
    ASSERT_TRUE(p.NextStatus());
    const std::int64_t p1 = p.Position();
    const auto t1 = std::chrono::steady_clock::now();
    p.host.Pump(1000ms);
    ASSERT_TRUE(p.NextStatus());
    const std::int64_t p2 = p.Position();
    const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t1).count();
    EXPECT_NEAR(static_cast<double>(p2 - p1), static_cast<double>(wall), wall * 0.3);

    // The end: type 4, then the process exits with 0.
    ASSERT_TRUE(p.host.PumpUntil([&] { return p.host.Count(kCallbackEnded) > 0; }, 10s, p.tool->Handle()));
    DWORD code = 99;
    ASSERT_TRUE(p.tool->WaitExit(3s, code));
    EXPECT_EQ(code, 0u);
    EXPECT_GE(p.Position(), probed - 300000);
}

} // namespace harlow::test
