#include "ui/frame/MainFrame.h"

#include "services/AppInfo.h"
#include "services/AppSettings.h"
#include "services/UpdateUrl.h"
#include "framework/Document.h"
#include "framework/Ids.h"
#include "framework/WinApp.h"
#include "framework/View.h"
#include "res/resource.h"
#include "system/Shutdown.h"
#include "ui/display/PlayView.h"
#include "ui/frame/PlaylistPaneAdapter.h"
#include "ui/frame/PlayViewLinkAdapter.h"
#include "ui/playlist/PlaylistView.h"
#include "ui/WindowEffects.h"
#include "ui/dialogs/UpdateCheckDialogs.h"
#include "update/UpdateCheck.h"

#include <shellapi.h>

namespace zevrin {

namespace {

constexpr BYTE kTransparentAlpha = 127;

} // namespace

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

// The playlist's count changed: the menu bar's summary and the title's "n/m" follow it.
void CMainFrame::SetSummary(int count, std::int64_t totalDuration) {
    menuBar_.SetSummary(count, totalDuration);
    if (playView_ && playView_->Hwnd()) playView_->UpdateTitle();
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return CMBFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(const CREATESTRUCTW& cs) {
    if (CMBFrameWnd::OnCreate(cs) == -1) return -1;
    // Centred on the screen at the default size; position and size are not remembered.
    RECT rc = WindowRect();
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    SetWindowPos(Hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - cx) / 2, (GetSystemMetrics(SM_CYSCREEN) - cy) / 2, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The menu is drawn by the bar from now on; the window keeps none of its own.
    if (!menuBar_.Create(*this, IDW_MENUBAR)) return -1;
    MoveMenuToBar(menuBar_);
    fullScreen_.SetFrame(Hwnd());
    controlBar_.SetPlayer(playView_ ? &playView_->VideoPanel() : nullptr);
    if (!controlBar_.Create(*this)) return -1;
    if (Settings().alwaysOnTop) ApplyTopMost();
    if (Settings().transparent) ApplyTransparency();
    controlBar_.ShowSwitchButton(container_.Mode() == CViewContainer::kDocked);
    controlBar_.SetSwitchState(container_.ActivePane() == 0);
    if (playView_) playView_->SetControlBar(&controlBar_);
    return 0;
}

bool CMainFrame::OnCreateClient(const fw::CCreateContext& context) {
    if (!container_.Create(Hwnd(), IDW_PANE_FIRST)) return false;
    auto* play = new CPlayView;
    play->SetPlayToolPath(tools_.play);
    if (!play->CreateView(container_.Hwnd(), IDW_PANE_FIRST, context.document)) {
        delete play;
        container_.DestroyWindow();
        return false;
    }
    // The tool's process start is most of the wait for the first picture: it runs while the
    // rest of the window is made.
    play->StartToolAhead(startAhead_);
    fw::CView* made = context.newView ? context.newView() : nullptr;
    auto* list = dynamic_cast<CPlaylistView*>(made);
    if (!list || !list->CreateView(container_.Hwnd(), IDW_PANE_FIRST + 1, context.document)) {
        delete made;
        container_.DestroyWindow();
        return false;
    }
    playView_ = play;
    playlistView_ = list;
    playlist_ = std::make_unique<CPlaylistPaneAdapter>(*list);
    playViewLink_ = std::make_unique<CPlayViewLinkAdapter>(*play);
    playView_->SetPlaylist(playlist_.get());
    playView_->SetPaneSwitch(&container_);
    list->SetPlayView(playViewLink_.get());
    list->SetFrameLink(this);
    list->SetToolPaths(tools_);
    container_.SetMode(PaneLayoutOf(Settings().layout));
    container_.Activate(1);
    return true;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CMainFrame> messages[] = {
        {WM_DROPFILES, &CMainFrame::OnDropFiles},
        {WM_PANE_CHANGED, &CMainFrame::OnPaneChanged},
        {WM_UPDATE_CHECK, &CMainFrame::OnUpdateCheck},
        {WM_GETMINMAXINFO, &CMainFrame::OnGetMinMaxInfo},
        {WM_WINDOWPOSCHANGING, &CMainFrame::OnWindowPosChanging},
        {WM_SYSCOMMAND, &CMainFrame::OnSysCommand},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return CMBFrameWnd::WindowProc(message, wParam, lParam);
}

// Active view first, then the other pane, so both panes' commands work from either; then the
// frame, the document and the application.
bool CMainFrame::RouteCmdMsg(UINT id, fw::CCmdUI* ui) {
    fw::CView* active = ActiveView();
    if (active && active->OnCmdMsg(id, ui)) return true;
    if (playView_ && active != playView_ && playView_->OnCmdMsg(id, ui)) return true;
    if (playlistView_ && active != playlistView_ && playlistView_->OnCmdMsg(id, ui)) return true;
    if (OnCmdMsg(id, ui)) return true;
    if (Document() && Document()->OnCmdMsg(id, ui)) return true;
    fw::CWinApp* app = fw::CWinApp::Get();
    return app && app->OnCmdMsg(id, ui);
}

bool CMainFrame::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CMainFrame> commands[] = {
        {ID_DOCKING_PLAYLIST, &CMainFrame::OnDocking, &CMainFrame::OnUpdateDocking},
        {ID_FULL_SCREEN, &CMainFrame::OnFullScreen, &CMainFrame::OnUpdateFullScreen},
        {ID_ALWAYS_ON_TOP, &CMainFrame::OnAlwaysOnTop, &CMainFrame::OnUpdateAlwaysOnTop},
        {ID_VIEW_CONTROLBAR, &CMainFrame::OnShowControlBar, &CMainFrame::OnUpdateShowControlBar},
        {ID_TRANSPARENT, &CMainFrame::OnTransparent, &CMainFrame::OnUpdateTransparent},
    };
    return fw::DispatchCommand(this, commands, id, ui) || CMBFrameWnd::OnCmdMsg(id, ui);
}

PlayerState CMainFrame::GetPlayerState() const {
    return playView_ ? playView_->VideoPanel().GetPlayerState() : PlayerState::Idle;
}

bool CMainFrame::PreTranslateMessage(MSG& msg) {
    // Escape leaves full screen; only in a normal window does it reach "Exit".
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && fullScreen_.IsFullScreen()) {
        OnFullScreen();
        return true;
    }
    if (SuppressesScreenSaver(msg, Settings().disableScreenSaver != 0, GetPlayerState())) return true;
    return CMBFrameWnd::PreTranslateMessage(msg);
}

// The screen saver's request usually comes as a sent message, which never passes the loop.
LRESULT CMainFrame::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    MSG msg{Hwnd(), WM_SYSCOMMAND, wParam, lParam, 0, {}};
    if (SuppressesScreenSaver(msg, Settings().disableScreenSaver != 0, GetPlayerState())) return 0;
    return CMBFrameWnd::WindowProc(WM_SYSCOMMAND, wParam, lParam);
}

