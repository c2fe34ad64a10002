#include "ui/display/TimeLabel.h"

#include <algorithm>
#include <cstdio>

namespace zevrin {

namespace {

constexpr COLORREF kNormal = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kHot = RGB(0xE0, 0xE0, 0xE0);
constexpr COLORREF kDim = RGB(0x30, 0x30, 0x30);

std::wstring Clock(int64_t seconds, bool minus) {
    wchar_t buf[48];
    int64_t h = seconds / 3600, m = seconds % 3600 / 60, s = seconds % 60;
    if (h <= 0)
        swprintf(buf, 48, minus ? L"-%02d:%02d" : L"%02d:%02d", static_cast<int>(m), static_cast<int>(s));
    else
        swprintf(buf, 48, minus ? L"-%02d:%02d:%02d" : L"%02d:%02d:%02d", static_cast<int>(h), static_cast<int>(m),
                 static_cast<int>(s));
    return buf;
}

} // namespace

std::wstring TimeDisplayText(int64_t durationMs, int64_t positionMs, bool showRemaining, bool showTotal) {
    int64_t shown = (showRemaining ? durationMs - positionMs : positionMs) / 1000;
    std::wstring text = Clock(shown, showRemaining);
    if (showTotal) text += L" / " + Clock(durationMs / 1000, false);
    return text;
}

int TimeDisplayWidth(int64_t durationMs, bool showTotal) {
    bool hours = durationMs >= 3600000;
    if (showTotal) return hours ? 112 : 80;
    return hours ? 56 : 40;
}

void CTimeLabel::SetDuration(int64_t microseconds) {
    durationMs_ = std::max<int64_t>(0, static_cast<int64_t>(microseconds * 0.001));
    positionMs_ = 0;
    UpdateText();
}

void CTimeLabel::SetPosition(int64_t microseconds, bool redraw) {
    SetPositionMs(static_cast<int64_t>(microseconds * 0.001), redraw);
}

void CTimeLabel::SetPositionMs(int64_t ms, bool redraw) {
    if (durationMs_ == 0) return;
    positionMs_ = std::clamp<int64_t>(ms, 0, durationMs_);
    UpdateText();
    if (redraw) Redraw();
}

void CTimeLabel::ToggleMode() {
    showRemaining_ = !showRemaining_;
    if (!showRemaining_) showTotal_ = !showTotal_;
    UpdateText();
}

void CTimeLabel::UpdateText() { text_ = TimeDisplayText(durationMs_, positionMs_, showRemaining_, showTotal_); }

void CTimeLabel::DrawForeground(HDC dc, int state) {
    COLORREF color = kNormal;
    if (durationMs_ == 0 && positionMs_ == 0)
        color = kDim;
    else if (state == Hot)
        color = kHot;
    else if (state == Disabled)
        color = kDim;
    HGDIOBJ oldFont = font_ ? SelectObject(dc, font_) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    RECT r = GetRect();
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (oldFont) SelectObject(dc, oldFont);
}

} // namespace zevrin
