#include "ui/dialogs/LinkButton.h"

#include "services/AppResources.h"

#include <commctrl.h>
#include <shellapi.h>

namespace zevrin {

namespace {
constexpr UINT_PTR kButtonSubclass = 1;
}

UINT LinkTextFormat(DWORD buttonStyle) {
    UINT format = DT_END_ELLIPSIS;
    switch (buttonStyle & BS_CENTER) {
    case BS_RIGHT:
        format |= DT_RIGHT;
        break;
    case BS_LEFT:
        format |= DT_LEFT;
        break;
    default:
        format |= DT_CENTER;
        break;
    }
    format |= (buttonStyle & BS_MULTILINE) ? DT_WORDBREAK | DT_TOP : DT_SINGLELINE | DT_VCENTER;
    return format;
}

void UseDialogLinkLook(CLinkButton& link) {
    link.backColor = GetSysColor(COLOR_BTNFACE);
    link.SetFont(Resources().normalFont.Get());
    link.hoverFont = Resources().underlineFont.Get();
    link.AutoSize();
}

CLinkButton::~CLinkButton() { Release(); }

// Two hooks: one on the button for the mouse, the cursor and erasing; one on the dialog, which
// hands the button's drawing and clicks to this object before the dialog sees them.
bool CLinkButton::SubclassDlgItem(int id, HWND dialog) {
    Release();
    HWND button = GetDlgItem(dialog, id);
    if (!button) return false;
    if (!SetWindowSubclass(button, ButtonProc, kButtonSubclass, reinterpret_cast<DWORD_PTR>(this))) return false;
    if (!SetWindowSubclass(dialog, DialogProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this))) {
        RemoveWindowSubclass(button, ButtonProc, kButtonSubclass);
        return false;
    }
    hwnd_ = button;
    dialog_ = dialog;
    return true;
}

void CLinkButton::Release() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, ButtonProc, kButtonSubclass);
    if (dialog_) RemoveWindowSubclass(dialog_, DialogProc, reinterpret_cast<UINT_PTR>(this));
    hwnd_ = dialog_ = nullptr;
}

void CLinkButton::SetLink(const std::wstring& link, const wchar_t* text) {
    url = link;
    if (!hwnd_) return;
    if (text) SetWindowTextW(hwnd_, text);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

std::wstring CLinkButton::Text() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CLinkButton::SetFont(HFONT font) const {
    if (hwnd_ && font) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CLinkButton::AutoSize() {
    if (!hwnd_ || (GetWindowLongW(hwnd_, GWL_STYLE) & BS_MULTILINE)) return;
    std::wstring text = Text();
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx + 2, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK CLinkButton::ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
    auto* link = reinterpret_cast<CLinkButton*>(self);
    switch (message) {
    case WM_MOUSEMOVE:
        link->OnMouseMove();
        break;
    case WM_MOUSELEAVE:
        link->OnMouseLeave();
        break;
    case WM_SETCURSOR:
        if (HCURSOR hand = Resources().handCursor.Get()) {
            SetCursor(hand);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        link->Release();
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CLinkButton::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
    auto* link = reinterpret_cast<CLinkButton*>(self);
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->hwndItem != link->hwnd_) break;
        link->Draw(*item);
        return TRUE;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) != link->hwnd_ || HIWORD(wParam) != BN_CLICKED || link->url.empty()) break;
        // A target that can't be opened is not reported.
        ShellExecuteW(hwnd, L"open", link->url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return 0;
    case WM_NCDESTROY:
        link->Release();
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void CLinkButton::OnMouseMove() {
    if (hover) return;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd_, 0};
    TrackMouseEvent(&tme);
    hover = true;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CLinkButton::OnMouseLeave() {
    if (!hover) return;
    hover = false;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// The dialog paints its own background into the link, moved to the link's place in it.
void CLinkButton::PaintDialogBackground(HDC dc) const {
    POINT at{0, 0};
    MapWindowPoints(hwnd_, dialog_, &at, 1);
    POINT old;
    OffsetViewportOrgEx(dc, -at.x, -at.y, &old);
    SendMessageW(dialog_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void CLinkButton::Draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    if (transparent) {
        PaintDialogBackground(dc);
    } else {
        SetBkColor(dc, backColor);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    }
    auto ownFont = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    HFONT font = hover && hoverFont ? hoverFont : ownFont;
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, hover ? hoverColor : normalColor);
    std::wstring text = Text();
    RECT textRect{rc.left + 1, rc.top, rc.right - 1, rc.bottom};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              LinkTextFormat(static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE))));
    if (oldFont) SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

} // namespace zevrin
