#include "ui/playlist/ImageButton.h"

#include "services/AppResources.h"
#include "framework/Handles.h"

namespace zevrin {

bool CImageButton::Create(const wchar_t* text, HWND parent, UINT id) {
    const wchar_t* cls = RegisterClass(L"ZevrinImageButton", CS_DBLCLKS);
    return CreateEx(0, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CImageButton::SetImages(const CThumbnailImage* normal, const CThumbnailImage* highlighted) {
    images_[0] = normal;
    images_[1] = highlighted;
    imageSize_ = normal ? SIZE{normal->Width(), normal->Height()} : SIZE{};
}

LRESULT CImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CImageButton> messages[] = {
        {WM_PAINT, &CImageButton::OnPaint},
        {WM_MOUSEMOVE, &CImageButton::OnMouseMove},
        {WM_MOUSELEAVE, &CImageButton::OnMouseLeave},
        {WM_LBUTTONDOWN, &CImageButton::OnLButtonDown},
        {WM_LBUTTONDBLCLK, &CImageButton::OnLButtonDown},
        {WM_LBUTTONUP, &CImageButton::OnLButtonUp},
        {WM_SETCURSOR, &CImageButton::OnSetCursor},
        {WM_SETFOCUS, &CImageButton::OnFocusChange},
        {WM_KILLFOCUS, &CImageButton::OnFocusChange},
        {WM_ERASEBKGND, &CImageButton::OnEraseBackground},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CWnd::WindowProc(message, wParam, lParam);
}

CImageButton::DrawState CImageButton::State() const {
    if (pressed_) return kPressed;
    if (::GetFocus() == Hwnd()) return hover ? kHover : kFocused;
    if (!::IsWindowEnabled(Hwnd())) return kDisabled;
    return hover ? kHover : kNormal;
}

// Through an off-screen surface, so that the picture never flickers over the background.
LRESULT CImageButton::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Hwnd(), &ps);
    RECT rc = ClientRect();
    if (rc.right > 0 && rc.bottom > 0) {
        HDC memory = ::CreateCompatibleDC(dc);
        fw::UniqueBitmap surface(::CreateCompatibleBitmap(dc, rc.right, rc.bottom));
        HGDIOBJ old = ::SelectObject(memory, surface.Get());
        ::SetBkColor(memory, backColor);
        ::ExtTextOutW(memory, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
        DrawState state = State();
        if (const CThumbnailImage* image = images_[state == kHover || state == kPressed ? 1 : 0]) {
            int x = (rc.right - imageSize_.cx) / 2, y = (rc.bottom - imageSize_.cy) / 2;
            image->Draw(memory, {x, y, x + imageSize_.cx, y + imageSize_.cy});
        }
        ::BitBlt(dc, 0, 0, rc.right, rc.bottom, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    ::EndPaint(Hwnd(), &ps);
    return 0;
}

LRESULT CImageButton::OnMouseMove(WPARAM, LPARAM) {
    if (!hover) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Hwnd(), 0};
        ::TrackMouseEvent(&tme);
        hover = true;
        Invalidate(false);
    }
    return 0;
}

LRESULT CImageButton::OnMouseLeave(WPARAM, LPARAM) {
    if (hover) {
        hover = false;
        Invalidate(false);
    }
    return 0;
}

LRESULT CImageButton::OnLButtonDown(WPARAM, LPARAM) {
    pressed_ = true;
    ::SetCapture(Hwnd());
    Invalidate(false);
    return 0;
}

LRESULT CImageButton::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (!pressed_) return 0;
    pressed_ = false;
    if (::GetCapture() == Hwnd()) ::ReleaseCapture();
    Invalidate(false);
    POINT pt = fw::MousePoint(lParam);
    RECT rc = ClientRect();
    if (::PtInRect(&rc, pt))
        ::SendMessageW(Parent(), WM_COMMAND, MAKEWPARAM(Id(), BN_CLICKED), reinterpret_cast<LPARAM>(Hwnd()));
    return 0;
}

LRESULT CImageButton::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (HCURSOR hand = Resources().handCursor.Get()) {
        ::SetCursor(hand);
        return TRUE;
    }
    return DefaultProc(WM_SETCURSOR, wParam, lParam);
}

LRESULT CImageButton::OnFocusChange(WPARAM, LPARAM) {
    Invalidate(false);
    return 0;
}

} // namespace zevrin
