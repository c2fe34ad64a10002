#include "ui/frame/MenuBar.h"

#include "services/AppResources.h"
#include "framework/FrameWnd.h"

#include <algorithm>
#include <cwctype>

namespace zevrin {

namespace {

constexpr int kItemPadding = 18;
constexpr int kBarHeight = 18;

// A key press and release, so a popup opened from the keyboard starts with its first entry
// selected, as a window menu does.
void PressDownArrow() {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_DOWN;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

} // namespace

CMenuBar::CMenuBar() : textColor(GetSysColor(COLOR_MENUTEXT)), highlightColor(GetSysColor(COLOR_HIGHLIGHT)) {}

CMenuBar::~CMenuBar() {
    if (popupBar_ == this) {
        if (hook_) UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        popupBar_ = nullptr;
    }
}

bool CMenuBar::Create(fw::CFrameWnd& frame, UINT id) {
    return CreateBar(frame, Side::Top, fw::ScaleTo(kBarHeight, fw::DpiOf(frame.Hwnd())), id,
                     RegisterClass(L"ZevrinMenuBar", CS_DBLCLKS));
}

void CMenuBar::LoadMenu(HMENU menu, bool rightAligned) {
    menu_.Reset(menu);
    rightAligned_ = rightAligned;
    int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        AddGadget<CMenuBarItem>(nullptr, std::wstring(text));
    }
    layoutDirty_ = true;
    Layout();
}

LRESULT CMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK && message != WM_MOUSEWHEEL)
        return OnMouse(message, wParam, lParam);
    // One message a line, as in every other table.
    // clang-format off
    static const fw::Message<CMenuBar> messages[] = {
        {WM_MENUBAR_OPEN, &CMenuBar::OnOpenPopup},
        {WM_KEYDOWN, &CMenuBar::OnKeyDown},
        {WM_SYSKEYDOWN, &CMenuBar::OnSysKeyDown},
        {WM_KILLFOCUS, &CMenuBar::OnKillFocus},
        {WM_GETDLGCODE, &CMenuBar::OnGetDlgCode},
        {WM_MOUSELEAVE, &CMenuBar::OnMouseLeave},
    };
    // clang-format on
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return CGadgetBar::WindowProc(message, wParam, lParam);
}

// Items sit side by side, each its text's width plus padding, from the left edge or, right
// aligned, from the right edge leftwards.
void CMenuBar::Layout() {
    RECT client = ClientRect();
    HDC dc = GetDC(Hwnd());
    HGDIOBJ old =
        SelectObject(dc, Resources().normalFont ? Resources().normalFont.Get() : GetStockObject(DEFAULT_GUI_FONT));
    int x = rightAligned_ ? client.right : client.left;
    for (size_t i = 0; i < ItemCount(); ++i) {
        size_t index = rightAligned_ ? ItemCount() - 1 - i : i;
        CMenuBarItem& item = Item(index);
        RECT text{0, 0, 0, 0};
        DrawTextW(dc, item.Text().c_str(), static_cast<int>(item.Text().size()), &text, DT_SINGLELINE | DT_CALCRECT);
        int width = text.right - text.left + Dpi()(kItemPadding);
        RECT rc{x, client.top, x + width, client.bottom - 1};
        if (rightAligned_) rc = RECT{x - width, client.top, x, client.bottom - 1};
        item.SetRect(rc);
        x = rightAligned_ ? rc.left : rc.right;
    }
    SelectObject(dc, old);
    ReleaseDC(Hwnd(), dc);
    layoutDirty_ = false;
    Invalidate(false);
}

void CMenuBar::OnDpiChanged(int dpi) {
    SetHeight(fw::ScaleTo(kBarHeight, dpi));
    layoutDirty_ = true;
    Layout();
}

bool CMenuBar::ItemIsHighlighted(const CMenuBarItem& item) const {
    int index = IndexOf(&item);
    return index != -1 && (index == hot_ || index == pressed_);
}

int CMenuBar::IndexOf(const CGadget* gadget) const {
    for (size_t i = 0; i < ItemCount(); ++i)
        if (&GadgetAt(i) == gadget) return static_cast<int>(i);
    return -1;
}

int CMenuBar::ItemFromPoint(POINT pt) const { return IndexOf(GadgetFromPoint(pt)); }

void CMenuBar::SetHot(int index) {
    if (hot_ == index) return;
    hot_ = index;
    Invalidate(false);
}

// ---- tracking -------------------------------------------------------------------------------

void CMenuBar::EnterTracking(int index) {
    if (tracking_) return;
    tracking_ = true;
    if (GetFocus() != Hwnd()) previousFocus_ = SetFocus(Hwnd());
    SetCapture(Hwnd());
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SetHot(index);
}

