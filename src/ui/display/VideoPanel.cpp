#include "ui/display/VideoPanel.h"

#include "framework/Dpi.h"
#include "res/resource.h"
#include "ui/display/VideoLayout.h"

namespace zevrin {

namespace {
constexpr UINT_PTR kWaitTimer = 2;
constexpr UINT kWaitPeriodMs = 300;
} // namespace

bool CVideoPanel::Create(HWND parent, UINT id, const std::wstring& playToolPath) {
    if (!CPlayerWnd::Create(parent, RECT{}, id, playToolPath)) return false;
    SetWindowLongW(Hwnd(), GWL_STYLE, GetWindowLongW(Hwnd(), GWL_STYLE) | WS_TABSTOP);
    LoadDots(fw::DpiOf(Hwnd()));
    return true;
}

// The waiting dots drawn for the art scale of `dpi`.
void CVideoPanel::LoadDots(int dpi) {
    dpi_ = dpi;
    const int percent = fw::ArtScalePercent(dpi), size = fw::ArtSize(9, percent);
    fw::UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                            MAKEINTRESOURCEW(fw::ArtResourceId(IDB_WAIT_DOTS, percent)),
                                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    dots_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0));
    if (bitmap && dots_) ImageList_AddMasked(dots_.Get(), bitmap.Get(), RGB(255, 0, 255));
}

LRESULT CVideoPanel::OnDpiRescale(WPARAM wParam, LPARAM) {
    LoadDots(static_cast<int>(wParam));
    Invalidate();
    return 0;
}

LRESULT CVideoPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CVideoPanel> messages[] = {
        {WM_PAINT, &CVideoPanel::OnPaint},
        {WM_TIMER, &CVideoPanel::OnTimer},
        {fw::WM_DPI_RESCALE, &CVideoPanel::OnDpiRescale},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return CPlayerWnd::WindowProc(message, wParam, lParam);
}

int CVideoPanel::Play(const std::wstring& path) {
    StopWaiting();
    if (!StartPlay(path)) return 0;
    reportedWidth_ = 0;
    waitingDot_ = 0;
    SetTimer(Hwnd(), kWaitTimer, kWaitPeriodMs, nullptr);
    Invalidate();
    return 1;
}

void CVideoPanel::StopWaiting() {
    KillTimer(Hwnd(), kWaitTimer);
    if (waitingDot_ == -1) return;
    waitingDot_ = -1;
    Invalidate();
}

void CVideoPanel::SetZoom(int zoom) {
    Tool().SetZoom(zoom);
    LayoutVideo();
}

LRESULT CVideoPanel::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kWaitTimer) return 0;
    waitingDot_ = waitingDot_ >= 2 ? 0 : waitingDot_ + 1;
    Invalidate();
    return 0;
}

// Black, with the three dots while the tool is starting; the picture's own window lies above.
LRESULT CVideoPanel::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    RECT rc = ClientRect();
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (waitingDot_ != -1 && dots_) {
        const fw::CDpi px(dpi_);
        int x0 = (rc.right - px(45)) / 2, y = (rc.bottom - px(9)) / 2;
        for (int i = 0; i < 3; ++i)
            ImageList_Draw(dots_.Get(), i == waitingDot_ ? 1 : 0, dc, x0 + px(18) * i, y, ILD_TRANSPARENT);
    }
    EndPaint(Hwnd(), &ps);
    return 0;
}

void CVideoPanel::LayoutVideo() {
    HWND render = RenderWindow();
    if (!render) return;
    const auto& video = Tool().Video();
    VideoFormat format{video.width, video.height, video.aspectNum, video.aspectDen};
    bool open = Tool().IsActive();
    auto rect = open ? LayOutVideo(ClientRect(), format, Tool().GetZoom()) : std::nullopt;
    if (!rect) {
        ShowWindow(render, SW_HIDE);
        return;
    }
    int w = rect->right - rect->left, h = rect->bottom - rect->top;
    // The tool scales to the size it is told; only a new width is worth a round trip.
    if (w != reportedWidth_) {
        reportedWidth_ = w;
        Tool().SetVideoSize(w, h);
    }
    SetWindowPos(render, nullptr, rect->left, rect->top, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    MoveToolPicture(0, 0, w, h);
}

} // namespace zevrin
