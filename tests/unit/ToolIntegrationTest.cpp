// The probe and encode wrappers with the real tools of the installed tree on generated clips.
#include "LocalHttpServer.h"
#include "ToolTestSupport.h"

#include "services/AppResources.h"
#include "tools/EncodeTool.h"
#include "tools/ProbeTool.h"

#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zevrin;
using namespace zevrin::test;

namespace {

constexpr std::int64_t kSecond = 1000000;

int CountProbeTempFiles() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((std::wstring(temp) + L"~FP*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

class ProbeMediaIntegration : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring quorrin = HarlowTool(L"Quorrin.exe");
        if (quorrin.empty()) GTEST_SKIP() << "the probe tool is not built";
        probe.SetToolPath(quorrin);
    }
    CMediaInfo Probe(const std::wstring& path, int expected = 0) {
        CMediaInfo info;
        EXPECT_EQ(probe.Probe(path, info, nullptr), expected) << testing::PrintToString(path);
        return info;
    }
    CProbeTool probe;
    ScratchFolder folder{L"probe"};
};

struct JpegFacts {
    bool decoded = false;
    int width = 0, height = 0;
};

// Decodes the whole picture; a broken file makes libjpeg's error exit jump out.
JpegFacts DecodeJpeg(const std::wstring& path) {
    JpegFacts facts;
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 4) return facts;
    jpeg_decompress_struct cinfo{};
    struct Error : jpeg_error_mgr {
        bool failed = false;
    } error;
    cinfo.err = jpeg_std_error(&error);
    error.error_exit = [](j_common_ptr c) {
        static_cast<Error*>(c->err)->failed = true;
        throw 1;  // libjpeg must not return from here
    };
    jpeg_create_decompress(&cinfo);
    try {
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&cinfo, TRUE);
        jpeg_start_decompress(&cinfo);
        std::vector<unsigned char> row(static_cast<size_t>(cinfo.output_width) * cinfo.output_components);
        while (cinfo.output_scanline < cinfo.output_height) {
            unsigned char* rows[] = {row.data()};
            jpeg_read_scanlines(&cinfo, rows, 1);
        }
        jpeg_finish_decompress(&cinfo);
        facts = {true, static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height)};
    } catch (int) {
    }
    jpeg_destroy_decompress(&cinfo);
    return facts;
}

class ExtractFrameIntegration : public testing::Test {
protected:
    void SetUp() override {
        brannet = HarlowTool(L"Brannet.exe");
        if (brannet.empty()) GTEST_SKIP() << "the encode tool is not built";
    }
    int Extract(const std::wstring& media, const std::wstring& output, int timeMs, const ToolStopFlag* stop = nullptr) {
        return ExtractFrameWith(brannet, L"", media, output, timeMs, L"", stop);
    }
    std::wstring brannet;
    ScratchFolder folder{L"extract"};
};

} // namespace

TEST_F(ProbeMediaIntegration, DurationsAndStreamsMatchTheClips) {
    // The probe counts the 8 kHz AAC track's encoder delay and padding (128 ms frames) into
    // the length; its video stream is exact.
    const CMediaInfo phone = Probe(ClipPath(L"phone.3gp"));
    EXPECT_NEAR(phone.duration, 6 * kSecond, 3 * kSecond / 16);
    ASSERT_GE(phone.firstVideo, 0);
    ASSERT_GE(phone.firstAudio, 0);
    EXPECT_NEAR(phone.streams[phone.firstVideo].duration, 6 * kSecond, kSecond / 15);
    EXPECT_EQ(phone.flags & 3u, 3u);
    EXPECT_EQ(phone.streams[phone.firstVideo].width, 176);
    EXPECT_EQ(phone.streams[phone.firstVideo].height, 144);
    EXPECT_EQ(phone.streams[phone.firstAudio].sampleRate, 8000);
    EXPECT_EQ(phone.streams[phone.firstAudio].channels, 1);
    EXPECT_FALSE(phone.IsStillImage());

    // Headers that claim ten times the length do not fool it.
    EXPECT_NEAR(Probe(ClipPath(L"lying.3gp")).duration, 6 * kSecond, 3 * kSecond / 16);

    const CMediaInfo tone = Probe(ClipPath(L"tone.wav"));
    EXPECT_NEAR(tone.duration, 4 * kSecond, kSecond / 25);
    EXPECT_EQ(tone.firstVideo, -1);
    EXPECT_EQ(tone.flags & 3u, static_cast<unsigned>(kMediaFlagAudio));

    EXPECT_TRUE(Probe(ClipPath(L"picture.jpg")).IsStillImage());
}

TEST_F(ProbeMediaIntegration, MetadataArrivesAsUnicode) {
    const CMediaInfo info = Probe(ClipPath(L"h264.mp4"));
    EXPECT_NEAR(info.duration, 8 * kSecond, kSecond / 25);
    EXPECT_EQ(info.title, L"Clip <one> & \"two\"");
    EXPECT_EQ(info.author, L"Zo\u00EB \u00DCnicode");
    EXPECT_EQ(info.album, L"Test Album");
    EXPECT_EQ(info.year, 2008);
    EXPECT_EQ(info.track, 3);
}