void CMenuBar::LeaveTracking() {
    if (!tracking_) return;
    SetHot(-1);
    if (GetFocus() == Hwnd() && previousFocus_ && IsWindow(previousFocus_)) SetFocus(previousFocus_);
    previousFocus_ = nullptr;
    if (GetCapture() == Hwnd()) ReleaseCapture();
    tracking_ = false;
}

void CMenuBar::MoveHot(int delta) {
    int count = static_cast<int>(ItemCount());
    if (count == 0) return;
    int from = hot_ < 0 ? 0 : hot_;
    int next = ((from + delta) % count + count) % count;
    if (inPopup_) {
        RequestPopup(next, true);
    } else {
        SetHot(next);
    }
}

// Closes the open popup and asks for another one, which the popup loop then opens.
void CMenuBar::RequestPopup(int index, bool keyboard) {
    current_ = index;
    popupRequested_ = true;
    keyboardOpened_ = keyboard;
    SetHot(index);
    if (fw::CFrameWnd* frame = Frame()) frame->SendMessage(WM_CANCELMODE);
}

LRESULT CMenuBar::OnOpenPopup(WPARAM wParam, LPARAM lParam) {
    int index = static_cast<int>(wParam);
    if (index < 0 || index >= static_cast<int>(ItemCount()) || inPopup_) return 0;
    EnterTracking(index);
    current_ = index;
    popupRequested_ = true;
    escapeInTopPopup_ = false;
    keyboardOpened_ = LOWORD(lParam) != 0;
    RunPopups();
    if (escapeInTopPopup_) {
        // Escape in the popup closes it only: the bar stays ready for the keyboard.
        SetCapture(Hwnd());
        SetHot(current_);
    } else {
        LeaveTracking();
    }
    return 0;
}

void CMenuBar::RunPopups() {
    fw::CFrameWnd* frame = Frame();
    while (popupRequested_ && frame) {
        HMENU popup = GetSubMenu(menu_.Get(), current_);
        if (!popup) break;
        pressed_ = current_;
        SetHot(current_);
        Invalidate(false);
        UpdateWindow(Hwnd());
        if (keyboardOpened_) PressDownArrow();
        popupRequested_ = false;
        selectionInTopPopup_ = selectionHasSubmenu_ = false;

        RECT rc = Item(static_cast<size_t>(current_)).GetRect();
        MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
        TPMPARAMS params{sizeof(params), rc};
        popupBar_ = this;
        hook_ = SetWindowsHookExW(WH_MSGFILTER, MessageFilterHook, nullptr, GetCurrentThreadId());
        inPopup_ = true;
        if (GetCapture() == Hwnd()) ReleaseCapture();
        TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON,
                         std::max<LONG>(rc.left, 0), rc.bottom, frame->Hwnd(), &params);
        inPopup_ = false;
        if (hook_) UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        popupBar_ = nullptr;
        pressed_ = -1;
        Invalidate(false);
    }
}

LRESULT CALLBACK CMenuBar::MessageFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && popupBar_ && popupBar_->FilterPopupMessage(*reinterpret_cast<MSG*>(lParam))) return TRUE;
    return CallNextHookEx(hook_, code, wParam, lParam);
}

bool CMenuBar::FilterPopupMessage(MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
            escapeInTopPopup_ = selectionInTopPopup_;
            return false; // the popup closes itself
        }
        if (msg.wParam == VK_LEFT && selectionInTopPopup_) {
            MoveHot(-1);
            return true;
        }
        if (msg.wParam == VK_RIGHT && !selectionHasSubmenu_) {
            MoveHot(+1);
            return true;
        }
        return false;
    case WM_MOUSEMOVE: {
        POINT pt = msg.pt;
        ScreenToClient(Hwnd(), &pt);
        int index = ItemFromPoint(pt);
        if (index != -1 && index != current_) RequestPopup(index, false);
        return false;
    }
    case WM_LBUTTONDBLCLK: {
        POINT pt = msg.pt;
        ScreenToClient(Hwnd(), &pt);
        return ItemFromPoint(pt) != -1; // a double click on the bar does not reopen anything
    }
    default:
        return false;
    }
}

// ---- keyboard --------------------------------------------------------------------------------

