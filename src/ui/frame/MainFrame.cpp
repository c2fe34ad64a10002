#include "ui/frame/MainFrame.h"

#include "framework/View.h"

#include <shellapi.h>

namespace zevrin {

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return fw::CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(const CREATESTRUCTW& cs) {
    if (fw::CFrameWnd::OnCreate(cs) == -1) return -1;
    // Centred on the screen at the default size; position and size are not remembered.
    RECT rc = WindowRect();
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    SetWindowPos(Hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - cx) / 2, (GetSystemMetrics(SM_CYSCREEN) - cy) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CMainFrame> messages[] = {
        {WM_DROPFILES, &CMainFrame::OnDropFiles},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CFrameWnd::WindowProc(message, wParam, lParam);
}

// Dropped files go to the playlist pane, which adds them.
LRESULT CMainFrame::OnDropFiles(WPARAM wParam, LPARAM lParam) {
    if (IsIconic(Hwnd())) ShowWindow(Hwnd(), SW_RESTORE);
    SetForegroundWindow(Hwnd());
    if (fw::CView* view = ActiveView()) return view->SendMessage(WM_DROPFILES, wParam, lParam);
    DragFinish(reinterpret_cast<HDROP>(wParam));
    return 0;
}

} // namespace zevrin
