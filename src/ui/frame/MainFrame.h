#pragma once
// The program's single top-level window: the two panes in their container, the control bar
// under them, full screen, always-on-top, transparency, file drops, and the command routing
// that lets either pane's commands work while the other one is active.
#include "ui/display/PlayControlBar.h"
#include "ui/frame/FullScreenToggle.h"
#include "ui/frame/MBFrameWnd.h"
#include "ui/frame/StatusMenuBar.h"
#include "ui/frame/ViewContainer.h"
#include "services/ToolPaths.h"
#include "ui/playlist/PlaylistFrameLink.h"

#include <memory>

namespace zevrin {

class CPlayView;
class CPlaylistView;
class IPlaylistPane;
class IPlayViewLink;

class CMainFrame : public CMBFrameWnd, public IPlaylistFrameLink {
public:
    CMainFrame();
    ~CMainFrame() override;
    // The media tools for the panes; given before the window is created.
    void SetToolPaths(ToolPaths tools) { tools_ = std::move(tools); }
    // A file whose playback starts as soon as the display view exists (start-up's first file).
    void SetFileToStartAhead(std::wstring path) { startAhead_ = std::move(path); }

    bool RouteCmdMsg(UINT id, fw::CCmdUI* ui) override;
    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;
    bool PreTranslateMessage(MSG& msg) override;

    CPlayView* PlayView() const { return playView_; }
    CPlaylistView* PlaylistView() const { return playlistView_; }
    CViewContainer& Container() { return container_; }
    CPlayControlBar& ControlBar() { return controlBar_; }
    bool IsFullScreen() const { return fullScreen_.IsFullScreen(); }

    // IPlaylistFrameLink
    PaneLayout ContainerMode() const override { return container_.Mode(); }
    int ActivePane() const override { return container_.ActivePane(); }
    void ActivatePane(int pane) override { container_.Activate(pane); }
    void ActivateNextPane(bool backwards) override { container_.ActivateNext(backwards); }
    void SetSummary(int count, std::int64_t totalDuration) override;

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    int OnCreate(const CREATESTRUCTW& cs) override;
    bool OnCreateClient(const fw::CCreateContext& context) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnDropFiles(WPARAM, LPARAM);
    LRESULT OnPaneChanged(WPARAM, LPARAM);
    LRESULT OnUpdateCheck(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM, LPARAM);

    void OnDocking();
    void OnUpdateDocking(fw::CCmdUI& ui);
    void OnFullScreen();
    void OnUpdateFullScreen(fw::CCmdUI& ui);
    void OnAlwaysOnTop();
    void OnUpdateAlwaysOnTop(fw::CCmdUI& ui);
    void OnShowControlBar();
    void OnUpdateShowControlBar(fw::CCmdUI& ui);
    void OnTransparent();
    void OnUpdateTransparent(fw::CCmdUI& ui);

    void ApplyTopMost() const;
    void ApplyTransparency() const;
    void SetFullScreenMargins();
    bool ViewsKnown() const { return playView_ && playlistView_ && playlist_; }
    PlayerState GetPlayerState() const;

    CFullScreenToggle fullScreen_;
    CPlayControlBar controlBar_;
    CPlayView* playView_ = nullptr;
    CPlaylistView* playlistView_ = nullptr;
    CStatusMenuBar menuBar_;
    CViewContainer container_;
    std::unique_ptr<IPlaylistPane> playlist_;
    ToolPaths tools_;
    std::wstring startAhead_;
    std::unique_ptr<IPlayViewLink> playViewLink_;
};

} // namespace zevrin