// The frame's accelerators would take Enter ("Play"), Escape ("Exit") and Space ("Play") from
// the bar while it tracks, so its keys are dispatched here before they get that far. A system
// key ends tracking and goes on as usual (Alt+Enter is still full screen); Alt alone ends it.
bool CMenuBar::PreTranslateMessage(MSG& msg) {
    if (!tracking_ || msg.hwnd != Hwnd() || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    if (msg.message == WM_SYSKEYDOWN) {
        LeaveTracking();
        return msg.wParam == VK_MENU; // Alt again only leaves the bar, as it leaves a window menu
    }
    if (msg.message == WM_SYSKEYUP || msg.message == WM_SYSCHAR) return false;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

LRESULT CMenuBar::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    if (!tracking_) return DefaultProc(WM_KEYDOWN, wParam, lParam);
    switch (wParam) {
    case VK_ESCAPE:
        LeaveTracking();
        break;
    case VK_SPACE:
        LeaveTracking();
        if (fw::CFrameWnd* frame = Frame()) frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, L' ');
        break;
    case VK_LEFT:
        MoveHot(-1);
        break;
    case VK_RIGHT:
        MoveHot(+1);
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
        PostMessage(WM_MENUBAR_OPEN, static_cast<WPARAM>(std::max(hot_, 0)), 1);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CMenuBar::OnSysKeyDown(WPARAM wParam, LPARAM lParam) {
    LeaveTracking();
    return DefaultProc(WM_SYSKEYDOWN, wParam, lParam);
}

LRESULT CMenuBar::OnKillFocus(WPARAM wParam, LPARAM lParam) {
    if (!inPopup_) LeaveTracking();
    return DefaultProc(WM_KILLFOCUS, wParam, lParam);
}

LRESULT CMenuBar::OnGetDlgCode(WPARAM, LPARAM) { return tracking_ ? DLGC_WANTALLKEYS : 0; }

// ---- mouse -------------------------------------------------------------------------------------

LRESULT CMenuBar::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT pt = fw::MousePoint(lParam);
    RECT client = ClientRect();
    bool inside = PtInRect(&client, pt) != FALSE;
    int index = inside ? ItemFromPoint(pt) : -1;
    switch (message) {
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Hwnd(), 0};
            trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
        }
        // While tracking, moves over other windows leave the highlight where the keys put it.
        if (inside || !tracking_) SetHot(index);
        return 0;
    case WM_LBUTTONDOWN:
        if (index != -1) {
            PostMessage(WM_MENUBAR_OPEN, static_cast<WPARAM>(index), 0);
            return 0;
        }
        if (!inside && tracking_) {
            POINT screen = pt;
            ClientToScreen(Hwnd(), &screen);
            PressOutside(message, wParam, screen);
            return 0;
        }
        if (tracking_) LeaveTracking();
        return CGadgetBar::WindowProc(message, wParam, lParam); // empty bar space drags the window
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (!inside && tracking_) {
            POINT screen = pt;
            ClientToScreen(Hwnd(), &screen);
            PressOutside(message, wParam, screen);
        }
        return 0;
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

LRESULT CMenuBar::OnMouseLeave(WPARAM, LPARAM) {
    trackingLeave_ = false;
    if (!tracking_) SetHot(-1);
    return 0;
}

// A press elsewhere ends keyboard tracking and still reaches the window it was meant for.
void CMenuBar::PressOutside(UINT message, WPARAM wParam, POINT screenPt) {
    LeaveTracking();
    HWND target = WindowFromPoint(screenPt);
    if (!target) return;
    LRESULT hit = ::SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(screenPt.x, screenPt.y));
    if (hit == HTCLIENT) {
        POINT client = screenPt;
        ScreenToClient(target, &client);
        ::PostMessageW(target, message, wParam, MAKELPARAM(client.x, client.y));
    } else {
        UINT nc = message == WM_LBUTTONDOWN   ? WM_NCLBUTTONDOWN
                  : message == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN
                                              : WM_NCMBUTTONDOWN;
        ::PostMessageW(target, nc, static_cast<WPARAM>(hit), MAKELPARAM(screenPt.x, screenPt.y));
    }
}

// ---- the frame's menu messages ------------------------------------------------------------------

bool CMenuBar::OnMenuChar(wchar_t letter) {
    for (size_t i = 0; i < ItemCount(); ++i) {
        if (towupper(Item(i).Mnemonic()) == towupper(letter)) {
            PostMessage(WM_MENUBAR_OPEN, i, 1);
            return true;
        }
    }
    return false;
}

void CMenuBar::OnInitMenuPopup(HMENU popup) {
    if (inPopup_ && current_ >= 0) selectionInTopPopup_ = popup == GetSubMenu(menu_.Get(), current_);
}

void CMenuBar::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (!inPopup_ || current_ < 0) return;
    if (flags == 0xFFFF && !menu) return; // the menu loop is ending
    selectionInTopPopup_ = menu == GetSubMenu(menu_.Get(), current_);
    selectionHasSubmenu_ = (flags & MF_POPUP) != 0;
    (void)item;
}

bool CMenuBar::OnKeyMenu() {
    if (!IsShown() || ItemCount() == 0) return false;
    EnterTracking(0);
    return true;
}

} // namespace zevrin
