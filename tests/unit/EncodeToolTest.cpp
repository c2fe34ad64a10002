// The encode tool's command line from its option record, the frame-extraction line, presets
// and the translation of the encode tool's callbacks.
#include "ToolTestSupport.h"

#include "tools/EncodeTool.h"
#include "tools/ToolOption.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zevrin;
using namespace zevrin::test;

namespace {

constexpr wchar_t kTool[] = L"C:\\Zevrin\\Harlow\\Brannet.exe";

class EncodeCommandLine : public testing::Test {
protected:
    void SetUp() override { tool.Setup(kTool, L"", nullptr, nullptr); }
    // The line after the quoted tool path.
    std::wstring Tail() {
        tool.Options().Normalise();
        const std::wstring line = tool.BuildCommandLine();
        const std::wstring head = QuotedToolPath(kTool) + L" ";
        EXPECT_EQ(line.substr(0, head.size()), head);
        return line.substr(head.size());
    }
    CEncodeTool tool;
};

struct Notification {
    int type;
    std::vector<std::intptr_t> args;
};

class RecordingSink : public IToolSink {
public:
    int Notify(int source, int type, int argCount, const std::intptr_t* args) override {
        EXPECT_EQ(source, 0);
        Notification n{type, std::vector<std::intptr_t>(args, args + argCount)};
        if (type == harlow::kCallbackMessage) text = reinterpret_cast<const char*>(args[0]);
        if (type == harlow::kCallbackOpened || type == harlow::kCallbackStatus)
            positions.push_back(reinterpret_cast<const harlow::EncodeProgress*>(args[0])->position);
        received.push_back(n);
        return 7;
    }
    std::vector<Notification> received;
    std::string text;
    std::vector<std::int64_t> positions;
};

} // namespace

TEST_F(EncodeCommandLine, ANeutralRecordAsksOnlyToOverwrite) { EXPECT_EQ(Tail(), L"-y"); }

TEST_F(EncodeCommandLine, EveryOptionInItsPlace) {
    CEncodeOptions& o = tool.Options();
    o.flags = kEncodeEmitThreads;
    o.threads = 2;
    o.bufferSize = 4096;
    o.inputPath = L"C:\\in.avi";
    o.secondInputPath = L"C:\\voice.wav";
    o.secondInputOffsetMs = 1500;
    o.mapInput1 = 0;
    o.mapStream1 = 0;
    o.mapInput2 = 1;
    o.mapStream2 = 0;
    o.startMs = 61440;
    o.durationMs = 3723004;
    o.sizeLimit = 5000000000LL;
    o.cropLeft = 2;
    o.cropTop = 4;
    o.cropRight = 6;
    o.cropBottom = 8;
    o.title = L"Title";
    o.author = L"Me";
    o.copyright = L"(c)";
    o.comment = L"none";
    o.album = L"Album";
    o.extraText = L"never shown";
    o.year = 2008;
    o.track = 3;
    o.format = L"3gp";
    o.videoCodec = L"h263";
    o.width = 175;
    o.height = 144;
    o.aspectNum = 11;
    o.aspectDen = 9;
    o.frameRateNum = 15;
    o.frameRateDen = 1;
    o.videoBitRate = 128000;
    o.videoMode = kVideoSameQuality;
    o.frameCount = 30;
    o.audioCodec = L"aac";
    o.channels = 1;
    o.sampleRate = 8000;
    o.audioBitRate = 12200;
    o.volume = 512;
    o.extraArguments = L"-strict -2";
    o.outputPath = L"C:\\out.3gp";
    EXPECT_EQ(Tail(),
              L"-threads 2 -bufsize 4096 -i \"C:\\in.avi\" -itsoffset 0:00:01.500 -i \"C:\\voice.wav\" -map 0:0 "
              L"-map 1:0 -ss 0:01:01.440 -t 1:02:03.004 -fs 5000000000 -cropleft 2 -croptop 4 -cropright 6 "
              L"-cropbottom 8 -title Title -author Me -copyright (c) -comment none -album Album -year 2008 "
              L"-track 3 -f 3gp -vcodec h263 -s 174x144 -aspect 11:9 -r 15/1 -b:v 128000 -sameq -vframes 30 "
              L"-acodec aac -ac 1 -ar 8000 -b:a 12200 -vol 512 -strict -2 -y \"C:\\out.3gp\"");
}

TEST_F(EncodeCommandLine, ConditionsThatLeaveOptionsOut) {
    CEncodeOptions& o = tool.Options();
    o.threads = 4;              // without the flag
    o.secondInputPath = L"C:\\b.wav";  // no offset
    o.mapInput1 = o.mapStream1 = o.mapInput2 = 0;  // mapStream2 still -1
    o.track = 0;                // track 0 is a track, year 0 is none
    o.width = 176;              // without a height
    o.aspectNum = 4;
    o.frameRateDen = 1;
    o.videoPreset = L"missing";  // no preset folder
    o.audioPreset = L"missing";
    EXPECT_EQ(Tail(), L"-i \"C:\\b.wav\" -track 0 -y");
}

TEST_F(EncodeCommandLine, NegativeModesDropAWholeKind) {
    CEncodeOptions& o = tool.Options();
    o.videoMode = -1;
    o.videoCodec = L"h263";
    o.width = 176;
    o.height = 144;
    o.audioMode = -1;
    o.audioCodec = L"aac";
    o.volume = 0;
    EXPECT_EQ(Tail(), L"-vn -an -y");
}

