// A stand-in media tool for the runner tests. It does what its options ask and nothing else:
//   -report <file>   write every argument it was given (UTF-8, one a line), then one line
//                    "reply <type> <result>" per callback sent
//   -send <t,t,...>  send callback blocks of these types to -callbackwindow, echoing -context
//   -sleep <ms>      sleep before exiting (it never reacts to a stop: it has to be terminated)
//   -exit <code>     the exit code, 0 by default
// Wrappers that build their own command lines can't pass -report: for them the variable
// ZEVRIN_TEST_TOOL_REPORT names the report file, and the argument after "-y" (an encode
// tool's output) is created as an empty file, as if something had been written there.
// A playback wrapper's runs are steered by ZEVRIN_TEST_TOOL_PLAYBACK instead:
//   "ends"        report opening (type 2, with a control window) and the end (type 4), exit 0
//   "ignore-stop" report opening, then a status (type 10) every 50 ms for ever; control
//                 commands are answered but ignored, so only termination ends it
#include <harlow/ToolMessages.h>

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Options {
    std::wstring report;
    std::vector<int> send;
    DWORD sleepMs = 0;
    int exitCode = 0;
    HWND window = nullptr;
    long long context = 0;
};

std::vector<int> ParseList(const std::wstring& text) {
    std::vector<int> out;
    const wchar_t* p = text.c_str();
    while (*p) {
        wchar_t* end = nullptr;
        out.push_back(static_cast<int>(std::wcstol(p, &end, 10)));
        p = *end == L',' ? end + 1 : end;
        if (end == p && *p) break;
    }
    return out;
}

std::string Utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

// A block whose fields are easy to recognise: value 100 + type, text "message <type>", and
// for the encode tool's progress area position 1000 * type and percent type.
LRESULT SendBlock(const Options& o, int type) {
    static harlow::EncodeCallbackBlock block;
    std::memset(&block, 0, sizeof(block));
    block.head.context = static_cast<std::int32_t>(o.context);
    block.head.type = type;
    block.head.value = 100 + type;
    std::snprintf(block.head.text, sizeof(block.head.text), "message %d", type);
    block.progress.position = 1000LL * type;
    block.progress.percent = type;
    COPYDATASTRUCT data{harlow::kToolCallbackData, harlow::kToolCallbackSize, &block};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(o.window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &result))
        return -999;
    return static_cast<LRESULT>(result);
}

// The playback tool's side of the protocol, as far as the wrapper's tests need it.
HWND CreateControlWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;  // commands are taken and ignored
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZevrinTestToolControl";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

void SendPlayback(const Options& o, int type, HWND control) {
    static harlow::ToolCallbackBlock block;
    std::memset(&block, 0, sizeof(block));
    block.head.context = static_cast<std::int32_t>(o.context);
    block.head.type = type;
    block.toolWindow = reinterpret_cast<std::uintptr_t>(control);
    block.media.duration = 60000000;
    block.status.state = harlow::kStatePlaying;
    block.status.volume = 100;
    COPYDATASTRUCT data{harlow::kToolCallbackData, harlow::kToolCallbackSize, &block};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(o.window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 2000, &result);
}

int ActAsPlayback(const Options& o, const std::wstring& mode) {
    HWND control = CreateControlWindow();
    SendPlayback(o, harlow::kCallbackOpened, control);
    if (mode == L"ends") {
        SendPlayback(o, harlow::kCallbackEnded, control);
        return 0;
    }
    // Bounded, and gone with its caller's window, so that a crashed test leaves nothing behind.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 30000 && IsWindow(o.window);) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        SendPlayback(o, harlow::kCallbackStatus, control);
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Options o;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::wstring name = argv[i];
        const wchar_t* value = argv[i + 1];
        if (name == L"-report") o.report = value;
        else if (name == L"-send") o.send = ParseList(value);
        else if (name == L"-sleep") o.sleepMs = static_cast<DWORD>(std::wcstoul(value, nullptr, 10));
        else if (name == L"-exit") o.exitCode = static_cast<int>(std::wcstol(value, nullptr, 10));
        else if (name == L"-callbackwindow") o.window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(std::wcstoll(value, nullptr, 10)));
        else if (name == L"-context") o.context = std::wcstoll(value, nullptr, 10);
    }
    wchar_t playback[32];
    if (GetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PLAYBACK", playback, 32)) {
        LocalFree(argv);
        return ActAsPlayback(o, playback);
    }
    std::string report;
    for (int i = 1; i < argc; ++i) report += Utf8(argv[i]) + "\n";
    for (int type : o.send) report += "reply " + std::to_string(type) + " " + std::to_string(SendBlock(o, type)) + "\n";
    wchar_t fromEnvironment[MAX_PATH];
    if (o.report.empty() && GetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_REPORT", fromEnvironment, MAX_PATH)) {
        o.report = fromEnvironment;
        for (int i = 1; i + 1 < argc; ++i)
            if (std::wstring(argv[i]) == L"-y")
                CloseHandle(CreateFileW(argv[i + 1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    if (!o.report.empty()) {
        HANDLE file = CreateFileW(o.report.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
            CloseHandle(file);
        }
    }
    LocalFree(argv);
    Sleep(o.sleepMs);
    return o.exitCode;
}
