#include "framework/FrameWnd.h"

#include "framework/ControlBar.h"
#include "framework/Document.h"
#include "framework/Dpi.h"
#include "framework/Ids.h"
#include "framework/Text.h"
#include "framework/View.h"
#include "framework/WinApp.h"

#include <algorithm>

namespace fw {

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, const CCreateContext& context) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    title_ = StringField(LoadResourceString(resourceId), 0);
    accel_.Reset(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId)));
    icon_.Reset(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    smallIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(resourceId));
    document_ = context.document;

    const wchar_t* cls = RegisterClass(L"ZevrinFrame", CS_DBLCLKS, nullptr, nullptr, icon_.Get());
    context_ = &context;
    bool ok = CreateEx(0, cls, title_.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                       nullptr, menu);
    context_ = nullptr;
    if (!ok) {
        if (menu && !IsMenu(menu)) menu = nullptr; // went with the window
        if (menu) DestroyMenu(menu);
        return false;
    }
    autoDelete_ = true;
    if (smallIcon_) SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    return true;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const Message<CFrameWnd> messages[] = {
        {WM_CREATE, &CFrameWnd::OnCreateMessage},
        {WM_SIZE, &CFrameWnd::OnSize},
        {WM_CLOSE, &CFrameWnd::OnCloseMessage},
        {WM_DESTROY, &CFrameWnd::OnDestroy},
        {WM_SETFOCUS, &CFrameWnd::OnSetFocus},
        {WM_INITMENUPOPUP, &CFrameWnd::OnInitMenuPopup},
        {WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI},
        {WM_QUERYENDSESSION, &CFrameWnd::OnQueryEndSession},
        {WM_ENDSESSION, &CFrameWnd::OnEndSession},
        {WM_DPICHANGED, &CFrameWnd::OnDpiChangedMessage},
    };
    if (auto r = DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return CWnd::WindowProc(message, wParam, lParam);
}

// The window takes the rectangle the system suggests for the new scale, then rebuilds itself.
LRESULT CFrameWnd::OnDpiChangedMessage(WPARAM wParam, LPARAM lParam) {
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        ::SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    OnDpiChanged(HIWORD(wParam));
    return 0;
}

void CFrameWnd::OnDpiChanged(int dpi) {
    // Parents before their children, so a pane can rely on its container's new sizes. A media
    // tool's window inside a pane belongs to another process and is never asked: it could hang.
    ::EnumChildWindows(
        Hwnd(),
        [](HWND child, LPARAM value) -> BOOL {
            DWORD process = 0;
            ::GetWindowThreadProcessId(child, &process);
            if (process == ::GetCurrentProcessId())
                ::SendMessageW(child, WM_DPI_RESCALE, static_cast<WPARAM>(value), 0);
            return TRUE;
        },
        dpi);
    RecalcLayout();
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

LRESULT CFrameWnd::OnCreateMessage(WPARAM, LPARAM lParam) {
    return OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
}

int CFrameWnd::OnCreate(const CREATESTRUCTW&) {
    if (!context_ || !OnCreateClient(*context_)) return -1;
    return 0;
}

bool CFrameWnd::OnCreateClient(const CCreateContext& context) {
    if (!context.newView) return true;
    CView* view = context.newView();
    if (!view || !view->CreateView(Hwnd(), IDW_PANE_FIRST, context.document)) {
        delete view;
        return false;
    }
    return true;
}

void CFrameWnd::InitialUpdateFrame() {
    if (document_) {
        // Copy: an initial update may add or remove views.
        std::vector<CView*> views = document_->Views();
        for (CView* view : views) view->OnInitialUpdate();
    }
    if (!activeView_) {
        if (auto pane = dynamic_cast<CView*>(CWnd::FromHandle(GetDlgItem(Hwnd(), IDW_PANE_FIRST)))) SetActiveView(pane);
    }
    RecalcLayout();
}

void CFrameWnd::SetActiveView(CView* view, bool focus) {
    CView* old = activeView_;
    if (old == view) {
        if (view && focus) ::SetFocus(view->Hwnd());
        return;
    }
    activeView_ = view;
    if (old) old->OnActivateView(false);
    if (view) {
        view->OnActivateView(true);
        if (focus) ::SetFocus(view->Hwnd());
    }
}

bool CFrameWnd::RouteCmdMsg(UINT id, CCmdUI* ui) {
    if (activeView_ && activeView_->OnCmdMsg(id, ui)) return true;
    if (OnCmdMsg(id, ui)) return true;
    if (document_ && document_->OnCmdMsg(id, ui)) return true;
    CWinApp* app = CWinApp::Get();
    return app && app->OnCmdMsg(id, ui);
}

// Notifications from child controls go to the controls' owners, not along the routing. Every
// command asks its update handler first, along the same routing, whatever sent it.
bool CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (IsControlNotification(wParam, lParam)) return false;
    return RunCommandIfEnabled(LOWORD(wParam), [this](UINT id, CCmdUI* ui) { return RouteCmdMsg(id, ui); });
}

