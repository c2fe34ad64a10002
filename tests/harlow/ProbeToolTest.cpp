// The probe tool on generated clips: what Zevrin's MediaInfos parser reads must be right.
#include <gtest/gtest.h>

#include <cwchar>
#include <ostream>

#include "MediaCheck.h"
#include "ToolRunner.h"

#include <cstdlib>

namespace harlow::test {

namespace {

struct Probed {
    DWORD exitCode = 0;
    ProbeXml xml;
    bool loaded = false;
};

Probed Probe(const std::wstring& media)
{
    Probed p;
    const std::wstring out = TempFolder() + L"\\info.xml";
    p.exitCode = RunTool(L"Quorrin.exe", Quote(media) + L" -o " + Quote(out), std::chrono::seconds(30)).exitCode;
    p.loaded = p.xml.Load(out);
    return p;
}

int Attr(const TiXmlElement* e, const char* name)
{
    const char* v = e ? e->Attribute(name) : nullptr;
    return v ? std::atoi(v) : -1;
}

std::string Text(const TiXmlElement* e, const char* name)
{
    const char* v = e ? e->Attribute(name) : nullptr;
    return v ? v : "";
}

} // namespace

struct ContainerCase {
    const wchar_t* clip;
    const char* format;
    int videoCodec; // -1: no video stream
    int audioCodec;
    double seconds;
};

void PrintTo(const ContainerCase& c, std::ostream* os)
{
    *os << std::string(c.clip, c.clip + wcslen(c.clip));
}

class ProbeContainers : public testing::TestWithParam<ContainerCase> {};

TEST_P(ProbeContainers, DescribesStreamsCodecsAndDuration)
{
    const ContainerCase& c = GetParam();
    Probed p = Probe(Clip(c.clip));
    ASSERT_EQ(p.exitCode, 0u);
    ASSERT_TRUE(p.loaded);
    EXPECT_EQ(Text(p.xml.info, "Format"), c.format);
    EXPECT_NEAR(p.xml.Number("Duration") / 1e6, c.seconds, 0.25);
    EXPECT_GT(p.xml.Number("Size"), 0);
    EXPECT_GT(p.xml.Number("BitRate"), 0);
    int video = -1, audio = -1;
    for (int i = 0; i < p.xml.Number("StreamCount"); ++i) {
        const TiXmlElement* s = p.xml.Stream(i);
        ASSERT_NE(s, nullptr);
        if (Attr(s, "Type") == 0) {
            video = Attr(s, "Codec");
            EXPECT_NE(Text(s, "Resolution"), "0x0");
            EXPECT_NE(Text(s, "FrameRate").find('/'), std::string::npos);
        }
        if (Attr(s, "Type") == 1) {
            audio = Attr(s, "Codec");
            EXPECT_GT(Attr(s, "SampleRate"), 0);
            EXPECT_GT(Attr(s, "Channels"), 0);
        }
    }
    EXPECT_EQ(video, c.videoCodec);
    EXPECT_EQ(audio, c.audioCodec);
    EXPECT_EQ(p.xml.Number("Flags") & 3, (c.videoCodec >= 0 ? 1 : 0) | (c.audioCodec >= 0 ? 2 : 0));
}

INSTANTIATE_TEST_SUITE_P(Clips, ProbeContainers,
                         testing::Values(ContainerCase{L"phone.3gp", "3gp", 4, 223, 6.1},
                                         ContainerCase{L"h264.mp4", "mp4", 28, 223, 8.0},
                                         ContainerCase{L"mpeg4.avi", "avi", 11, 221, 5.0},
                                         ContainerCase{L"vp8.webm", "matroska", 35, 227, 5.0},
                                         ContainerCase{L"clip.flv", "flv", 20, 212, 5.0},
                                         ContainerCase{L"mjpeg.mov", "mov", 7, 200, 5.0},
                                         ContainerCase{L"tone.wav", "wav", -1, 200, 4.0},
                                         ContainerCase{L"tone.ogg", "ogg", -1, 227, 4.0}));

TEST(ProbeTool, TrustsTheSamplesOverAHeaderThatLies)
{
    // The movie and media headers claim 60 s; the samples last 6.
    Probed p = Probe(Clip(L"lying.3gp"));
    ASSERT_TRUE(p.loaded);
    EXPECT_NEAR(p.xml.Number("Duration") / 1e6, 6.1, 0.2);
    const TiXmlElement* video = p.xml.Stream(0);
    EXPECT_EQ(Text(video, "FrameRate"), "15/1");
    EXPECT_EQ(Attr(video, "Frames"), 90);
}

TEST(ProbeTool, StillPicturesTakeTheStillImageNumbersAndMotionJpegDoesNot)
{
    Probed jpeg = Probe(Clip(L"picture.jpg"));
    ASSERT_TRUE(jpeg.loaded);
    EXPECT_EQ(jpeg.xml.Number("StreamCount"), 1);
    EXPECT_EQ(Attr(jpeg.xml.Stream(0), "Codec"), 8);
    Probed png = Probe(Clip(L"picture.png"));
    ASSERT_TRUE(png.loaded);
    EXPECT_EQ(Attr(png.xml.Stream(0), "Codec"), 12);
    Probed motion = Probe(Clip(L"mjpeg.mov"));
    ASSERT_TRUE(motion.loaded);
    EXPECT_EQ(Attr(motion.xml.Stream(0), "Codec"), 7);
}

TEST(ProbeTool, WritesMetadataEscapedAsUtf8)
{
    Probed p = Probe(Clip(L"h264.mp4"));
    ASSERT_TRUE(p.loaded);
    EXPECT_EQ(p.xml.MetaText("Title"), "Clip <one> & \"two\"");
    EXPECT_EQ(p.xml.MetaText("Author"), "Zo\xC3\xAB \xC3\x9Cnicode");
    EXPECT_EQ(p.xml.MetaText("Album"), "Test Album");
    const TiXmlElement* meta = p.xml.info->FirstChildElement("Meta");
    EXPECT_EQ(Attr(meta, "Year"), 2008);
    EXPECT_EQ(Attr(meta, "Track"), 3);
    for (const char* name : {"Title", "Author", "Copyright", "Comment", "Album", "Genre"})
        EXPECT_NE(meta->FirstChildElement(name), nullptr) << name;
}

TEST(ProbeTool, HandlesPathsOutsideTheAnsiCodePage)
{
    const std::wstring folder = TempFolder() + L"\\M\u00FCsik \u2603 \u65E5\u672C";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring media = folder + L"\\cl\u00EFp.3gp";
    ASSERT_TRUE(CopyFileW(Clip(L"phone.3gp").c_str(), media.c_str(), FALSE));
    const std::wstring out = folder + L"\\\u00E9.xml";
    ASSERT_EQ(RunTool(L"Quorrin.exe", Quote(media) + L" -o " + Quote(out)).exitCode, 0u);
    ProbeXml xml;
    ASSERT_TRUE(xml.Load(out));
    EXPECT_EQ(xml.Number("StreamCount"), 2);
}

TEST(ProbeTool, FailsWithoutTouchingTheOutputOnBadInput)
{
    for (const wchar_t* name : {L"missing.3gp", L"notmedia.bin", L"empty.mp4", L"truncated.mp4"}) {
        const std::wstring folder = TempFolder();
        const std::wstring out = folder + L"\\info.xml";
        // The program creates the file empty before running the probe.
        CloseHandle(CreateFileW(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const RunResult r = RunTool(L"Quorrin.exe", Quote(Clip(name)) + L" -o " + Quote(out), std::chrono::seconds(20));
        EXPECT_NE(r.exitCode, 0u) << "probing " << name;
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(ReadFileBytes(out), "");
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((folder + L"\\*.part*").c_str(), &found);
        EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
    }
    EXPECT_NE(RunTool(L"Quorrin.exe", Quote(Clip(L"phone.3gp"))).exitCode, 0u) << "no -o";
}

} // namespace harlow::test