TEST_F(EncodeCommandLine, MetadataWithBlanksStaysOneArgument) {
    tool.Options().title = L"Clip \"one\" & two";
    tool.Options().outputPath = L"C:\\o.mp4";
    EXPECT_EQ(Tail(), L"-title \"Clip \\\"one\\\" & two\" -y \"C:\\o.mp4\"");
}

TEST_F(EncodeCommandLine, PresetsResolveInThePresetFolderOnly) {
    ScratchFolder folder(L"presets");
    const std::wstring presets = folder / L"";
    const std::wstring folderPath = presets.substr(0, presets.size() - 1);
    CloseHandle(CreateFileW((folder / L"fast.preset").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    tool.Setup(kTool, folderPath, nullptr, nullptr);
    std::wstring path;
    EXPECT_EQ(tool.ResolvePreset(L"fast", path), 0);
    EXPECT_EQ(path, folder / L"fast.preset");
    EXPECT_EQ(tool.ResolvePreset(L"slow", path), -1);
    tool.Options().videoPreset = L"fast";
    tool.Options().audioPreset = L"slow";
    EXPECT_EQ(Tail(), L"-vpre \"" + (folder / L"fast.preset") + L"\" -y");

    tool.Setup(kTool, folder / L"gone", nullptr, nullptr);
    EXPECT_EQ(tool.ResolvePreset(L"fast", path), -1);
}

TEST(ExtractFrame, TheThumbnailLineAtOneSecond) {
    ScratchFolder folder(L"extract-line");
    const std::wstring report = folder / L"report.txt";
    const std::wstring output = folder / L"frame 1.jpg";
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", report.c_str());
    const int result = ExtractFrameWith(TestToolPath(), L"", L"C:\\Media\\clip one.3gp", output, 1000, L"", nullptr);
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", nullptr);
    EXPECT_EQ(result, 0);
    const std::string text = ReadFileBytes(report);
    const std::string expected = "-i\nC:\\Media\\clip one.3gp\n-ss\n0:00:01.000\n-f\nimage2\n-vframes\n1\n-y\n" +
                                 WideToUtf8(output) + "\n-context\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_EQ(text.find("-callbackwindow"), std::string::npos);
}

TEST(ExtractFrame, AtTheStartWithAGivenFormatAndNoOutputMeansFailure) {
    ScratchFolder folder(L"extract-start");
    const std::wstring report = folder / L"report.txt";
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", report.c_str());
    EXPECT_EQ(ExtractFrameWith(TestToolPath(), L"", L"C:\\a.mp4", folder / L"f.png", 0, L"png", nullptr), 0);
    SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", nullptr);
    EXPECT_EQ(ReadFileBytes(report).substr(0, 25), "-i\nC:\\a.mp4\n-f\npng\n-vfram");

    // Success without the file: the stand-in writes nothing without its variable.
    EXPECT_EQ(ExtractFrameWith(TestToolPath(), L"", L"C:\\a.mp4", folder / L"none.jpg", 0, L"", nullptr), -1);
    EXPECT_EQ(ExtractFrameWith(L"C:\\missing\\Brannet.exe", L"", L"C:\\a.mp4", folder / L"x.jpg", 0, L"", nullptr), -1);
}

TEST(EncodeTool, TranslatesTheEncodeCallbacks) {
    RecordingSink sink;
    CEncodeTool tool;
    tool.Setup(kTool, L"", nullptr, &sink);
    static harlow::EncodeCallbackBlock block{};
    auto translate = [&](int type) {
        block.head.type = type;
        block.head.value = 100 + type;
        std::snprintf(block.head.text, sizeof(block.head.text), "frame %d", type);
        block.progress.position = 1000 * type;
        return tool.Translate(ToolCallbackBytes(reinterpret_cast<const std::byte*>(&block), sizeof(block)));
    };
    EXPECT_EQ(translate(0), 7);
    EXPECT_EQ(translate(2), 7);
    EXPECT_EQ(translate(10), 7);
    EXPECT_EQ(translate(4), 7);
    EXPECT_EQ(translate(1), -1);
    EXPECT_EQ(translate(3), -1);
    ASSERT_EQ(sink.received.size(), 4u);
    EXPECT_EQ(sink.received[0].args.size(), 2u);
    EXPECT_EQ(sink.received[0].args[1], 100);
    EXPECT_EQ(sink.text, "frame 0");
    EXPECT_EQ(sink.positions, (std::vector<std::int64_t>{2000, 10000}));
    EXPECT_TRUE(sink.received[3].args.empty());
}

TEST(EncodeTool, CallbacksFromARunThenTheEnd) {
    CallbackWindow window;
    RecordingSink sink;
    CEncodeTool tool;
    tool.Setup(TestToolPath(), L"", window.Hwnd(), &sink);
    tool.Options().extraArguments = L"-send 2,10,10,4";
    EXPECT_EQ(window.RunPumping([&] { return tool.Execute(nullptr); }), 0);
    std::vector<int> types;
    for (const Notification& n : sink.received) types.push_back(n.type);
    EXPECT_EQ(types, (std::vector<int>{2, 10, 10, 4, 4}));  // the last one from Execute itself
    EXPECT_EQ(sink.positions, (std::vector<std::int64_t>{2000, 10000, 10000}));

    ToolStopFlag stop{kStopRequested};
    tool.Options().extraArguments = L"-sleep 20000";
    EXPECT_EQ(tool.Execute(&stop), 1);
    EXPECT_EQ(sink.received.back().type, 4);
}
