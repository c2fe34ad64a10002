#include "ui/display/GadgetBar.h"

#include "services/AppResources.h"
#include "framework/Handles.h"
#include "ui/display/GadgetCmdUI.h"
#include "ui/display/GadgetSlider.h"

#include <commctrl.h>

namespace zevrin {

namespace {

// Rows of the shared background strip: the control bar starts at row 20.
constexpr int kBackgroundRow = 20;

} // namespace

CGadgetBar::~CGadgetBar() {
    // The gadgets refer to the bar: they go first, while it is still whole.
    gadgets_.clear();
}

fw::CFrameWnd* CGadgetBar::Frame() const {
    return dynamic_cast<fw::CFrameWnd*>(fw::CWnd::FromHandle(GetAncestor(Hwnd(), GA_ROOT)));
}

bool CGadgetBar::CreateTooltip() {
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return false;
    ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 0xFFFF);
    return true;
}

void CGadgetBar::AddTool(size_t toolId, const wchar_t* tip) {
    if (!tooltip_) return;
    TTTOOLINFOW ti{sizeof(ti)};
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = Hwnd();
    ti.uId = toolId;
    ti.lpszText = tip ? const_cast<wchar_t*>(tip) : LPSTR_TEXTCALLBACKW;
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CGadgetBar::UpdateToolText(size_t index, const std::wstring& text) {
    if (!tooltip_) return;
    TTTOOLINFOW ti{sizeof(ti)};
    ti.hwnd = Hwnd();
    ti.uId = index + 1;
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CGadgetBar::UpdateToolRects() {
    for (size_t i = 0; tooltip_ && i < gadgets_.size(); ++i) {
        TTTOOLINFOW ti{sizeof(ti)};
        ti.hwnd = Hwnd();
        ti.uId = i + 1;
        ti.rect = gadgets_[i]->IsHidden() ? RECT{} : gadgets_[i]->GetRect();
        ::SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    Invalidate(false);
}

CGadget* CGadgetBar::GadgetFromPoint(POINT pt) const {
    for (const auto& g : gadgets_)
        if (!g->IsHidden() && g->HitTest(pt)) return g.get();
    return nullptr;
}

// Only "enabled" is taken from the handlers; the bar's own commands come first.
void CGadgetBar::OnUpdateCmdUI(fw::CFrameWnd& frame) {
    for (const auto& g : gadgets_) {
        if (g->CommandId() == CGadget::kNoCommand) continue;
        CGadgetCmdUI ui(*g);
        if (!OnCmdMsg(g->CommandId(), &ui) && !frame.RouteCmdMsg(g->CommandId(), &ui)) ui.Enable(false);
    }
}

LRESULT CGadgetBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) && message != WM_MOUSEWHEEL)
        return OnMouse(message, wParam, lParam);
    static const fw::Message<CGadgetBar> messages[] = {
        {WM_PAINT, &CGadgetBar::OnPaint},
        {WM_ERASEBKGND, &CGadgetBar::OnEraseBackground},
        {WM_SIZE, &CGadgetBar::OnSize},
        {WM_MOUSELEAVE, &CGadgetBar::OnMouseLeave},
        {WM_CANCELMODE, &CGadgetBar::OnCancelMode},
        {WM_NOTIFY, &CGadgetBar::OnNotify},
        {WM_CONTEXTMENU, &CGadgetBar::OnContextMenuMessage},
        {WM_SLIDER_CHANGED, &CGadgetBar::OnSliderChangedMessage},
        {fw::WM_DPI_RESCALE, &CGadgetBar::OnDpiRescale},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CControlBar::WindowProc(message, wParam, lParam);
}

// A button's command goes first to the bar's own table, then to the frame's routing; both ask
// the command's update handler before they run it.
bool CGadgetBar::OnCommand(WPARAM wParam, LPARAM) {
    UINT id = LOWORD(wParam);
    if (fw::RunCommandIfEnabled(id, [this](UINT i, fw::CCmdUI* ui) { return OnCmdMsg(i, ui); })) return true;
    if (fw::CFrameWnd* frame = Frame()) frame->SendMessage(WM_COMMAND, id, 0);
    return true;
}

void CGadgetBar::PaintBackground(HDC dc, const RECT& rc) {
    const int dpi = Dpi().Value();
    HIMAGELIST strip = Resources().BarBackground(dpi);
    if (!strip) {
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    const int percent = fw::ArtScalePercent(dpi);
    const int tile = fw::ArtSize(8, percent), row = fw::ArtSize(kBackgroundRow, percent);
    for (int x = rc.left; x < rc.right; x += tile)
        ImageList_DrawEx(strip, 0, dc, x, -row, tile, rc.bottom + row, CLR_NONE, CLR_NONE, ILD_NORMAL);
}

LRESULT CGadgetBar::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    RECT rc = ClientRect();
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx > 0 && cy > 0) {
        HDC memory = CreateCompatibleDC(dc);
        fw::UniqueBitmap bitmap(CreateCompatibleBitmap(dc, cx, cy));
        HGDIOBJ old = SelectObject(memory, bitmap.Get());
        PaintBackground(memory, rc);
        for (const auto& g : gadgets_) g->Paint(memory);
        BitBlt(dc, 0, 0, cx, cy, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(Hwnd(), &ps);
    return 0;
}

LRESULT CGadgetBar::OnSize(WPARAM, LPARAM lParam) {
    if (LOWORD(lParam) >= 1 && HIWORD(lParam) >= 1) Layout();
    return 0;
}

void CGadgetBar::EndMouseStates() {
    if (CGadget* hot = CGadget::HotGadget(); hot && &hot->Bar() == this) CGadget::SetHot(nullptr);
    if (CGadget* pressed = CGadget::PressedGadget(); pressed && &pressed->Bar() == this) CGadget::SetPressed(nullptr);
    if (CGadget* captured = CGadget::CapturedGadget(); captured && &captured->Bar() == this) {
        CGadget::SetCaptured(nullptr);
        captured->Redraw();
    }
    if (GetCapture() == Hwnd()) ReleaseCapture();
}

LRESULT CGadgetBar::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT pt = fw::MousePoint(lParam);
    MSG relay{Hwnd(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&relay.pt);
    if (tooltip_) ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));

    if (message == WM_MOUSEMOVE) {
        if (!trackingLeave_) {
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Hwnd(), 0};
            trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
        }
        if (!CGadget::CapturedGadget() && !CGadget::PressedGadget()) CGadget::SetHot(GadgetFromPoint(pt));
        OnMouseMoved(pt);
    }
    bool taken = false;
    for (const auto& g : gadgets_)
        if (g->MouseMessage(message, wParam, pt)) {
            taken = true;
            break;
        }
    if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
        if (!taken && CGadget::PressedGadget() && &CGadget::PressedGadget()->Bar() == this) EndMouseStates();
        CGadget::SetHot(nullptr);
    }
    if (message == WM_LBUTTONDOWN && !taken) DragFrame(pt);
    return DefaultProc(message, wParam, lParam);
}

