// The tool runner against a stand-in tool: exit codes, the stop protocol, handle hygiene, the
// callback arguments and the delivery of callback blocks to their wrapper.
#include "ToolTestSupport.h"

#include "tools/ToolClient.h"
#include "tools/ToolOption.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

using namespace zevrin;
using namespace zevrin::test;

namespace {

using Clock = std::chrono::steady_clock;

std::wstring Line(const std::wstring& arguments) { return QuotedToolPath(TestToolPath()) + L" " + arguments; }

long long ElapsedMs(Clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
}

DWORD HandleCount() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

// Sets the flag to `value` after `delayMs` on its own thread.
std::jthread SetLater(ToolStopFlag& flag, int value, int delayMs) {
    return std::jthread([&flag, value, delayMs] {
        Sleep(static_cast<DWORD>(delayMs));
        flag = value;
    });
}

// Records what Translate received.
class RecordingClient : public CToolClient {
public:
    LRESULT Translate(ToolCallbackBytes block) override {
        const auto& head = *reinterpret_cast<const harlow::ToolCallbackHead*>(block.data());
        types.push_back(head.type);
        values.push_back(head.value);
        return head.type == 5 ? -1 : 40 + head.type;
    }
    bool AcceptsCallbacks() const override { return accepting; }

    std::vector<int> types, values;
    bool accepting = true;
};

class ToolRunner : public testing::Test {
protected:
    void SetUp() override {
        if (!FileExists(TestToolPath())) GTEST_FAIL() << "stand-in tool missing: " << testing::PrintToString(TestToolPath());
        tool.SetToolPath(TestToolPath());
    }
    CToolProcess tool;
};

} // namespace

TEST_F(ToolRunner, ExitCodeZeroIsSuccessAnythingElseFailure) {
    EXPECT_EQ(tool.Run(Line(L"-exit 0"), nullptr), 0);
    EXPECT_EQ(tool.Run(Line(L"-exit 3"), nullptr), -1);
    EXPECT_EQ(tool.Run(Line(L"-exit -1"), nullptr), -1);
    ToolStopFlag flag{0};
    EXPECT_EQ(tool.Run(Line(L"-exit 7"), &flag), -1);
    EXPECT_EQ(tool.Run(Line(L"-sleep 250"), &flag), 0);  // outlives a few 100 ms polls
}

TEST_F(ToolRunner, AMissingToolIsNeverStarted) {
    CToolProcess missing;
    missing.SetToolPath(L"C:\\no\\such\\tool.exe");
    EXPECT_EQ(missing.Run(L"\"C:\\no\\such\\tool.exe\"", nullptr), -1);
    // A bare name that is not in the current folder is not looked up along the search path,
    // even though the system would find this one there.
    missing.SetToolPath(L"cmd.exe");
    EXPECT_EQ(missing.Run(L"cmd.exe /c exit 0", nullptr), -1);
    // A folder is not a tool.
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    missing.SetToolPath(windows);
    EXPECT_EQ(missing.Run(QuotedToolPath(windows), nullptr), -1);
}

TEST_F(ToolRunner, AToolThatIgnoresAStopIsTerminatedAfterOneSecond) {
    ToolStopFlag flag{0};
    const auto start = Clock::now();
    int result = 0;
    {
        std::jthread stopper = SetLater(flag, kStopRequested, 200);
        result = tool.Run(Line(L"-sleep 20000"), &flag);
    }
    const long long elapsed = ElapsedMs(start);
    EXPECT_EQ(result, -1);
    EXPECT_GE(elapsed, 1150);  // 200 ms before the stop, then the full grace second
    EXPECT_LT(elapsed, 1800);

    CToolClient client;
    client.SetToolPath(TestToolPath());
    ToolStopFlag closing{0};
    std::jthread stopper = SetLater(closing, kStopWindowClosing, 100);
    EXPECT_EQ(client.RunWithCallback(Line(L"-sleep 20000"), &closing), 1);
}

TEST_F(ToolRunner, AToolEndingWithinTheGraceSecondKeepsItsExitCode) {
    ToolStopFlag flag{0};
    std::jthread stopper = SetLater(flag, kStopRequested, 100);
    EXPECT_EQ(tool.Run(Line(L"-sleep 500 -exit 0"), &flag), 0);
}

