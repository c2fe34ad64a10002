#include "Harness.h"

#include "../KeepOffline.h"
#include "../ScreenPixels.h"
#include "framework/Text.h"

#include <cstdlib>

namespace zevrin::ui {

namespace {

constexpr wchar_t kRoot[] = L"Software\\Tresk\\Zevrin";
constexpr UINT kContainerId = 0xE900;
constexpr UINT kControlBarId = 0xE805;

std::wstring FromEnvironmentPath(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value) return {};
    std::wstring path = L"Z:" + fw::FromCodePage(value, CP_UTF8);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

bool ClassStartsWith(HWND hwnd, const wchar_t* prefix) {
    wchar_t name[128] = L"";
    GetClassNameW(hwnd, name, 128);
    return std::wstring(name).rfind(prefix, 0) == 0;
}

HWND FindDescendant(HWND parent, const wchar_t* classPrefix) {
    struct Search {
        const wchar_t* prefix;
        HWND found;
    } search{classPrefix, nullptr};
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (!ClassStartsWith(hwnd, s->prefix)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsDark(DWORD bgrx) {
    int b = bgrx & 0xFF, g = (bgrx >> 8) & 0xFF, r = (bgrx >> 16) & 0xFF;
    return r < 40 && g < 40 && b < 40;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return in;
}

} // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(50)) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}

std::string Utf8(const std::wstring& text) { return fw::ToCodePage(text, CP_UTF8); }

std::wstring InstalledProgram() {
    std::wstring dist = FromEnvironmentPath("ZEVRIN_DIST");
    return dist.empty() ? dist : dist + L"\\Zevrin.exe";
}

std::wstring UiClip(const wchar_t* name) {
    std::wstring path = fw::FromCodePage(ZEVRIN_UI_CLIPS, CP_UTF8) + L"\\" + name;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

void ResetProgramKeys() {
    for (const wchar_t* sub : {L"\\Settings", L"\\Recent", L"\\FileTypes"})
        fw::RegKey::DeleteTree(HKEY_CURRENT_USER, std::wstring(kRoot) + sub);
}

std::optional<DWORD> SavedSetting(const wchar_t* name) {
    return fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings").ReadDword(name);
}

void PresetSetting(const wchar_t* name, DWORD value) {
    fw::RegKey::Create(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings").WriteDword(name, value);
}

// --- the screen ---

ScreenShot::ScreenShot(const RECT& screenRect) : rect_(screenRect), pixels_(test::ScreenPixels(screenRect)) {}

COLORREF ScreenShot::At(int x, int y) const {
    int cx = rect_.right - rect_.left;
    if (x < rect_.left || y < rect_.top || x >= rect_.right || y >= rect_.bottom || pixels_.empty()) return CLR_INVALID;
    return test::ColorOf(pixels_[static_cast<size_t>(y - rect_.top) * cx + (x - rect_.left)]);
}

int ScreenShot::LitCount() const {
    int n = 0;
    for (DWORD v : pixels_)
        if (!IsDark(v)) ++n;
    return n;
}

// --- the program ---

ZevrinProcess::~ZevrinProcess() {
    if (!process_) return;
    if (frame_ && IsWindow(frame_)) PostMessageW(frame_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

bool ZevrinProcess::Start(const std::wstring& arguments) {
    if (!test::KeepUpdateCheckOffline()) return false;
    std::wstring program = InstalledProgram();
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    process_.Reset(pi.hProcess);
    pid_ = pi.dwProcessId;
    return true;
}

HWND ZevrinProcess::WaitForFrame(DWORD timeoutMs) {
    WaitUntil(
        [this] {
            EnumWindows(
                [](HWND hwnd, LPARAM lp) -> BOOL {
                    auto* self = reinterpret_cast<ZevrinProcess*>(lp);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(hwnd, &owner);
                    if (owner != self->pid_ || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
                    self->frame_ = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(this));
            return frame_ != nullptr || WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    return frame_;
}

bool ZevrinProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_.Get(), exitCode);
    process_.Reset();
    frame_ = nullptr;
    return true;
}

HWND ZevrinProcess::Container() const { return GetDlgItem(frame_, kContainerId); }
HWND ZevrinProcess::Pane(int i) const { return GetDlgItem(Container(), kContainerId + i); }
HWND ZevrinProcess::ControlBar() const { return GetDlgItem(frame_, kControlBarId); }
HWND ZevrinProcess::VideoPanel() const { return FindDescendant(Container(), L"ZevrinPlayer"); }
HWND ZevrinProcess::RenderWindow() const {
    HWND panel = VideoPanel();
    return panel ? FindDescendant(panel, L"ZevrinRender") : nullptr;
}

std::wstring ZevrinProcess::Title() const {
    wchar_t text[256] = L"";
    GetWindowTextW(frame_, text, 256);
    return text;
}

bool ZevrinProcess::WaitForTitle(const std::wstring& title, DWORD timeoutMs) {
    return WaitUntil([&] { return Title() == title; }, timeoutMs);
}

RECT ZevrinProcess::ScreenRectOf(HWND hwnd) const {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void ZevrinProcess::Type(WORD vk, bool ctrl, bool shift, bool alt) const {
    SetForegroundWindow(frame_);
    std::vector<INPUT> inputs;
    if (ctrl) inputs.push_back(KeyInput(VK_CONTROL, false));
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
    if (alt) inputs.push_back(KeyInput(VK_MENU, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    if (alt) inputs.push_back(KeyInput(VK_MENU, true));
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
    if (ctrl) inputs.push_back(KeyInput(VK_CONTROL, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Posted straight to the window: input injected from another process does not reliably reach
// a window that is not under the pointer when no window manager runs.
void ZevrinProcess::Click(HWND hwnd, POINT client) const {
    LPARAM at = MAKELPARAM(client.x, client.y);
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, at);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

void ZevrinProcess::MouseClick(HWND hwnd, POINT client) const {
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    INPUT inputs[3]{};
    for (INPUT& in : inputs) {
        in.type = INPUT_MOUSE;
        in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(100);
    SendInput(2, &inputs[1], sizeof(INPUT));
}

HWND ZevrinProcess::FocusedWindow() const {
    GUITHREADINFO info{sizeof(info)};
    DWORD thread = frame_ ? GetWindowThreadProcessId(frame_, nullptr) : 0;
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool ZevrinProcess::InMenuMode() const {
    GUITHREADINFO info{sizeof(info)};
    DWORD thread = frame_ ? GetWindowThreadProcessId(frame_, nullptr) : 0;
    return thread && GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE);
}

void ZevrinProcess::PostKey(WORD vk) const {
    HWND focus = FocusedWindow();
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(focus, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(focus, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

void ZevrinProcess::PostAltAlone() const {
    HWND focus = FocusedWindow();
    UINT scan = MapVirtualKeyW(VK_MENU, MAPVK_VK_TO_VSC);
    PostMessageW(focus, WM_SYSKEYDOWN, VK_MENU, static_cast<LPARAM>(1 | (scan << 16) | (1u << 29)));
    PostMessageW(focus, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

HWND ZevrinProcess::OpenPopupMenu() const {
    for (HWND h = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); h; h = FindWindowExW(nullptr, h, L"#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid_ && IsWindowVisible(h)) return h;
    }
    return nullptr;
}

bool ZevrinProcess::PictureShows() const {
    HWND render = RenderWindow();
    if (!render || !IsWindowVisible(render)) return false;
    RECT rc = ScreenRectOf(render);
    // Most of the test picture is coloured bars.
    ScreenShot shot(rc);
    return shot.LitCount() > (rc.right - rc.left) * (rc.bottom - rc.top) / 2;
}

bool ZevrinProcess::PictureMoves(DWORD intervalMs) const {
    HWND render = RenderWindow();
    if (!render) return false;
    RECT rc = ScreenRectOf(render);
    ScreenShot before(rc);
    Sleep(intervalMs);
    ScreenShot after(rc);
    return !before.SameAs(after);
}

} // namespace zevrin::ui
