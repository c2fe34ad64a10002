// Ends the Wine session while Zevrin runs: waits for the program's window to play the clip whose
// title it is given, changes a setting through the window as a user would (Always On Top),
// then asks for a log-off and waits to be ended with everything else. Run only inside a
// throwaway Wine prefix (see end-session-in-throwaway-prefix.sh).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kAlwaysOnTop = 32779;

HWND FindPlayingFrame(const std::wstring& title) {
    struct Search {
        const std::wstring* title;
        HWND found;
    } search{&title, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t cls[64] = L"", text[256] = L"";
            GetClassNameW(hwnd, cls, 64);
            GetWindowTextW(hwnd, text, 256);
            if (std::wstring(cls) != L"ZevrinFrame" || std::wstring(text).rfind(*s->title, 0) != 0) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HWND frame = nullptr;
    for (int i = 0; i < 600 && !frame; ++i, Sleep(100)) frame = FindPlayingFrame(argv[1]);
    if (!frame) {
        std::printf("no playing window\n");
        return 4;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(frame, WM_COMMAND, kAlwaysOnTop, 0, SMTO_NORMAL, 5000, &result);
    const BOOL accepted = ExitWindowsEx(EWX_LOGOFF, SHTDN_REASON_FLAG_PLANNED);
    std::printf("accepted %d\n", accepted ? 1 : 0);
    std::fflush(stdout);
    // The session's end closes the program's window; this console probe is not ended with it
    // under Wine, so it waits for the window to go and leaves the rest to the script.
    for (int i = 0; i < 300 && IsWindow(frame); ++i) Sleep(100);
    if (IsWindow(frame)) {
        std::printf("still running\n");
        return 3;
    }
    return 0;
}
