// The tools on files as phones and camcorders write them: durations are the true playing time (first
// packet to the end of the last), voice memo formats open, files cut short report what they hold,
// and all three tools take the same video stream.
#include <gtest/gtest.h>

#include "MediaCheck.h"
#include "MediaInput.h"
#include "PlaybackHost.h"
#include "StreamChoice.h"
#include "StreamTiming.h"
#include "ToolRunner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <ostream>

namespace harlow::test {

namespace {

using namespace std::chrono_literals;

std::int64_t Attr64(const TiXmlElement* e, const char* name)
{
    const char* v = e ? e->Attribute(name) : nullptr;
    return v ? std::atoll(v) : -1;
}

} // namespace

struct TimingCase {
    const wchar_t* clip;
    double seconds; // < 0: in "<clip>.seconds", measured by Debian's ffprobe when the clip was made
    int audioCodec;
};

void PrintTo(const TimingCase& c, std::ostream* os) { *os << std::string(c.clip, c.clip + wcslen(c.clip)); }

namespace {

double ExpectedSeconds(const TimingCase& c)
{
    return c.seconds >= 0 ? c.seconds : std::atof(ReadFileBytes(Clip(std::wstring(c.clip) + L".seconds")).c_str());
}

} // namespace

class PhoneFileTimings : public testing::TestWithParam<TimingCase> {};

TEST_P(PhoneFileTimings, DurationIsTheTruePlayingTime)
{
    const TimingCase& c = GetParam();
    const double expected = ExpectedSeconds(c);
    ASSERT_GT(expected, 0);
    const std::wstring out = TempFolder() + L"\\info.xml";
    const RunResult run = RunTool(L"Quorrin.exe", Quote(Clip(c.clip)) + L" -o " + Quote(out), 60s);
    ASSERT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(run.timedOut);
    ProbeXml xml;
    ASSERT_TRUE(xml.Load(out));
    const double tolerance = std::max(0.1, expected * 0.01);
    EXPECT_NEAR(xml.Number("Duration") / 1e6, expected, tolerance);
    bool sawAudio = false;
    for (int i = 0; i < xml.Number("StreamCount"); ++i) {
        const TiXmlElement* s = xml.Stream(i);
        if (Attr64(s, "Type") != 1)
            continue;
        sawAudio = true;
        EXPECT_EQ(Attr64(s, "Codec"), c.audioCodec);
        // A stream ends no later than the media.
        EXPECT_LE((Attr64(s, "StartTime") + Attr64(s, "Duration")) / 1e6, expected + tolerance);
    }
    EXPECT_TRUE(sawAudio);
}

INSTANTIATE_TEST_SUITE_P(Clips, PhoneFileTimings,
                         testing::Values(TimingCase{L"amr-long-samples.3gp", 15.2, 235},
                                         TimingCase{L"late-video.3gp", 5.128, 223},
                                         TimingCase{L"memo-35min.amr", 35 * 60.0, 235},
                                         TimingCase{L"memo-7min.awb", 7 * 60.0, 236},
                                         TimingCase{L"memo.qcp", 6.0, 237},
                                         TimingCase{L"cut-long.flv", -1, 212},
                                         TimingCase{L"cut-47s.flv", -1, 212},
                                         TimingCase{L"camera.dv", 1.0, 200}));

// Large files are checked at their end only: entered from the middle, the FLV reader finds the tags
// and the end of what the file holds.
TEST(PhoneFiles, AFileCutShortIsMeasuredFromItsTailAlone)
{
    const TimingCase cut{L"cut-long.flv", -1, 212};
    Interrupter interrupter;
    InputPtr input = OpenInput(Clip(cut.clip), interrupter);
    ASSERT_TRUE(input);
    const std::int64_t size = avio_size(input->pb);
    ASSERT_GT(size, 150 * 1024);
    const std::vector<quorrin::MeasuredStream> tail = quorrin::MeasureTail(input.get(), size, 48 * 1024);
    ASSERT_EQ(tail.size(), 2u);
    double end = 0;
    for (const quorrin::MeasuredStream& m : tail)
        end = std::max(end, m.durationUs / 1e6);
    EXPECT_NEAR(end, ExpectedSeconds(cut), 0.1);
    EXPECT_TRUE(quorrin::RewindToStart(input.get()));

    const std::uint8_t noise[64] = {9, 0, 0, 200, 1, 2, 3, 4, 0, 0, 0};
    EXPECT_EQ(quorrin::FindFlvTagStart(noise, sizeof noise), -1);
}

TEST(PhoneFiles, VoiceMemosPlayToTheirEnd)
{
    for (const wchar_t* name : {L"memo.qcp", L"memo-5s.amr"}) {
        PlaybackHost host;
        ToolProcess tool(L"Vistrel.exe", host.CommandLine(Clip(name), L"-audiodriver none"));
        ASSERT_TRUE(host.PumpUntil([&] { return host.Count(kCallbackOpened) > 0; }, 10s, tool.Handle()));
        const ToolEvent* opened = host.Last(kCallbackOpened);
        EXPECT_NEAR(opened->duration / 1e6, name[5] == L'q' ? 6.0 : 5.0, 0.1);
        EXPECT_EQ(opened->mediaFlags & kMediaHasVideo, 0u);
        // It plays from the start (measuring the file did not leave it read to the end)...
        ASSERT_TRUE(host.PumpUntil([&] { return host.Count(kCallbackStatus) > 0; }, 5s, tool.Handle()));
        EXPECT_LT(host.Last(kCallbackStatus)->position, 1500000);
        EXPECT_EQ(host.Count(kCallbackEnded), 0u);
        // ...and, sent near its end, runs out there and says so.
        ASSERT_TRUE(host.Send(kCommandSeek, opened->duration - 1000000, 0));
        ASSERT_TRUE(host.PumpUntil([&] { return host.Count(kCallbackEnded) > 0; }, 10s, tool.Handle()));
        DWORD code = 99;
        ASSERT_TRUE(tool.WaitExit(3s, code));
        EXPECT_EQ(code, 0u);
    }
}

// cover-first.mkv: the demuxer ranks its cover picture above its real video.
TEST(PhoneFiles, EveryToolTakesTheRealVideoOverCoverArt)
{
    Interrupter interrupter;
    InputPtr input = OpenInput(Clip(L"cover-first.mkv"), interrupter);
    ASSERT_TRUE(input);
    const int best = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    ASSERT_GE(best, 0);
    ASSERT_TRUE(input->streams[best]->disposition & AV_DISPOSITION_ATTACHED_PIC) << "the clip no longer tests this";
    EXPECT_EQ(ChooseVideoStream(input.get(), CoverArt::Never), 0);
    EXPECT_EQ(ChooseVideoStream(input.get(), CoverArt::AsLastResort), 0);

    // Playback shows the real picture...
    PlaybackHost host;
    ToolProcess tool(L"Vistrel.exe", host.CommandLine(Clip(L"cover-first.mkv"), L"-audiodriver none"));
    ASSERT_TRUE(host.PumpUntil([&] { return host.Count(kCallbackStream) >= 2; }, 10s, tool.Handle()));
    EXPECT_TRUE(host.Last(kCallbackOpened)->mediaFlags & kMediaHasVideo);
    int width = 0;
    for (const ToolEvent& e : host.Events())
        if (e.type == kCallbackStream && e.value == kStreamVideo)
            width = e.videoWidth;
    EXPECT_EQ(width, 176);
    ASSERT_TRUE(host.Send(kCommandStop));
    DWORD code = 99;
    EXPECT_TRUE(tool.WaitExit(2s, code));

    // ...and the thumbnail comes from it too.
    const std::wstring picture = TempFolder() + L"\\frame.jpg";
    ASSERT_EQ(RunTool(L"Brannet.exe", L"-i " + Quote(Clip(L"cover-first.mkv")) +
                                          L" -ss 0:00:01.000 -f image2 -vframes 1 -y " + Quote(picture),
                      30s)
                  .exitCode,
              0u);
    const OutputInfo info = Inspect(picture);
    EXPECT_EQ(info.width, 176);
    EXPECT_EQ(info.height, 144);
}

} // namespace harlow::test