void CFrameWnd::AddControlBar(CControlBar* bar) {
    if (std::find(bars_.begin(), bars_.end(), bar) == bars_.end()) bars_.push_back(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) { std::erase(bars_, bar); }

void CFrameWnd::ShowControlBar(CControlBar* bar, bool show) {
    bar->Show(show ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::RecalcLayout() {
    if (!Hwnd()) return;
    RECT rc = ClientRect();
    HDWP dwp = BeginDeferWindowPos(static_cast<int>(bars_.size()) + 1);
    for (CControlBar* bar : bars_) {
        if (!bar->IsShown()) continue;
        RECT r = rc;
        if (bar->DockSide() == CControlBar::Side::Top) {
            r.bottom = std::min(rc.bottom, rc.top + bar->Height());
            rc.top = r.bottom;
        } else {
            r.top = std::max(rc.top, rc.bottom - bar->Height());
            rc.bottom = r.top;
        }
        dwp = DeferWindowPos(dwp, bar->Hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND pane = GetDlgItem(Hwnd(), IDW_PANE_FIRST))
        dwp = DeferWindowPos(dwp, pane, nullptr, rc.left, rc.top, rc.right - rc.left,
                             std::max<LONG>(0, rc.bottom - rc.top), SWP_NOZORDER | SWP_NOACTIVATE);
    EndDeferWindowPos(dwp);
}

LRESULT CFrameWnd::OnSize(WPARAM wParam, LPARAM) {
    if (wParam != SIZE_MINIMIZED) RecalcLayout();
    return 0;
}

LRESULT CFrameWnd::OnCloseMessage(WPARAM, LPARAM) {
    OnClose();
    return 0;
}

void CFrameWnd::OnClose() {
    if (document_) document_->PreCloseFrame(this);
    DestroyWindow();
}

LRESULT CFrameWnd::OnDestroy(WPARAM, LPARAM) {
    CWinApp* app = CWinApp::Get();
    if (app && app->MainWnd() == this) {
        app->SetMainWnd(nullptr);
        PostQuitMessage(0);
    }
    return 0;
}

// Nothing here stands in the way of a log-off or shutdown.
LRESULT CFrameWnd::OnQueryEndSession(WPARAM, LPARAM) { return TRUE; }

// The session ends and the system ends the process as soon as this returns: the main frame
// closes now, the way Exit closes it (work stopped, what the views keep written), and the
// application writes what it writes at a normal exit.
LRESULT CFrameWnd::OnEndSession(WPARAM ending, LPARAM) {
    CWinApp* app = CWinApp::Get();
    if (!ending || !app || app->MainWnd() != this) return 0;
    OnClose();
    app->OnEndSession();
    return 0;
}

LRESULT CFrameWnd::OnSetFocus(WPARAM, LPARAM) {
    if (activeView_ && activeView_->Hwnd()) ::SetFocus(activeView_->Hwnd());
    return 0;
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(lParam)) return DefaultProc(WM_INITMENUPOPUP, wParam, lParam); // the system menu
    CMenuCmdUI::UpdatePopup(reinterpret_cast<HMENU>(wParam),
                            [this](UINT id, CCmdUI* ui) { return RouteCmdMsg(id, ui); });
    return 0;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    for (CControlBar* bar : bars_)
        if (bar->IsShown()) bar->OnUpdateCmdUI(*this);
    return 0;
}

bool CFrameWnd::PreTranslateMessage(MSG& msg) {
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && accel_)
        return TranslateAcceleratorW(Hwnd(), accel_.Get(), &msg) != 0;
    return false;
}

} // namespace fw
