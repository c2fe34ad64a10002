// The encode tool: one-frame extraction as Zevrin asks for thumbnails, and transcodes for the rest
// of its option table.
#include <gtest/gtest.h>

#include <cwchar>
#include <ostream>

#include "MediaCheck.h"
#include "PlaybackHost.h"
#include "ToolRunner.h"

namespace harlow::test {

namespace {

using namespace std::chrono_literals;

// The thumbnail command line exactly as the program builds it.
RunResult ExtractAt(const std::wstring& media, const std::wstring& out, const std::wstring& time)
{
    std::wstring args = L"-i " + Quote(media);
    if (!time.empty())
        args += L" -ss " + time;
    args += L" -f image2 -vframes 1 -y " + Quote(out) + L" -context 140737488355328";
    return RunTool(L"Brannet.exe", args, 30s);
}

bool NoLeftovers(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((folder + L"\\*.part*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return true;
    FindClose(h);
    return false;
}

} // namespace

TEST(EncodeTool, ExtractsThePictureAtTheRequestedTime)
{
    // black-start.mp4 is black for 3 s, then a test picture.
    const std::wstring folder = TempFolder();
    const std::wstring early = folder + L"\\early.jpg", late = folder + L"\\late.jpg", first = folder + L"\\first.jpg";
    ASSERT_EQ(ExtractAt(Clip(L"black-start.mp4"), early, L"0:00:01.000").exitCode, 0u);
    ASSERT_EQ(ExtractAt(Clip(L"black-start.mp4"), late, L"0:00:04.000").exitCode, 0u);
    ASSERT_EQ(ExtractAt(Clip(L"black-start.mp4"), first, L"").exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(late).substr(0, 2), "\xFF\xD8");
    EXPECT_LT(MeanLuma(early), 30);
    EXPECT_LT(MeanLuma(first), 30);
    EXPECT_GT(MeanLuma(late), 60);
    const OutputInfo info = Inspect(late);
    EXPECT_EQ(info.width, 320);
    EXPECT_EQ(info.height, 240);
}

TEST(EncodeTool, ExtractionSeeksInsteadOfDecodingFromTheStart)
{
    // A frame near the end costs about as much as one near the start.
    const std::wstring folder = TempFolder();
    ExtractAt(Clip(L"sd10.mp4"), folder + L"\\warm.jpg", L"0:00:00.500");
    const RunResult start = ExtractAt(Clip(L"sd10.mp4"), folder + L"\\a.jpg", L"0:00:00.500");
    const RunResult end = ExtractAt(Clip(L"sd10.mp4"), folder + L"\\b.jpg", L"0:00:09.500");
    ASSERT_EQ(start.exitCode, 0u);
    ASSERT_EQ(end.exitCode, 0u);
    EXPECT_LT(end.elapsed.count(), start.elapsed.count() * 2 + 300);
    // Past the end the last picture stands in, as a thumbnail still wants one.
    EXPECT_EQ(ExtractAt(Clip(L"sd10.mp4"), folder + L"\\c.png", L"0:01:00.000").exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(folder + L"\\c.png").substr(1, 3), "PNG");
}

TEST(EncodeTool, ExtractionFailsCleanlyWithoutAPicture)
{
    const std::wstring folder = TempFolder();
    for (const wchar_t* name : {L"missing.mp4", L"notmedia.bin", L"tone.wav", L"truncated.mp4"}) {
        const std::wstring out = folder + L"\\x.jpg";
        const RunResult r = ExtractAt(Clip(name), out, L"0:00:01.000");
        EXPECT_NE(r.exitCode, 0u) << "extracting from " << name;
        EXPECT_FALSE(r.timedOut);
        EXPECT_FALSE(Exists(out));
    }
    EXPECT_TRUE(NoLeftovers(folder));
}

struct TranscodeCase {
    const wchar_t* name;
    std::wstring args; // between the input and "-y out"
    const char* videoCodec;
    const char* audioCodec;
    int width, height, sampleRate, channels;
    double seconds;
};

void PrintTo(const TranscodeCase& c, std::ostream* os)
{
    *os << std::string(c.name, c.name + wcslen(c.name));
}

class Transcodes : public testing::TestWithParam<TranscodeCase> {};

TEST_P(Transcodes, WriteWhatWasAskedFor)
{
    const TranscodeCase& c = GetParam();
    const std::wstring out = TempFolder() + L"\\" + c.name;
    const RunResult r = RunTool(L"Brannet.exe", L"-i " + Quote(Clip(L"h264.mp4")) + L" " + c.args + L" -y " + Quote(out), 60s);
    ASSERT_EQ(r.exitCode, 0u);
    const OutputInfo info = Inspect(out);
    ASSERT_TRUE(info.opened);
    EXPECT_EQ(info.videoCodec, c.videoCodec);
    EXPECT_EQ(info.audioCodec, c.audioCodec);
    if (c.width > 0) {
        EXPECT_EQ(info.width, c.width);
        EXPECT_EQ(info.height, c.height);
    }
    if (c.sampleRate > 0) {
        EXPECT_EQ(info.sampleRate, c.sampleRate);
        EXPECT_EQ(info.channels, c.channels);
    }
    EXPECT_NEAR(info.durationUs / 1e6, c.seconds, 0.3);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Transcodes,
    testing::Values(
        TranscodeCase{L"phone.3gp", L"-f 3gp -vcodec h263 -s 176x144 -r 15/1 -b:v 64000 -acodec aac -ac 1 -ar 8000 -b:a 12200",
                      "h263", "aac", 176, 144, 8000, 1, 8.0},
        TranscodeCase{L"part.mp4", L"-ss 0:00:02.000 -t 0:00:03.000 -f mp4 -vcodec mpeg4 -s 160x120 -ar 22050 -ac 2",
                      "mpeg4", "aac", 160, 120, 22050, 2, 3.0},
        TranscodeCase{L"clip.avi", L"-f avi -acodec mp2", "mpeg4", "mp2", 320, 240, 44100, 1, 8.0},
        TranscodeCase{L"sound.wav", L"-vn -f wav", "", "pcm_s16le", 0, 0, 44100, 1, 8.0},
        TranscodeCase{L"sound.mp2", L"-vn -f mp2 -b:a 128000 -ar 48000", "", "mp2", 0, 0, 48000, 1, 8.0},
        TranscodeCase{L"silent.avi", L"-an -threads 2 -bufsize 400000 -sameq", "mpeg4", "", 320, 240, 0, 0, 8.0}));

TEST(EncodeTool, LaysASecondInputsSoundOverThePictureWithAnOffsetAndMetadata)
{
    const std::wstring out = TempFolder() + L"\\dub.mp4";
    const std::wstring args = L"-i " + Quote(Clip(L"blue.mp4")) + L" -itsoffset 0:00:01.000 -i " + Quote(Clip(L"tone.wav")) +
                              L" -map 0:0 -map 1:0 -title Dubbed -album Tests -year 2009 -track 0 -f mp4 -vol 512 -y " +
                              Quote(out);
    ASSERT_EQ(RunTool(L"Brannet.exe", args, 60s).exitCode, 0u);
    OutputInfo info = Inspect(out);
    info.tags.emplace("title", "");
    info.tags.emplace("album", "");
    info.tags.emplace("date", "");
    EXPECT_EQ(info.videoCodec, "mpeg4");
    EXPECT_EQ(info.audioCodec, "aac");
    EXPECT_EQ(info.tags.at("title"), "Dubbed");
    EXPECT_EQ(info.tags.at("album"), "Tests");
    EXPECT_EQ(info.tags.at("date"), "2009");
    EXPECT_NEAR(info.durationUs / 1e6, 5.0, 0.3); // the sound ends at 1 + 4 s
}

TEST(EncodeTool, StopsAtTheSizeLimit)
{
    const std::wstring out = TempFolder() + L"\\small.avi";
    ASSERT_EQ(RunTool(L"Brannet.exe", L"-i " + Quote(Clip(L"sd10.mp4")) + L" -fs 150000 -f avi -y " + Quote(out)).exitCode, 0u);
    const std::string bytes = ReadFileBytes(out);
    EXPECT_GT(bytes.size(), 50000u);
    EXPECT_LT(bytes.size(), 200000u);
    EXPECT_TRUE(Inspect(out).opened);
}

TEST(EncodeTool, AnOptionItCannotHonourFailsAndLeavesNoOutput)
{
    const std::wstring folder = TempFolder();
    const std::wstring preset = folder + L"\\bad.preset";
    {
        HANDLE f = CreateFileW(preset.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const char text[] = "# not an option of any encoder\nno_such_option=1\n";
        DWORD written = 0;
        WriteFile(f, text, sizeof text - 1, &written, nullptr);
        CloseHandle(f);
    }
    const std::wstring in = L"-i " + Quote(Clip(L"h264.mp4")) + L" ";
    const std::wstring out = folder + L"\\out.3gp";
    for (const std::wstring& args : {in + L"-f 3gp -vcodec h263", // H.263 has no 320x240
                                     in + L"-f mp4 -vcodec nosuchcodec", in + L"-f nosuchformat",
                                     in + L"-f mp4 -vpre " + Quote(preset), in + L"-f mp4 -vpre " + Quote(folder + L"\\missing.preset"),
                                     in + L"-f mp4 -map 0:7 -map 0:1", in + L"-f mp4 -s 0x0", in + L"-f avi -ac 9"}) {
        const RunResult r = RunTool(L"Brannet.exe", args + L" -y " + Quote(out), 30s);
        EXPECT_NE(r.exitCode, 0u) << std::string(args.begin(), args.end());
        EXPECT_FALSE(Exists(out));
    }
    EXPECT_TRUE(NoLeftovers(folder));
}

TEST(EncodeTool, PresetFilesSetEncoderOptions)
{
    const std::wstring folder = TempFolder();
    const std::wstring preset = folder + L"\\good.preset";
    {
        HANDLE f = CreateFileW(preset.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const char text[] = "vcodec=mpeg4\ng=12\nqmin=3\ns=240x180\n";
        DWORD written = 0;
        WriteFile(f, text, sizeof text - 1, &written, nullptr);
        CloseHandle(f);
    }
    const std::wstring out = folder + L"\\p.avi";
    ASSERT_EQ(RunTool(L"Brannet.exe", L"-i " + Quote(Clip(L"h264.mp4")) + L" -f avi -vpre " + Quote(preset) + L" -y " +
                                         Quote(out)).exitCode, 0u);
    EXPECT_EQ(Inspect(out).width, 240);
}

TEST(EncodeTool, ReportsProgressToACallbackWindow)
{
    PlaybackHost host;
    const std::wstring out = TempFolder() + L"\\cb.mp4";
    ToolProcess tool(L"Brannet.exe", L"-i " + Quote(Clip(L"sd10.mp4")) + L" -f mp4 -y " + Quote(out) +
                                         L" -callbackwindow " + std::to_wstring(reinterpret_cast<std::intptr_t>(host.Frame())) +
                                         L" -context " + std::to_wstring(host.Context()));
    ASSERT_TRUE(host.PumpUntil([&] { return host.Count(kCallbackEnded) > 0; }, 60s, tool.Handle()));
    DWORD code = 99;
    ASSERT_TRUE(tool.WaitExit(5s, code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(host.Count(kCallbackOpened), 1u);
    EXPECT_GE(host.Count(kCallbackStatus), 1u);
    EXPECT_EQ(host.Events().back().type, kCallbackEnded);
    EXPECT_FALSE(host.SawBadContext());
}

} // namespace harlow::test
