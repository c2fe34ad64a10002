// The media information record as read from hand-written "MediaInfos" documents, its stream
// indices and the still-picture test.
#include "ToolTestSupport.h"

#include "tools/MediaInfosParser.h"
#include "tools/ProbeTool.h"
#include "tools/ToolOption.h"
#include "tools/TempFileGuard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace zevrin;
using namespace zevrin::test;

namespace {

std::string Doc(const std::string& mediaInfoBody, const std::string& attributes = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MediaInfos><MediaInfo" + attributes + ">" + mediaInfoBody +
           "</MediaInfo></MediaInfos>";
}

CMediaInfo Parsed(const std::string& xml) {
    CMediaInfo info;
    EXPECT_EQ(ParseMediaInfosText(xml, info), 0) << xml;
    return info;
}

} // namespace

TEST(ParseMediaInfos, ReadsTheContainerTheStreamsAndTheMetadata) {
    const CMediaInfo info = Parsed(Doc(
        "<Stream Type=\"0\" Flags=\"3\" Format=\"h264\" Codec=\"28\" StartTime=\"0\" Duration=\"8000000\" "
        "Frames=\"200\" Resolution=\"320x240\" Aspect=\"4/3\" FrameRate=\"25/1\" BitRate=\"250000\"/>"
        "<Stream Type=\"1\" Format=\"aac\" Codec=\"86018\" Duration=\"7989000\" Channels=\"2\" "
        "SampleRate=\"44100\" BitRate=\"96000\" Resolution=\"1x1\"/>"
        "<Meta Year=\"2008\" Track=\"3\"><Title>Clip &lt;one&gt; &amp; \"two\"</Title>"
        "<Author>Zo\xC3\xAB \xC3\x9Cnicode</Author><Copyright/><Comment>a comment</Comment>"
        "<Album>Test Album</Album><Genre>Test</Genre></Meta>",
        " Flags=\"4\" Format=\"mov,mp4,m4a,3gp,3g2,mj2\" Size=\"6000000000\" StartTime=\"-23000\""
        " Duration=\"61440000\" BitRate=\"350000\" StreamCount=\"2\""));
    EXPECT_EQ(info.flags, 4u);  // the stream bits come with BuildStreamIndex
    EXPECT_EQ(info.format, L"mov,mp4,m4a,3gp,3g2,mj2");
    EXPECT_EQ(info.size, 6000000000LL);
    EXPECT_EQ(info.startTime, -23000);
    EXPECT_EQ(info.duration, 61440000);
    EXPECT_EQ(info.bitRate, 350000);
    EXPECT_EQ(info.streamCount, 2);
    ASSERT_EQ(info.streams.size(), 2u);
    const CMediaStream& v = info.streams[0];
    EXPECT_EQ(v.type, 0);
    EXPECT_EQ(v.flags, 3u);
    EXPECT_EQ(v.format, L"h264");
    EXPECT_EQ(v.codec, 28);
    EXPECT_EQ(v.duration, 8000000);
    EXPECT_EQ(v.frames, 200);
    EXPECT_EQ(v.width, 320);
    EXPECT_EQ(v.height, 240);
    EXPECT_EQ(v.aspectNum, 4);
    EXPECT_EQ(v.aspectDen, 3);
    EXPECT_EQ(v.frameRateNum, 25);
    EXPECT_EQ(v.frameRateDen, 1);
    EXPECT_EQ(v.bitRate, 250000);
    const CMediaStream& a = info.streams[1];
    EXPECT_EQ(a.channels, 2);
    EXPECT_EQ(a.sampleRate, 44100);
    EXPECT_EQ(a.bitRate, 96000);
    EXPECT_EQ(a.codec, 86018);
    EXPECT_EQ(a.width, 0);  // video attributes are not read for audio
    EXPECT_EQ(info.year, 2008);
    EXPECT_EQ(info.track, 3);
    EXPECT_EQ(info.title, L"Clip <one> & \"two\"");
    EXPECT_EQ(info.author, L"Zo\u00EB \u00DCnicode");
    EXPECT_EQ(info.copyright, L"");
    EXPECT_EQ(info.comment, L"a comment");
    EXPECT_EQ(info.album, L"Test Album");
    EXPECT_EQ(info.genre, L"Test");
}