TEST_F(ToolRunner, StopValueOneNeverTerminatesButCountsAsStopped) {
    ToolStopFlag flag{kStopInteracted};
    const auto start = Clock::now();
    EXPECT_EQ(tool.Run(Line(L"-sleep 1600"), &flag), 0);
    EXPECT_GE(ElapsedMs(start), 1500);

    CToolClient client;
    client.SetToolPath(TestToolPath());
    EXPECT_EQ(client.RunWithCallback(Line(L"-exit 0"), &flag), 1);
    ToolStopFlag none{0};
    EXPECT_EQ(client.RunWithCallback(Line(L"-exit 0"), &none), 0);
    EXPECT_EQ(client.RunWithCallback(Line(L"-exit 2"), &none), -1);
    EXPECT_EQ(client.RunWithCallback(Line(L"-exit 2"), nullptr), -1);
}

TEST_F(ToolRunner, RunsLeaveNoHandlesBehind) {
    tool.Run(Line(L"-exit 0"), nullptr);  // first-use allocations of the system aside
    const DWORD before = HandleCount();
    for (int i = 0; i < 5; ++i) {
        tool.Run(Line(L"-exit 0"), nullptr);
        tool.Run(Line(L"-exit 4"), nullptr);
    }
    ToolStopFlag flag{kStopRequested};
    tool.Run(Line(L"-sleep 20000"), &flag);  // terminated
    EXPECT_EQ(HandleCount(), before);
}

TEST_F(ToolRunner, CallbackArgumentsFollowTheCommandLine) {
    ScratchFolder folder(L"runner-args");
    const std::wstring report = folder / L"report.txt";
    CToolClient client;
    client.SetToolPath(TestToolPath());
    const std::wstring line = Line(L"-report \"" + report + L"\"");

    ASSERT_EQ(client.RunWithCallback(line, nullptr), 0);
    const std::string context = std::to_string(client.ContextValue());
    EXPECT_EQ(ReadFileBytes(report), "-report\n" + WideToUtf8(report) + "\n-context\n" + context + "\n");

    CallbackWindow window;
    client.SetCallbackWindow(window.Hwnd());
    ASSERT_EQ(client.RunWithCallback(line, nullptr), 0);
    const std::string handle = std::to_string(reinterpret_cast<LONG_PTR>(window.Hwnd()));
    EXPECT_EQ(ReadFileBytes(report),
              "-report\n" + WideToUtf8(report) + "\n-callbackwindow\n" + handle + "\n-context\n" + context + "\n");
}

TEST_F(ToolRunner, CallbacksReachTheirWrapperAndItsAnswerGoesBack) {
    ScratchFolder folder(L"runner-callbacks");
    const std::wstring report = folder / L"report.txt";
    CallbackWindow window;
    RecordingClient client;
    client.SetToolPath(TestToolPath());
    client.SetCallbackWindow(window.Hwnd());

    const int result = window.RunPumping(
        [&] { return client.RunWithCallback(Line(L"-send 0,2,10,5,4 -report \"" + report + L"\""), nullptr); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(client.types, (std::vector<int>{0, 2, 10, 5, 4}));
    EXPECT_EQ(client.values, (std::vector<int>{100, 102, 110, 105, 104}));
    const std::string text = ReadFileBytes(report);
    EXPECT_NE(text.find("reply 0 40\nreply 2 42\nreply 10 50\nreply 5 -1\nreply 4 44\n"), std::string::npos) << text;
}

TEST_F(ToolRunner, CallbacksForNoLiveWrapperOfThisWindowAreNotTaken) {
    CallbackWindow window, otherWindow;
    RecordingClient client;
    client.SetToolPath(TestToolPath());
    client.SetCallbackWindow(window.Hwnd());
    const std::wstring to = L" -callbackwindow " + std::to_wstring(reinterpret_cast<LONG_PTR>(window.Hwnd()));

    // A context that names no wrapper, a zero context, and the right context sent to another
    // window all go to the window's default handling.
    window.RunPumping([&] { return tool.Run(Line(L"-send 2" + to + L" -context 12345"), nullptr); });
    window.RunPumping([&] { return tool.Run(Line(L"-send 2" + to + L" -context 0"), nullptr); });
    const std::wstring other = L" -callbackwindow " + std::to_wstring(reinterpret_cast<LONG_PTR>(otherWindow.Hwnd()));
    window.RunPumping([&] {
        return tool.Run(Line(L"-send 2" + other + L" -context " + std::to_wstring(client.ContextValue())), nullptr);
    });
    EXPECT_TRUE(client.types.empty());

    // A wrapper that has stopped accepting callbacks gets none.
    client.accepting = false;
    window.RunPumping([&] { return client.RunWithCallback(Line(L"-send 2,4"), nullptr); });
    EXPECT_TRUE(client.types.empty());
    client.accepting = true;
    window.RunPumping([&] { return client.RunWithCallback(Line(L"-send 2,4"), nullptr); });
    EXPECT_EQ(client.types, (std::vector<int>{2, 4}));
}