// Dropped files go to the playlist pane, which adds them.
LRESULT CMainFrame::OnDropFiles(WPARAM wParam, LPARAM lParam) {
    SetActiveWindow(Hwnd());
    if (IsIconic(Hwnd())) {
        ShowWindow(Hwnd(), SW_RESTORE);
        SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    SetForegroundWindow(Hwnd());
    if (playlistView_) return playlistView_->SendMessage(WM_DROPFILES, wParam, lParam);
    DragFinish(reinterpret_cast<HDROP>(wParam));
    return 0;
}

LRESULT CMainFrame::OnPaneChanged(WPARAM wParam, LPARAM lParam) {
    if (!ViewsKnown()) return 1;
    bool playlistShown = lParam != 0;
    // The first pane is activated while the client area is made, before the control bar exists.
    bool barMade = controlBar_.Hwnd() != nullptr;
    if (static_cast<PaneLayout>(wParam) == PaneLayout::kDocked) {
        playlist_->ReleaseVideo();
        playView_->HostVideo(&playView_->VideoPanel());
    } else if (playlistShown) {
        if (barMade) controlBar_.SetSwitchState(false);
        if (GetPlayerState() == PlayerState::Playing) {
            playView_->HostVideo(nullptr);
            playlist_->HostVideo(playView_->VideoPanel().Hwnd());
        }
        if (MenuBar()) ShowControlBar(MenuBar(), true);
    } else {
        if (barMade) controlBar_.SetSwitchState(true);
        playlist_->ReleaseVideo();
        playView_->HostVideo(&playView_->VideoPanel());
        if (MenuBar()) ShowControlBar(MenuBar(), false);
    }
    return 0;
}

// Posted by start-up with lParam 1 for the automatic check at the configured interval; an
// automatic check posts its outcome back here.
LRESULT CMainFrame::OnUpdateCheck(WPARAM wParam, LPARAM lParam) {
    CUpdateCheckDialogs dialogs;
    if (wParam == kUpdateCheckStart)
        StartUpdateCheck(UpdateUrl(), kVersion, Settings().autoCheckUpdateEvery, lParam != 0, dialogs);
    if (wParam == kUpdateCheckEnded) FinishUpdateCheck(lParam, dialogs);
    return 0;
}

LRESULT CMainFrame::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam) {
    LRESULT r = DefaultProc(WM_GETMINMAXINFO, wParam, lParam);
    if (fullScreen_.State() != CFullScreenToggle::kNormal) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const RECT& full = fullScreen_.FullScreenRect();
        info->ptMaxSize = POINT{full.right - full.left, full.bottom - full.top};
        info->ptMaxTrackSize = info->ptMaxSize;
    }
    return r;
}