TEST(ParseMediaInfos, MissingOrMalformedNumbersKeepTheirInitialValues) {
    const CMediaInfo info = Parsed(Doc("<Stream Type=\"0\" Codec=\"abc\" Frames=\"12x\" Resolution=\"640\" "
                                       "Aspect=\"x/9\" FrameRate=\"30000/\"/>",
                                       " Flags=\"-1\" Size=\"\" Duration=\"99999999999999999999\" BitRate=\"12.5\""));
    EXPECT_EQ(info.flags, 0u);
    EXPECT_EQ(info.size, 0);
    EXPECT_EQ(info.duration, 0);
    EXPECT_EQ(info.bitRate, 0);
    ASSERT_EQ(info.streams.size(), 1u);
    const CMediaStream& s = info.streams[0];
    EXPECT_EQ(s.codec, 0);
    EXPECT_EQ(s.frames, 0);
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 0);
    EXPECT_EQ(s.aspectNum, 0);
    EXPECT_EQ(s.aspectDen, 0);
    EXPECT_EQ(s.frameRateNum, 30000);
    EXPECT_EQ(s.frameRateDen, 0);
}

TEST(ParseMediaInfos, OnlyTheFirstMediaInfoCounts) {
    const CMediaInfo info = Parsed(
        "<MediaInfos><MediaInfo Duration=\"1\"><Stream Type=\"1\"/></MediaInfo>"
        "<MediaInfo Duration=\"2\"><Stream Type=\"0\"/><Stream Type=\"0\"/></MediaInfo></MediaInfos>");
    EXPECT_EQ(info.duration, 1);
    EXPECT_EQ(info.streams.size(), 1u);
}

TEST(ParseMediaInfos, ARecordProbedAgainHoldsOnlyTheNewReport) {
    CMediaInfo info;
    ASSERT_EQ(ParseMediaInfosText(Doc("<Stream Type=\"0\"/><Stream Type=\"1\"/>", " Duration=\"5\""), info), 0);
    info.BuildStreamIndex();
    ASSERT_EQ(ParseMediaInfosText(Doc("<Stream Type=\"1\"/>"), info), 0);
    info.BuildStreamIndex();
    EXPECT_EQ(info.duration, 0);
    EXPECT_EQ(info.streams.size(), 1u);
    EXPECT_EQ(info.firstVideo, -1);
    EXPECT_EQ(info.firstAudio, 0);
}

TEST(ParseMediaInfos, FailsWithoutTheTwoElements) {
    CMediaInfo info;
    EXPECT_EQ(ParseMediaInfosText("", info), -1);
    EXPECT_EQ(ParseMediaInfosText("<MediaInfos><MediaInfo>", info), -1);
    EXPECT_EQ(ParseMediaInfosText("<MediaInfos/>", info), -1);
    EXPECT_EQ(ParseMediaInfosText("<Other><MediaInfo/></Other>", info), -1);
    EXPECT_EQ(ParseMediaInfosText("<MediaInfos><Other/><MediaInfo Duration=\"7\"/></MediaInfos>", info), 0);
    EXPECT_EQ(info.duration, 7);
}

TEST(ParseMediaInfos, ReadsFilesByTheirWidePath) {
    ScratchFolder folder(L"mediainfos");
    const std::wstring path = folder / L"D\u00E9j\u00E0 vu \u65E5\u672C.xml";
    const std::string xml = Doc("", " Duration=\"42\"");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, xml.data(), static_cast<DWORD>(xml.size()), &written, nullptr);
    CloseHandle(file);
    CMediaInfo info;
    EXPECT_EQ(ParseMediaInfos(path, info), 0);
    EXPECT_EQ(info.duration, 42);
    EXPECT_EQ(ParseMediaInfos(folder / L"missing.xml", info), -1);
}

