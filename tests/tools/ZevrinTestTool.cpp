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
//   "dies"        report opening and a second of status, then fault (access violation)
//   "floods"      report opening, then status blocks back to back for three seconds, then the end
//   "silent"      never report anything; sit for 8 s (or until terminated), then exit 0
// A probe tool's runs (a path and "-o <xml>") are steered by ZEVRIN_TEST_TOOL_PROBE, for media
// whose file name starts with "bad" (the others are described as "valid"):
//   "crash"       fault (access violation) before writing anything
//   "hang"        never end (bounded at two minutes, and gone with the test's tree anyway)
//   "truncated"   write the first half of a valid "MediaInfos" document and exit 0
//   "hostile"     write a document nested a million deep with huge values and exit 0
//   "slow"        take 300 ms, then write a valid document
//   "valid"       write a valid document of a 60-second video and exit 0
// Every playback or probe run appends "<mode> <media path>" to ZEVRIN_TEST_TOOL_LOG when set.
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

// Ends as a fault ends a process, with the access violation's exit code. (A real fault would
// bring up Wine's crash dialog whatever the error mode says.)
[[noreturn]] void Fault() {
    TerminateProcess(GetCurrentProcess(), 0xC0000005);
    ExitProcess(0xC0000005);
}

void Pump(DWORD ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
}

void AppendLog(const std::wstring& mode, const std::wstring& media) {
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_LOG", path, MAX_PATH)) return;
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string line = Utf8(mode + L" " + media) + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

int ActAsPlayback(const Options& o, const std::wstring& mode) {
    if (mode == L"silent") {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 8000;) Pump(50);
        return 0;
    }
    HWND control = CreateControlWindow();
    SendPlayback(o, harlow::kCallbackOpened, control);
    if (mode == L"dies") {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 1000;) {
            Pump(50);
            SendPlayback(o, harlow::kCallbackStatus, control);
        }
        Fault();
    }
    if (mode == L"floods") {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 3000;) {
            Pump(0);
            SendPlayback(o, harlow::kCallbackStatus, control);
        }
        SendPlayback(o, harlow::kCallbackEnded, control);
        return 0;
    }
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

bool HasArgument(int argc, LPWSTR* argv, const wchar_t* name) {
    for (int i = 1; i < argc; ++i)
        if (std::wcscmp(argv[i], name) == 0) return true;
    return false;
}

// The playback command line's one positional argument.
std::wstring PlaybackMedia(int argc, LPWSTR* argv) {
    static const wchar_t* const kWithValue[] = {L"-displaywindow", L"-videodriver", L"-audiodriver", L"-threads",
                                                L"-ss", L"-volume", L"-effect", L"-callbackwindow", L"-context"};
    for (int i = 1; i < argc; ++i) {
        bool takesValue = false;
        for (const wchar_t* name : kWithValue) takesValue = takesValue || std::wcscmp(argv[i], name) == 0;
        if (takesValue) ++i;
        else if (argv[i][0] != L'-') return argv[i];
    }
    return {};
}

const char kValidMediaInfos[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MediaInfos><MediaInfo Flags=\"4\" Format=\"mov,mp4\""
    " Size=\"600000\" StartTime=\"0\" Duration=\"60000000\" BitRate=\"80000\" StreamCount=\"1\">"
    "<Stream Type=\"0\" Format=\"h263\" Codec=\"4\" Duration=\"60000000\" Frames=\"900\""
    " Resolution=\"176x144\" Aspect=\"11/9\" FrameRate=\"15/1\" BitRate=\"80000\"/>"
    "<Meta><Title>Stand-in</Title></Meta></MediaInfo></MediaInfos>\n";

std::string HostileMediaInfos() {
    std::string xml = "<?xml version=\"1.0\"?>\n<MediaInfos><MediaInfo Duration=\"99999999999999999999999\""
                      " StreamCount=\"2147483648\" Size=\"-9223372036854775809\">";
    for (int i = 0; i < 1000000; ++i) xml += "<Stream>";
    return xml;
}

int ActAsProbe(const std::wstring& mode, const std::wstring& xml) {
    std::string text;
    if (mode == L"crash") Fault();
    if (mode == L"hang") {
        Sleep(120000);
        return 0;
    }
    if (mode == L"slow") Sleep(300);
    if (mode == L"truncated") text.assign(kValidMediaInfos, sizeof(kValidMediaInfos) / 2);
    else if (mode == L"hostile") text = HostileMediaInfos();
    else text = kValidMediaInfos;
    HANDLE file = CreateFileW(xml.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
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
    wchar_t mode[32];
    if (GetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PLAYBACK", mode, 32) && !HasArgument(argc, argv, L"-i") &&
        !HasArgument(argc, argv, L"-o")) {
        AppendLog(L"play-" + std::wstring(mode), PlaybackMedia(argc, argv));
        LocalFree(argv);
        return ActAsPlayback(o, mode);
    }
    if (GetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_PROBE", mode, 32) && argc == 4 && std::wstring(argv[2]) == L"-o") {
        const std::wstring media = argv[1], xml = argv[3];
        const std::wstring name = media.substr(media.find_last_of(L"\\/") + 1);
        const std::wstring chosen = name.rfind(L"bad", 0) == 0 ? std::wstring(mode) : L"valid";
        AppendLog(L"probe-" + chosen, media);
        LocalFree(argv);
        return ActAsProbe(chosen, xml);
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
