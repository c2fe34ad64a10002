#include "playback/PlayerWnd.h"

#include "tools/ToolCallbackDelivery.h"

namespace zevrin {

namespace {

constexpr wchar_t kPlayerClass[] = L"ZevrinPlayer";
constexpr wchar_t kRenderClass[] = L"ZevrinRender";

} // namespace

CPlayerWnd::CPlayerWnd() { tool_.SetSink(this); }

CPlayerWnd::~CPlayerWnd() { DestroyWindow(); }

bool CPlayerWnd::Create(HWND parent, const RECT& rect, UINT id, const std::wstring& toolPath) {
    const wchar_t* cls = RegisterClass(kPlayerClass, CS_DBLCLKS, nullptr, nullptr);
    if (!fw::CWnd::Create(cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id)) return false;
    const wchar_t* renderCls =
        RegisterClass(kRenderClass, 0, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const RECT client = ClientRect();
    if (!render_.Create(renderCls, L"", WS_CHILD | WS_TABSTOP | WS_CLIPCHILDREN, client, Hwnd(), 0)) return false;
    tool_.Setup(toolPath, render_.Hwnd(), Hwnd());
    AllowToolMessages();
    return true;
}

// The tool runs as another process, possibly at another integrity level: its callbacks must
// pass the message filter. The function exists from Vista on.
void CPlayerWnd::AllowToolMessages() const {
    using Filter = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto filter =
        user32 ? reinterpret_cast<Filter>(reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")))
               : nullptr;
    if (!filter) return;
    constexpr UINT kCopyGlobalData = 0x0049;
    filter(WM_COPYDATA, MSGFLT_ADD);
    filter(kCopyGlobalData, MSGFLT_ADD);
}

int CPlayerWnd::StartPlay(const std::wstring& mediaPath) {
    StopPlay();
    tool_.Reset();
    tool_.request.ResetKeepingVolume();
    tool_.request.mediaPath = mediaPath;
    std::unique_ptr<CPlayThread> thread(new (std::nothrow) CPlayThread(tool_, Hwnd()));
    if (!thread || !thread->CreateSuspended()) return 0;
    thread_ = std::move(thread);
    tool_.SetStarting();
    thread_->SetPriority(THREAD_PRIORITY_NORMAL);
    thread_->Resume();
    return 1;
}

void CPlayerWnd::StopPlay() {
    tool_.request.mediaPath.clear();
    if (!thread_) return;
    tool_.Stop(kStopRequested);
    WaitForPlayThread();
}

// Dispatches this window's messages until the play thread's end has been handled, so that the
// tool's callbacks, sent synchronously while it shuts down, are still served. The runner ends
// a tool that ignores the stop within about a second, so this wait ends.
// Only the thread being waited for counts: a handler dispatched meanwhile may already have
// started the next run, which this wait must not swallow.
void CPlayerWnd::WaitForPlayThread() {
    CPlayThread* const waited = thread_.get();
    while (thread_ && thread_.get() == waited) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, Hwnd(), 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // the main loop must still see it
            break;
        }
        if (got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (!thread_ || thread_.get() != waited) return;
    // The end message could not be waited for: join directly, the runner still ends the tool.
    thread_->Join();
    thread_.reset();
    tool_.FinishRun();
}

void CPlayerWnd::LayoutVideo() {
    if (!render_) return;
    const RECT client = ClientRect();
    const int cx = client.right - client.left;
    const int cy = client.bottom - client.top;
    SetWindowPos(render_.Hwnd(), nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    MoveToolPicture(0, 0, cx, cy);
}

void CPlayerWnd::MoveToolPicture(int x, int y, int cx, int cy) const {
    HWND picture = render_ ? GetWindow(render_.Hwnd(), GW_CHILD) : nullptr;
    if (picture) SetWindowPos(picture, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

// The one place the callbacks' arguments are read on this side of the wrapper: the view hears
// typed events, with what the wrapper has just taken in.
int CPlayerWnd::Notify(int, int type, int argCount, const std::intptr_t* args) {
    switch (type) {
    case harlow::kCallbackStream:
        if (argCount > 0 && args[0] == harlow::kStreamVideo) LayoutVideo();
        break;
    case harlow::kCallbackOpened:
        if (render_) render_.Show(SW_SHOW);
        if (events_) events_->OnPlaybackOpened(tool_.DurationUs());
        break;
    case harlow::kCallbackPause:
        if (events_) events_->OnPauseChanged(tool_.IsPaused());
        break;
    case harlow::kCallbackEnded:
        if (render_) render_.Show(SW_HIDE);
        if (events_) events_->OnPlaybackStopped();
        break;
    case harlow::kCallbackStatus:
        if (events_) events_->OnPlaybackPosition(tool_.PositionUs());
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CPlayerWnd::OnCopyData(WPARAM, LPARAM lParam) {
    if (auto result = DeliverToolMessage(Hwnd(), lParam)) return *result;
    return DefaultProc(WM_COPYDATA, 0, lParam);
}

LRESULT CPlayerWnd::OnSize(WPARAM wParam, LPARAM lParam) {
    DefaultProc(WM_SIZE, wParam, lParam);
    if (wParam != SIZE_MINIMIZED && LOWORD(lParam) != 0 && HIWORD(lParam) != 0 && render_) LayoutVideo();
    return 0;
}

LRESULT CPlayerWnd::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CPlayerWnd::OnPlayThreadEnded(WPARAM, LPARAM) {
    if (!thread_) return 0;
    thread_->Join();
    thread_.reset();
    const bool closing = tool_.StopValue().load() == kStopWindowClosing;
    tool_.FinishRun();
    if (!closing && events_) events_->OnPlaybackEnded();
    return 0;
}

LRESULT CPlayerWnd::OnDestroy(WPARAM wParam, LPARAM lParam) {
    tool_.Stop(kStopWindowClosing);
    if (thread_) WaitForPlayThread();
    return DefaultProc(WM_DESTROY, wParam, lParam);
}

LRESULT CPlayerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr fw::Message<CPlayerWnd> kMessages[] = {
        {WM_COPYDATA, &CPlayerWnd::OnCopyData},
        {WM_SIZE, &CPlayerWnd::OnSize},
        {WM_ERASEBKGND, &CPlayerWnd::OnEraseBackground},
        {kPlayThreadEnded, &CPlayerWnd::OnPlayThreadEnded},
        {WM_DESTROY, &CPlayerWnd::OnDestroy},
    };
    if (auto result = fw::DispatchMessageTable(this, kMessages, message, wParam, lParam)) return *result;
    return fw::CWnd::WindowProc(message, wParam, lParam);
}

} // namespace zevrin
