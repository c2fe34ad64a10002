#include "framework/Wnd.h"

#include <unordered_map>
#include <utility>

namespace fw {

namespace {

// Windows belong to the thread that created them, and so does this map. It lives on the heap,
// made with the thread's first window and freed with its last: a thread_local with a destructor
// is destroyed after mingw's thread storage is gone, and crashed the worker threads that had
// made windows as they ended. A thread that ends with windows left leaks only its map.
using WindowMap = std::unordered_map<HWND, CWnd*>;
thread_local WindowMap* windowMap = nullptr;
// The object whose window is being created, until its first message attaches it.
thread_local CWnd* creating = nullptr;

} // namespace

LRESULT CALLBACK WndProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd && creating) {
        wnd = std::exchange(creating, nullptr);
        wnd->Attach(hwnd);
    }
    if (!wnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        LRESULT result = wnd->WindowProc(message, wParam, lParam);
        wnd->Detach();
        wnd->PostNcDestroy();
        return result;
    }
    return wnd->WindowProc(message, wParam, lParam);
}

CWnd::~CWnd() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!windowMap) return nullptr;
    auto it = windowMap->find(hwnd);
    return it == windowMap->end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (!windowMap) windowMap = new WindowMap;
    (*windowMap)[hwnd] = this;
}

void CWnd::Detach() {
    if (windowMap) {
        windowMap->erase(hwnd_);
        if (windowMap->empty()) delete std::exchange(windowMap, nullptr);
    }
    hwnd_ = nullptr;
}

const wchar_t* CWnd::RegisterClass(const wchar_t* name, UINT style, HCURSOR cursor, HBRUSH background, HICON icon) {
    WNDCLASSEXW wc{sizeof(wc)};
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name, &wc)) return name;
    wc = WNDCLASSEXW{sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = WndProcThunk;
    wc.hInstance = instance;
    wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
    return name;
}

bool CWnd::Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, HWND parent, UINT id,
                  DWORD exStyle) {
    return CreateEx(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int cx,
                    int cy, HWND parent, HMENU menuOrId) {
    CREATESTRUCTW cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = title;
    cs.style = static_cast<LONG>(style);
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = GetModuleHandleW(nullptr);
    if (!PreCreateWindow(cs)) return false;

    creating = this;
    HWND hwnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    creating = nullptr;
    return hwnd != nullptr && hwnd_ == hwnd;
}

void CWnd::DestroyWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool CWnd::PreCreateWindow(CREATESTRUCTW&) { return true; }

bool CWnd::PreTranslateMessage(MSG&) { return false; }

RECT CWnd::ClientRect() const {
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    return rc;
}

RECT CWnd::WindowRect() const {
    RECT rc{};
    ::GetWindowRect(hwnd_, &rc);
    return rc;
}

std::wstring CWnd::Text() const {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && OnCommand(wParam, lParam)) return 0;
    return DefaultProc(message, wParam, lParam);
}

LRESULT CWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// A control's notification is its owner's business; a command (menu, accelerator, a click on a
// button, a posted id) runs only while its update handler leaves it enabled.
bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    auto own = [this](UINT id, CCmdUI* ui) { return OnCmdMsg(id, ui); };
    if (IsControlNotification(wParam, lParam)) return own(LOWORD(wParam), nullptr);
    return RunCommandIfEnabled(LOWORD(wParam), own);
}

} // namespace fw
