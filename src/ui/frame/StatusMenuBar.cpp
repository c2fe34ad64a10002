#include "ui/frame/StatusMenuBar.h"

#include "services/AppResources.h"
#include "framework/Text.h"
#include "tools/ValueFormat.h"

namespace zevrin {

namespace {
constexpr COLORREF kSummaryColor = RGB(0xC0, 0xC0, 0xC0);
constexpr int kBackgroundRow = 2;  // the menu bar's rows of the background strip start here
constexpr int kSummaryWidth = 160; // what a new summary repaints, at the right end
constexpr int kSummaryMargin = 4;
} // namespace

std::wstring PlaylistSummary(int count, int64_t totalDuration) {
    if (count <= 0) return {};
    std::wstring total = FormatDuration(totalDuration, false, false, false);
    if (count == 1)
        return totalDuration > 0 ? fw::Format(L"%d File, %s", count, total.c_str()) : fw::Format(L"%d File", count);
    return totalDuration > 0 ? fw::Format(L"%d Files, %s", count, total.c_str()) : fw::Format(L"%d Files", count);
}

CStatusMenuBar::CStatusMenuBar() {
    textColor = RGB(0xC0, 0xC0, 0xC0);
    highlightColor = RGB(0xF0, 0xF0, 0xF0);
}

void CStatusMenuBar::SetSummary(int count, int64_t totalDuration) {
    std::wstring summary = PlaylistSummary(count, totalDuration);
    if (summary == summary_) return;
    summary_ = std::move(summary);
    if (!Hwnd()) return;
    RECT rc = ClientRect();
    rc.left = std::max(rc.left, rc.right - Dpi()(kSummaryWidth));
    InvalidateRect(Hwnd(), &rc, FALSE);
}

void CStatusMenuBar::PaintBackground(HDC dc, const RECT& rc) {
    const int dpi = Dpi().Value();
    HIMAGELIST strip = Resources().BarBackground(dpi);
    if (strip) {
        const int percent = fw::ArtScalePercent(dpi);
        const int tile = fw::ArtSize(8, percent), row = fw::ArtSize(kBackgroundRow, percent);
        for (int x = rc.left; x < rc.right; x += tile)
            ImageList_DrawEx(strip, 0, dc, x, -row, tile, rc.bottom + row, CLR_NONE, CLR_NONE, ILD_NORMAL);
    } else {
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    if (summary_.empty()) return;
    HGDIOBJ old =
        SelectObject(dc, Resources().normalFont ? Resources().normalFont.Get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kSummaryColor);
    RECT text = rc;
    text.right -= Dpi()(kSummaryMargin);
    DrawTextW(dc, summary_.c_str(), static_cast<int>(summary_.size()), &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
}

} // namespace zevrin
