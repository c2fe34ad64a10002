#include "ui/frame/MBFrameWnd.h"

#include "services/AppResources.h"
#include "ui/frame/MenuBar.h"

#include <utility>

namespace zevrin {

CMenuBar* CMBFrameWnd::Bar() const { return dynamic_cast<CMenuBar*>(menuBar_); }

void CMBFrameWnd::OnDpiChanged(int dpi) {
    Resources().ScaleFonts(dpi);
    fw::CFrameWnd::OnDpiChanged(dpi);
}

void CMBFrameWnd::MoveMenuToBar(CMenuBar& bar) {
    HMENU menu = Menu();
    SetMenu(Hwnd(), nullptr); // the bar owns the menu from now on
    bar.LoadMenu(menu, false);
    SetMenuBar(&bar);
}

LRESULT CMBFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CMBFrameWnd> messages[] = {
        {WM_MENUCHAR, &CMBFrameWnd::OnMenuChar},
        {WM_INITMENUPOPUP, &CMBFrameWnd::OnInitMenuPopupMessage},
        {WM_MENUSELECT, &CMBFrameWnd::OnMenuSelect},
        {WM_SYSCOMMAND, &CMBFrameWnd::OnSysCommand},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CFrameWnd::WindowProc(message, wParam, lParam);
}

bool CMBFrameWnd::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_SYSKEYDOWN || msg.message == WM_KEYDOWN) {
        if (msg.wParam == VK_MENU) {
            if (!(msg.lParam & (1 << 30))) altAlone_ = true; // a fresh press, not a repeat
        } else if (GetKeyState(VK_MENU) < 0) {
            altAlone_ = false;
        }
    }
    return fw::CFrameWnd::PreTranslateMessage(msg);
}

// Alt+letter on a window without a menu arrives as a system-menu mnemonic.
LRESULT CMBFrameWnd::OnMenuChar(WPARAM wParam, LPARAM lParam) {
    CMenuBar* bar = Bar();
    if (bar && (HIWORD(wParam) & MF_SYSMENU) && bar->OnMenuChar(static_cast<wchar_t>(LOWORD(wParam))))
        return MAKELRESULT(0, MNC_CLOSE);
    return fw::CFrameWnd::WindowProc(WM_MENUCHAR, wParam, lParam);
}

LRESULT CMBFrameWnd::OnInitMenuPopupMessage(WPARAM wParam, LPARAM lParam) {
    LRESULT result = fw::CFrameWnd::WindowProc(WM_INITMENUPOPUP, wParam, lParam);
    if (CMenuBar* bar = Bar()) bar->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
    return result;
}

LRESULT CMBFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    LRESULT result = fw::CFrameWnd::WindowProc(WM_MENUSELECT, wParam, lParam);
    if (CMenuBar* bar = Bar()) bar->OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
    return result;
}

// Alt alone or F10 starts keyboard navigation on the bar. The system's own menu loop would take
// the keys away from the bar, so the command ends here when the bar takes it.
LRESULT CMBFrameWnd::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    CMenuBar* bar = Bar();
    if (bar && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) {
        bool alone = std::exchange(altAlone_, true);
        if (!alone || bar->OnKeyMenu()) return 0;
    }
    return fw::CFrameWnd::WindowProc(WM_SYSCOMMAND, wParam, lParam);
}

} // namespace zevrin