LRESULT CMainFrame::OnWindowPosChanging(WPARAM wParam, LPARAM lParam) {
    if (fullScreen_.State() == CFullScreenToggle::kFullScreen)
        reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOMOVE;
    return DefaultProc(WM_WINDOWPOSCHANGING, wParam, lParam);
}

void CMainFrame::OnDocking() {
    container_.SetMode(container_.Mode() == PaneLayout::kDocked ? PaneLayout::kOnePane : PaneLayout::kDocked);
    container_.Activate(IsRunning(GetPlayerState()) ? 0 : 1);
    controlBar_.ShowSwitchButton(container_.Mode() == CViewContainer::kDocked);
}

void CMainFrame::OnUpdateDocking(fw::CCmdUI& ui) { ui.SetCheck(container_.Mode() == CViewContainer::kDocked); }

void CMainFrame::SetFullScreenMargins() {
    RECT& m = fullScreen_.margins;
    m.top = MenuBar() && MenuBar()->IsShown() ? MenuBar()->Height() : 0;
    if (Settings().showControlBarsInFullScreenMode) {
        m.right = 0;
        m.bottom = 0;
    } else {
        m.bottom = controlBar_.IsShown() ? controlBar_.Height() : 0;
        if (container_.Mode() == CViewContainer::kDocked) {
            RECT pane{};
            GetWindowRect(container_.GetPane(1), &pane);
            m.right = pane.right - pane.left + fw::ScaleTo(1, fw::DpiOf(Hwnd())); // with the divider
        }
    }
}

void CMainFrame::OnFullScreen() {
    SetFullScreenMargins();
    fullScreen_.Toggle();
    controlBar_.SetFullScreenState(fullScreen_.IsFullScreen());
}

void CMainFrame::OnUpdateFullScreen(fw::CCmdUI& ui) { ui.SetCheck(fullScreen_.IsFullScreen()); }

void CMainFrame::ApplyTopMost() const {
    SetWindowPos(Hwnd(), Settings().alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMainFrame::OnAlwaysOnTop() {
    Settings().alwaysOnTop = Settings().alwaysOnTop ? 0 : 1;
    ApplyTopMost();
}

void CMainFrame::OnUpdateAlwaysOnTop(fw::CCmdUI& ui) { ui.SetCheck(Settings().alwaysOnTop != 0); }

void CMainFrame::OnShowControlBar() { ShowControlBar(&controlBar_, !controlBar_.IsShown()); }
void CMainFrame::OnUpdateShowControlBar(fw::CCmdUI& ui) { ui.SetCheck(controlBar_.IsShown()); }

void CMainFrame::ApplyTransparency() const {
    if (Settings().transparent)
        MakeTransparent(Hwnd(), kTransparentAlpha);
    else
        RemoveTransparency(Hwnd());
}

void CMainFrame::OnTransparent() {
    Settings().transparent = Settings().transparent ? 0 : 1;
    ApplyTransparency();
}

void CMainFrame::OnUpdateTransparent(fw::CCmdUI& ui) { ui.SetCheck(Settings().transparent != 0); }

} // namespace zevrin
