#include "ui/dialogs/AnimatedShellTreeCtrl.h"

#include "res/resource.h"

#include <algorithm>
#include <cmath>

namespace zevrin {

namespace {
constexpr int kBarFull = 50;
constexpr int kBoxWidth = 54, kBoxHeight = 14, kBarInset = 2;
constexpr int kIconGap = 3, kBoxGap = 2;
} // namespace

int ProgressBarWidth(int total, int current) {
    double width = 0;
    if (total > 0) {
        width = static_cast<double>(current) * kBarFull / total;
    } else {
        // 1 + 0.2c - 0.5 ln(e^2 + e^(0.4c) - 1) = 1 - 0.5 ln(1 + (e^2 - 1) e^(-0.4c))
        const double c = std::max(current, 0);
        width = kBarFull * (1.0 - 0.5 * std::log1p(std::expm1(2.0) * std::exp(-0.4 * c)));
    }
    return std::clamp(static_cast<int>(width), 0, kBarFull);
}

CAnimatedShellTreeCtrl::CAnimatedShellTreeCtrl() {
    animationEnabled_ = true;
    timerPeriodMs_ = kStepMs;
    busyCursor_.Reset(static_cast<HCURSOR>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_FOLDER_BUSY),
                                                        IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
}

CAnimatedShellTreeCtrl::~CAnimatedShellTreeCtrl() = default;

void CAnimatedShellTreeCtrl::PrepareAnimation(HTREEITEM placeholder) {
    RECT text{};
    if (!placeholder || !TreeView_GetItemRect(Hwnd(), placeholder, &text, TRUE)) text = RECT{};
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    const int middle = (text.top + text.bottom) / 2;
    iconRect_ = RECT{text.left - kIconGap - cx, middle - cy / 2, text.left - kIconGap, middle - cy / 2 + cy};
    progressRect_ = RECT{text.right + kBoxGap, middle - kBoxHeight / 2, text.right + kBoxGap + kBoxWidth,
                         middle - kBoxHeight / 2 + kBoxHeight};
    barRect_ = progressRect_;
    ::InflateRect(&barRect_, -kBarInset, -kBarInset);
    frameBrush_.Reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
    barBrush_.Reset(::CreateSolidBrush(RGB(0, 128, 255)));
    COLORREF back = TreeView_GetBkColor(Hwnd());
    backBrush_.Reset(::CreateSolidBrush(back == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_WINDOW) : back));
    step_ = 0;
}

void CAnimatedShellTreeCtrl::ClearPlaceholderIcon() {
    HDC dc = ::GetDC(Hwnd());
    ::FillRect(dc, &iconRect_, backBrush_.Get());
    ::ReleaseDC(Hwnd(), dc);
}

void CAnimatedShellTreeCtrl::AnimationTick(bool timerTick, int total, int current) {
    HDC dc = ::GetDC(Hwnd());
    if (!dc) return;
    if (timerTick) {
        step_ = (step_ + 1) % kSteps;
        if (busyCursor_)
            ::DrawIconEx(dc, iconRect_.left, iconRect_.top, busyCursor_.Get(), iconRect_.right - iconRect_.left,
                         iconRect_.bottom - iconRect_.top, static_cast<UINT>(step_), backBrush_.Get(), DI_NORMAL);
    } else {
        ::FrameRect(dc, &progressRect_, frameBrush_.Get());
        RECT inside = progressRect_;
        ::InflateRect(&inside, -1, -1);
        ::FillRect(dc, &inside, backBrush_.Get());
        RECT bar = barRect_;
        bar.right = bar.left + ProgressBarWidth(total, current);
        if (bar.right > bar.left) ::FillRect(dc, &bar, barBrush_.Get());
    }
    ::ReleaseDC(Hwnd(), dc);
}

void CAnimatedShellTreeCtrl::EndAnimation() {
    frameBrush_.Reset();
    barBrush_.Reset();
    backBrush_.Reset();
}

} // namespace zevrin