TEST(MediaInfo, StreamIndexByKind) {
    CMediaInfo info = Parsed(Doc("<Stream Type=\"1\"/><Stream Type=\"2\"/><Stream Type=\"0\"/><Stream Type=\"1\"/>"
                                 "<Stream Type=\"0\"/>",
                                 " Flags=\"16\""));
    info.BuildStreamIndex();
    EXPECT_EQ(info.videoStreams, (std::vector<int>{2, 4}));
    EXPECT_EQ(info.audioStreams, (std::vector<int>{0, 3}));
    EXPECT_EQ(info.firstVideo, 2);
    EXPECT_EQ(info.firstAudio, 0);
    EXPECT_EQ(info.flags, 16u | kMediaFlagVideo | kMediaFlagAudio);
    EXPECT_EQ(info.streams.size(), 5u);  // the type 2 stream is kept, in neither index

    CMediaInfo silent = Parsed(Doc("<Stream Type=\"0\"/>"));
    silent.BuildStreamIndex();
    EXPECT_EQ(silent.firstAudio, -1);
    EXPECT_EQ(silent.flags, static_cast<std::uint32_t>(kMediaFlagVideo));
}

TEST(MediaInfo, AStillImageIsOneReportedStreamOfAPictureCodec) {
    EXPECT_TRUE(Parsed(Doc("<Stream Type=\"0\" Codec=\"8\"/>", " StreamCount=\"1\"")).IsStillImage());
    EXPECT_TRUE(Parsed(Doc("<Stream Type=\"0\" Codec=\"111\"/>", " StreamCount=\"1\"")).IsStillImage());
    EXPECT_FALSE(Parsed(Doc("<Stream Type=\"0\" Codec=\"8\"/>", " StreamCount=\"2\"")).IsStillImage());
    EXPECT_FALSE(Parsed(Doc("<Stream Type=\"0\" Codec=\"28\"/>", " StreamCount=\"1\"")).IsStillImage());
    EXPECT_FALSE(Parsed(Doc("", " StreamCount=\"1\"")).IsStillImage());  // claims a stream it doesn't list
}

TEST(TempFileGuard, DeletesItsFileAndGivesUpOnALockedOneInBoundedTime) {
    ScratchFolder folder(L"guard");
    const std::wstring free = folder / L"free.tmp";
    const std::wstring locked = folder / L"locked.tmp";
    CloseHandle(CreateFileW(free.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    { CTempFileGuard guard(free); }
    EXPECT_FALSE(FileExists(free));

    HANDLE held = CreateFileW(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const auto start = std::chrono::steady_clock::now();
    { CTempFileGuard guard(locked, 3); }
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(FileExists(locked));
    EXPECT_GE(waited, std::chrono::milliseconds(250));
    EXPECT_LT(waited, std::chrono::milliseconds(1500));

    // Released while the guard waits: the file goes.
    std::jthread release([&] {
        Sleep(300);
        CloseHandle(held);
    });
    { CTempFileGuard guard(locked); }
    EXPECT_FALSE(FileExists(locked));
    { CTempFileGuard nothing(folder / L"never-existed.tmp"); }
}

TEST(ProbeToolWrapper, CommandLineCarriesPathsAndUrlsIntactAndCleansUp) {
    ScratchFolder folder(L"probe-line");
    const std::wstring report = folder / L"report.txt";
    CProbeTool probe;
    probe.SetToolPath(TestToolPath());
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", report.c_str());
    for (const std::wstring& media : {std::wstring(L"http://127.0.0.1:8080/a b/\u65E5\u672C.mp4?x=\"1\"&y=2"),
                                     std::wstring(L"C:\\M\u00FCsik\\clip one.3gp")}) {
        CMediaInfo info;
        EXPECT_EQ(probe.Probe(media, info, nullptr), -1);  // the stand-in writes no description
        const std::string text = ReadFileBytes(report);
        const std::string head = WideToUtf8(media) + "\n-o\n";
        ASSERT_EQ(text.substr(0, head.size()), head);
        // The description went to a fresh temporary file, which is gone again.
        const std::string xml = text.substr(head.size(), text.find('\n', head.size()) - head.size());
        EXPECT_NE(xml.find("~FP"), std::string::npos) << xml;
        EXPECT_FALSE(FileExists(Widen(xml.c_str())));
    }
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", nullptr);
    EXPECT_EQ(probe.BuildCommandLine(L"C:\\a.mp4", L"C:\\t\\~FP1.tmp"),
              QuotedToolPath(TestToolPath()) + L" \"C:\\a.mp4\" -o \"C:\\t\\~FP1.tmp\"");
}
