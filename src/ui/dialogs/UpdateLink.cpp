#include "ui/dialogs/UpdateLink.h"

#include <shellapi.h>

namespace zevrin {

namespace {
constexpr int kMargin = 12;  // room for the button's edge around the text
}

void CUpdateLink::SetLink(const std::wstring& url, const std::wstring& text) {
    url_ = url;
    if (!text.empty()) SetWindowTextW(hwnd_, text.c_str());
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void CUpdateLink::SetFont(HFONT font) const {
    if (font) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CUpdateLink::AutoSize() const {
    if (!hwnd_ || (GetWindowLongW(hwnd_, GWL_STYLE) & BS_MULTILINE)) return;
    wchar_t text[512] = L"";
    const int length = GetWindowTextW(hwnd_, text, 512);
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, length, &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx + kMargin, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUpdateLink::Open() const {
    if (!url_.empty()) ShellExecuteW(nullptr, L"open", url_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace zevrin