// Empty bar space moves the window, as the caption would.
void CGadgetBar::DragFrame(POINT pt) {
    fw::CFrameWnd* frame = Frame();
    if (!frame) return;
    ClientToScreen(Hwnd(), &pt);
    ReleaseCapture();
    frame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
}

LRESULT CGadgetBar::OnMouseLeave(WPARAM, LPARAM) {
    trackingLeave_ = false;
    if (!CGadget::CapturedGadget() && !CGadget::PressedGadget()) CGadget::SetHot(nullptr);
    return 0;
}

LRESULT CGadgetBar::OnCancelMode(WPARAM, LPARAM) {
    EndMouseStates();
    return 0;
}

LRESULT CGadgetBar::OnNotify(WPARAM, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom != tooltip_ || header->code != TTN_GETDISPINFOW) return 0;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    tipBuffer_ = info->hdr.idFrom >= 1 ? DynamicTipText(info->hdr.idFrom - 1) : std::wstring();
    info->lpszText = const_cast<wchar_t*>(tipBuffer_.c_str());
    return 0;
}

LRESULT CGadgetBar::OnContextMenuMessage(WPARAM, LPARAM lParam) {
    POINT pt = fw::MousePoint(lParam);
    bool keyboard = pt.x == -1 && pt.y == -1;
    if (keyboard) {
        pt = POINT{Dpi()(5), Dpi()(5)};
        ClientToScreen(Hwnd(), &pt);
    }
    OnContextMenu(pt, keyboard);
    return 0;
}

} // namespace zevrin