TEST_F(ProbeMediaIntegration, PathsWithBlanksAndOtherScriptsReachTheTool) {
    const std::wstring copy = folder / L"Zo\u00EB \u65E5\u672C\u8A9E clip (1) & more.mp4";
    ASSERT_TRUE(CopyFileW(ClipPath(L"h264.mp4").c_str(), copy.c_str(), FALSE));
    EXPECT_NEAR(Probe(copy).duration, 8 * kSecond, kSecond / 25);
}

TEST_F(ProbeMediaIntegration, AUrlReachesTheTool) {
    LocalHttpServer server(ReadFileBytes(ClipPath(L"vp8.webm")));
    ASSERT_NE(server.Port(), 0);
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/clip%20one.webm?a=1&b=2";
    const CMediaInfo info = Probe(url);
    EXPECT_NEAR(info.duration, 5 * kSecond, kSecond / 25);
    EXPECT_GE(info.firstVideo, 0);
}

TEST_F(ProbeMediaIntegration, FailuresGiveMinusOne) {
    const std::wstring text = folder / L"notes.TXT";
    ASSERT_TRUE(CopyFileW(ClipPath(L"tone.wav").c_str(), text.c_str(), FALSE));
    const CMediaInfo fromText = Probe(text, -1);
    EXPECT_GT(fromText.duration, 0);  // the tool described it; the name rules it out

    Probe(ClipPath(L"notmedia.bin"), -1);
    Probe(ClipPath(L"empty.mp4"), -1);
    Probe(folder / L"missing.mp4", -1);

    CProbeTool missing;
    missing.SetToolPath(folder / L"Quorrin.exe");
    CMediaInfo info;
    EXPECT_EQ(missing.Probe(ClipPath(L"phone.3gp"), info, nullptr), -1);
}

TEST_F(ProbeMediaIntegration, LeavesNoTemporaryFilesAndUsesTheInstalledTool) {
    const int before = CountProbeTempFiles();
    const std::wstring probe = HarlowTool(L"Quorrin.exe");
    CMediaInfo info;
    ToolStopFlag flag{kStopNone};
    EXPECT_EQ(ProbeMedia(probe, ClipPath(L"vp8.webm"), info, &flag), 0);
    EXPECT_EQ(ProbeMedia(probe, ClipPath(L"notmedia.bin"), info, nullptr), -1);
    EXPECT_NEAR(info.duration, 5 * kSecond, kSecond / 25);
    EXPECT_EQ(CountProbeTempFiles(), before);
}

TEST_F(ExtractFrameIntegration, AJpegThatDecodesAtOneSecond) {
    const std::wstring output = folder / L"frame.jpg";
    ASSERT_EQ(Extract(ClipPath(L"h264.mp4"), output, 1000), 0);
    const JpegFacts jpeg = DecodeJpeg(output);
    EXPECT_TRUE(jpeg.decoded);
    EXPECT_EQ(jpeg.width, 320);
    EXPECT_EQ(jpeg.height, 240);

    const std::wstring first = folder / L"first.jpg";
    ASSERT_EQ(Extract(ClipPath(L"phone.3gp"), first, 0), 0);
    const JpegFacts phone = DecodeJpeg(first);
    EXPECT_TRUE(phone.decoded);
    EXPECT_EQ(phone.height, 144);  // the width may follow the codec's pixel shape (12:11)
}

TEST_F(ExtractFrameIntegration, PathsWithBlanksAndOtherScriptsBothWays) {
    const std::wstring media = folder / L"\u00DCnicode \u65E5\u672C clip.3gp";
    const std::wstring output = folder / L"Vorschau f\u00FCr \u65E5\u672C.jpg";
    ASSERT_TRUE(CopyFileW(ClipPath(L"phone.3gp").c_str(), media.c_str(), FALSE));
    ASSERT_EQ(Extract(media, output, 2000), 0);
    EXPECT_TRUE(DecodeJpeg(output).decoded);
}

TEST_F(ExtractFrameIntegration, FailuresWriteNothing) {
    const std::wstring output = folder / L"bad.jpg";
    EXPECT_EQ(Extract(ClipPath(L"notmedia.bin"), output, 1000), -1);
    EXPECT_EQ(Extract(folder / L"missing.mp4", output, 1000), -1);
    EXPECT_FALSE(FileExists(output));
    ToolStopFlag stopped{kStopRequested};
    EXPECT_EQ(Extract(ClipPath(L"h264.mp4"), output, 1000, &stopped), -1);
    EXPECT_EQ(ExtractFrameWith(folder / L"Brannet.exe", L"", ClipPath(L"h264.mp4"), output, 1000, L"", nullptr), -1);
}
