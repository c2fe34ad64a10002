#include "PlaybackHost.h"

#include <cstring>

namespace harlow::test {

namespace {
constexpr wchar_t kFrameClass[] = L"HarlowTestHost";
constexpr wchar_t kRenderClass[] = L"HarlowTestRender";
} // namespace

PlaybackHost::PlaybackHost()
{
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kFrameClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassExW(&wc);
    WNDCLASSEXW rc{sizeof rc};
    rc.lpfnWndProc = DefWindowProcW;
    rc.hInstance = wc.hInstance;
    rc.lpszClassName = kRenderClass;
    rc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassExW(&rc);
    frame_ = CreateWindowExW(WS_EX_TOPMOST, kFrameClass, L"Harlow test host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                             0, 0, 400, 300, nullptr, nullptr, wc.hInstance, this);
    render_ = CreateWindowExW(0, kRenderClass, L"", WS_CHILD | WS_VISIBLE, 40, 30, 320, 240, frame_,
                              reinterpret_cast<HMENU>(1), wc.hInstance, nullptr);
    Pump(std::chrono::milliseconds(50));
}

PlaybackHost::~PlaybackHost()
{
    if (frame_) {
        SetWindowLongPtrW(frame_, GWLP_USERDATA, 0);
        DestroyWindow(frame_);
    }
}

std::wstring PlaybackHost::CommandLine(const std::wstring& media, const std::wstring& extra) const
{
    std::wstring line = L"-displaywindow " + std::to_wstring(reinterpret_cast<std::intptr_t>(render_)) +
                        L" -videodriver windib -audiodriver waveout -threads 8 \"" + media + L"\"";
    if (!extra.empty())
        line += L" " + extra;
    line += L" -effect 14 -callbackwindow " + std::to_wstring(reinterpret_cast<std::intptr_t>(frame_)) +
            L" -context " + std::to_wstring(Context());
    return line;
}

LRESULT CALLBACK PlaybackHost::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<PlaybackHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == kToolCallbackData && data->cbData == kToolCallbackSize) {
            self->Receive(*static_cast<const ToolCallbackBlock*>(data->lpData));
            return 1;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PlaybackHost::Receive(const ToolCallbackBlock& b)
{
    if (b.head.context != static_cast<std::int32_t>(Context()))
        badContext_ = true;
    ToolEvent e;
    e.type = b.head.type;
    e.value = b.head.value;
    e.at = std::chrono::steady_clock::now();
    if (e.type == kCallbackOpened) {
        toolWindow_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(b.toolWindow));
        e.toolWindow = toolWindow_;
        e.duration = b.media.duration;
        e.mediaFlags = b.media.flags;
    }
    if (e.type == kCallbackOpened || e.type == kCallbackStatus) {
        e.position = b.status.position;
        e.volume = b.status.volume;
        e.framesShown = b.status.framesShown;
    }
    if (e.type == kCallbackStream && e.value == kStreamVideo) {
        e.videoWidth = b.video.width;
        e.videoHeight = b.video.height;
    }
    events_.push_back(e);
}

bool PlaybackHost::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit, HANDLE process)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done())
            return true;
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            // Collect what the tool sent just before it ended.
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            return done();
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

const ToolEvent* PlaybackHost::Last(std::int32_t type) const
{
    for (auto it = events_.rbegin(); it != events_.rend(); ++it)
        if (it->type == type)
            return &*it;
    return nullptr;
}

std::size_t PlaybackHost::Count(std::int32_t type) const
{
    std::size_t n = 0;
    for (const ToolEvent& e : events_)
        n += e.type == type;
    return n;
}

bool PlaybackHost::Send(std::int32_t command, std::int64_t a, std::int64_t b)
{
    if (!toolWindow_)
        return false;
    ToolControlBlock block{};
    block.context = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(this));
    block.command = command;
    block.a = a;
    block.b = b;
    COPYDATASTRUCT data{kToolControlData, kToolControlSize, &block};
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(toolWindow_, WM_COPYDATA, reinterpret_cast<WPARAM>(frame_),
                               reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 2000, &result) != 0;
}

COLORREF PlaybackHost::CentrePixel() const
{
    RECT r{};
    GetWindowRect(render_, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return c;
}

} // namespace harlow::test
