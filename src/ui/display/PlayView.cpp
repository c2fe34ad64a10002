#include "ui/display/PlayView.h"

#include "services/AppSettings.h"
#include "framework/FrameWnd.h"
#include "framework/Text.h"
#include "res/resource.h"
#include "system/SaveBeforeShutdown.h"
#include "ui/display/PlayControlBar.h"

#include <harlow/ToolMessages.h>

#include <cwctype>
#include <iterator>

namespace zevrin {

namespace {

// No kept aspect: the view lays the picture out itself.
constexpr int kPlayerEffect = harlow::kEffectSmoothScale | harlow::kEffectBlackBorders | harlow::kEffectHideCursor;

// The zoom of ID_ZOOM_FIT .. ID_ZOOM_200, in percent (0 fits the picture to the window).
constexpr int kZoomOfCommand[] = {0, 50, 100, 200};
static_assert(ID_ZOOM_200 - ID_ZOOM_FIT + 1 == std::size(kZoomOfCommand));

} // namespace

CPlayView::CPlayView() {
    const CAppSettings& s = Settings();
    repeatMode_ = static_cast<RepeatMode>(s.repeat);
    closeAfterPlayback_ = s.autoClose != 0;
    shutdownAfterPlayback_ = s.autoShutdown != 0;
    panel_.Tool().SetZoom(s.zoom);
}

CPlayView::~CPlayView() = default;

LRESULT CPlayView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CPlayView> messages[] = {
        {WM_CREATE, &CPlayView::OnCreate},
        {WM_DESTROY, &CPlayView::OnDestroy},
        {WM_ERASEBKGND, &CPlayView::OnEraseBackground},
        {WM_SIZE, &CPlayView::OnSize},
        {WM_CHAR, &CPlayView::OnChar},
        {WM_ADVANCE_PLAYBACK, &CPlayView::OnAdvance},
        {WM_CHECK_EARLY_START, &CPlayView::OnCheckEarlyStart},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CView::WindowProc(message, wParam, lParam);
}

LRESULT CPlayView::OnCreate(WPARAM, LPARAM) {
    if (!panel_.Create(Hwnd(), 0, playToolPath_)) return -1;
    panel_.SetEvents(this);
    CPlaybackTool& tool = panel_.Tool();
    tool.SetVolume(Settings().volume);
    tool.SetMute(Settings().mute);
    tool.SetEffect(kPlayerEffect);
    hostedWindow_ = &panel_;
    return 0;
}

// The choices the user made here outlive the run.
void CPlayView::WriteBackSettings() const {
    CAppSettings& s = Settings();
    const CPlaybackTool& tool = panel_.Tool();
    s.zoom = tool.GetZoom();
    s.volume = tool.GetVolume();
    s.mute = tool.GetMute();
    s.repeat = static_cast<int>(repeatMode_);
    s.autoClose = closeAfterPlayback_ ? 1 : 0;
    s.autoShutdown = shutdownAfterPlayback_ ? 1 : 0;
}

LRESULT CPlayView::OnDestroy(WPARAM wParam, LPARAM lParam) {
    WriteBackSettings();
    panel_.SetEvents(nullptr);
    return fw::CView::WindowProc(WM_DESTROY, wParam, lParam);
}

LRESULT CPlayView::OnEraseBackground(WPARAM wParam, LPARAM) {
    RECT rc = ClientRect();
    FillRect(reinterpret_cast<HDC>(wParam), &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 1;
}

LRESULT CPlayView::OnSize(WPARAM wParam, LPARAM lParam) {
    if (wParam != SIZE_MINIMIZED && LOWORD(lParam) > 0 && HIWORD(lParam) > 0) LayOutHostedWindow();
    return 0;
}

void CPlayView::OnInitialUpdate() {
    LayOutHostedWindow();
    UpdateTitle();
}

void CPlayView::HostVideo(fw::CWnd* window) {
    hostedWindow_ = window;
    if (window && window->Hwnd()) SetParent(window->Hwnd(), Hwnd());
    LayOutHostedWindow();
}

void CPlayView::LayOutHostedWindow() {
    if (!hostedWindow_ || !IsWindow(hostedWindow_->Hwnd())) return;
    RECT rc = ClientRect();
    MoveWindow(hostedWindow_->Hwnd(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    hostedWindow_->Show(SW_SHOW);
}

int CPlayView::CurrentIndex() const {
    if (!playlist_ || currentItemId_ < 0) return -1;
    return playlist_->IndexOfId(static_cast<std::uint32_t>(currentItemId_));
}

void CPlayView::UpdateTitle() {
    fw::CFrameWnd* frame = ParentFrame();
    if (!frame) return;
    PlaylistItemRef item;
    int index = CurrentIndex();
    bool playing = panel_.Tool().IsActive() && currentItemId_ >= 0;
    if (playing && playlist_ && index >= 0 && playlist_->ItemAt(index, item)) {
        frame->SetText(fw::Format(L"%s - %d/%d", item.title.c_str(), index + 1, playlist_->ItemCount()));
    } else if (playing && !currentTitle_.empty()) {
        frame->SetText(fw::Format(L"%s - %d/%d", currentTitle_.c_str(), 0, playlist_ ? playlist_->ItemCount() : 0));
    } else {
        frame->SetText(frame->Title());
    }
}

bool CPlayView::IsActiveView() const {
    fw::CFrameWnd* frame = ParentFrame();
    return frame && frame->ActiveView() == this;
}

void CPlayView::SetCurrentMark(PlayMark mark) {
    int index = CurrentIndex();
    if (playlist_ && index >= 0) playlist_->SetPlayMark(index, mark);
}

void CPlayView::StopPlayback(RunEnd end) {
    aheadPath_.clear();
    earlyStartClaimed_ = true;
    runEnd_ = end;
    panel_.StopWaiting();
    panel_.StopPlay();
    SetCurrentMark(PlayMark::kNone);
}

int CPlayView::PlayItem(int index, VideoPlace where) {
    if (where == VideoPlace::kInDisplay && TakeOverPlayAhead(index)) return 1;
    StopPlayback(RunEnd::kNothing);
    PlaylistItemRef item;
    if (!playlist_ || !playlist_->ItemAt(index, item)) return 0;
    if (!panel_.Play(item.path)) return 0;
    currentItemId_ = item.id;
    currentTitle_ = item.title;
    if (where == VideoPlace::kAutomatic) where = IsActiveView() ? VideoPlace::kInDisplay : VideoPlace::kInPlaylist;
    if (where == VideoPlace::kInDisplay) {
        ShowVideoInDisplay();
    } else {
        hostedWindow_ = nullptr;
        playlist_->HostVideo(panel_.Hwnd());
        if (panes_) panes_->ShowPlaylistPane();
    }
    runEnd_ = RunEnd::kAdvance;
    UpdateTitle();
    return 1;
}

void CPlayView::ShowVideoInDisplay() {
    if (playlist_) playlist_->ReleaseVideo();
    HostVideo(&panel_);
    if (panes_) panes_->ShowDisplayPane();
    LayOutHostedWindow();
}

// The display shows the waiting dots as it would for the item; nothing is marked, titled or
// remembered until the item exists, and a run that ends meanwhile leads nowhere.
void CPlayView::PlayAhead(const std::wstring& path) {
    earlyStartClaimed_ = true;
    const bool running =
        !aheadPath_.empty() && _wcsicmp(aheadPath_.c_str(), path.c_str()) == 0 && panel_.Tool().IsActive();
    if (!running) {
        StopPlayback(RunEnd::kNothing);
        currentItemId_ = -1;
        currentTitle_.clear();
        if (!panel_.Play(path)) {
            if (playlist_) playlist_->PlaybackSettled();
            return;
        }
        aheadPath_ = path;
    } else if (!panel_.Tool().IsStarting() && playlist_) {
        playlist_->PlaybackSettled(); // it opened before the loader began to wait
    }
    ShowVideoInDisplay();
    UpdateTitle();
}

// The item started ahead has arrived: it becomes the current item of the playback that runs,
// with what the tool's opening would have done for it. Any other item, or a run that has
// already ended, is started as usual.
bool CPlayView::TakeOverPlayAhead(int index) {
    std::wstring path = std::move(aheadPath_);
    aheadPath_.clear();
    PlaylistItemRef item;
    if (path.empty() || !playlist_ || !playlist_->ItemAt(index, item)) return false;
    if (_wcsicmp(item.path.c_str(), path.c_str()) != 0 || !panel_.Tool().IsActive()) return false;
    currentItemId_ = item.id;
    currentTitle_ = item.title;
    runEnd_ = RunEnd::kAdvance;
    CPlaybackTool& tool = panel_.Tool();
    if (tool.IsPlaying() || tool.IsPaused()) {
        SetCurrentMark(tool.IsPaused() ? PlayMark::kPaused : PlayMark::kPlaying);
        Settings().AddRecentFile(item.path);
    }
    UpdateTitle();
    return true;
}

void CPlayView::StartToolAhead(const std::wstring& path) {
    if (path.empty() || !panel_.Play(path)) return;
    aheadPath_ = path;
    earlyStartClaimed_ = false;
    PostMessage(WM_CHECK_EARLY_START);
}

LRESULT CPlayView::OnCheckEarlyStart(WPARAM, LPARAM) {
    if (!earlyStartClaimed_) StopPlayback(RunEnd::kNothing);
    return 0;
}

void CPlayView::EndPlayAhead() {
    if (aheadPath_.empty()) return;
    StopPlayback(RunEnd::kNothing);
    ReturnToPlaylist();
}

void CPlayView::ReturnToPlaylist() {
    if (panes_) panes_->ShowPlaylistPane();
}

// A run may end without ever having opened (a missing or unplayable file, no tool): the
// waiting dots end with the run in any case.
void CPlayView::OnPlaybackEnded() {
    if (playlist_) playlist_->PlaybackSettled();
    panel_.StopWaiting();
    UpdateTitle();
    if (runEnd_ == RunEnd::kAdvance)
        PostMessage(WM_ADVANCE_PLAYBACK);
    else if (runEnd_ == RunEnd::kReturnToPlaylist)
        ReturnToPlaylist();
}

LRESULT CPlayView::OnAdvance(WPARAM, LPARAM) {
    int count = playlist_ ? playlist_->ItemCount() : 0;
    AdvanceDecision d = DecideAdvance(repeatMode_, CurrentIndex(), count, closeAfterPlayback_, shutdownAfterPlayback_);
    switch (d.action) {
    case AdvanceDecision::Play:
        if (!PlayItem(d.index, VideoPlace::kAutomatic)) ReturnToPlaylist();
        break;
    case AdvanceDecision::SendNext:
        PostMessage(WM_COMMAND, ID_NEXT);
        break;
    case AdvanceDecision::ShutDown:
        ShutDownAtEnd();
        break;
    case AdvanceDecision::CloseWindow:
        if (fw::CFrameWnd* frame = ParentFrame()) frame->PostMessage(WM_CLOSE);
        break;
    case AdvanceDecision::ReturnToPlaylist:
        ReturnToPlaylist();
        break;
    }
    return 0;
}

// The power-off is forced and skips the normal exit: what the user chose and the playlist are
// saved first. When the system refuses, the program stays at the end of the playlist.
void CPlayView::ShutDownAtEnd() {
    ShutdownPreparation preparation;
    preparation.writeBackViewState = [this] { WriteBackSettings(); };
    preparation.saveDefaultPlaylist = [this] { return !playlist_ || playlist_->SaveDefaultPlaylist(); };
    if (!SaveAndShutDown(Settings(), preparation)) ReturnToPlaylist();
}

void CPlayView::RefreshAfterPlayerState() {
    if (controlBar_) controlBar_->SetPlayerState(panel_.Tool().GetState());
}

void CPlayView::OnPlaybackOpened(std::int64_t durationUs) {
    if (playlist_) playlist_->PlaybackSettled();
    panel_.StopWaiting();
    RefreshAfterPlayerState();
    LayOutHostedWindow();
    panel_.LayoutVideo();
    if (controlBar_) {
        controlBar_->SetSeekRange(durationUs);
        controlBar_->SetTimeDuration(durationUs);
        controlBar_->Layout();
        controlBar_->SetSeekValue(0, true);
    }
    SetCurrentMark(PlayMark::kPlaying);
    if (PlaylistItemRef item; playlist_ && playlist_->ItemAt(CurrentIndex(), item)) Settings().AddRecentFile(item.path);
    UpdateTitle();
}

void CPlayView::OnPauseChanged(bool paused) {
    RefreshAfterPlayerState();
    SetCurrentMark(paused ? PlayMark::kPaused : PlayMark::kPlaying);
}

void CPlayView::OnPlaybackPosition(std::int64_t positionUs) {
    if (!controlBar_) return;
    if (!controlBar_->SeekSlider().IsDragging()) controlBar_->SetSeekValue(positionUs, true);
    controlBar_->SetTimePosition(positionUs);
}

void CPlayView::OnPlaybackStopped() {
    RefreshAfterPlayerState();
    if (controlBar_) controlBar_->SetSeekValue(0, true);
    SetCurrentMark(PlayMark::kNone);
    if (playlist_) playlist_->ReleaseVideo();
    HostVideo(&panel_);
}

// --- keyboard and mouse ---

LRESULT CPlayView::OnChar(WPARAM wParam, LPARAM lParam) {
    switch (std::towupper(static_cast<wint_t>(wParam))) {
    case L'Z':
        PostMessage(WM_COMMAND, ID_PLAY);
        break;
    case L'X':
        PostMessage(WM_COMMAND, ID_STOP);
        break;
    case L'C':
        PostMessage(WM_COMMAND, ID_PREVIOUS);
        break;
    case L'V':
        PostMessage(WM_COMMAND, ID_NEXT);
        break;
    case L'F':
        PostToFrame(ID_FULL_SCREEN);
        break;
    default:
        break;
    }
    return DefaultProc(WM_CHAR, wParam, lParam);
}

bool CPlayView::OnPicture(HWND hwnd) const {
    HWND render = panel_.RenderWindow();
    return render && (hwnd == render || IsChild(render, hwnd));
}

void CPlayView::SendToFrame(UINT id) const {
    if (fw::CFrameWnd* frame = ParentFrame()) frame->SendMessage(WM_COMMAND, id);
}

void CPlayView::PostToFrame(UINT id) const {
    if (fw::CFrameWnd* frame = ParentFrame()) frame->PostMessage(WM_COMMAND, id);
}

// Mouse rules are looked at before dispatch; the message always goes on afterwards.
bool CPlayView::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK || msg.message == WM_MBUTTONUP ||
        msg.message == WM_RBUTTONUP)
        OnMouseButton(msg);
    return fw::CView::PreTranslateMessage(msg);
}

void CPlayView::OnMouseButton(MSG& msg) {
    fw::CFrameWnd* frame = ParentFrame();
    if (!frame) return;
    bool picture = OnPicture(msg.hwnd);
    bool shiftOrCtrl = (GetKeyState(VK_SHIFT) < 0) || (GetKeyState(VK_CONTROL) < 0);
    switch (msg.message) {
    case WM_LBUTTONDOWN:
        if (picture) {
            PostToFrame(ID_PLAY);
        } else {
            // The black area moves the window, as its caption would.
            POINT pt = msg.pt;
            ReleaseCapture();
            frame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (picture) break;
        if (ShowsOnePane() && !shiftOrCtrl)
            ReturnToPlaylist();
        else
            SendToFrame(ID_FULL_SCREEN);
        break;
    case WM_MBUTTONUP:
        SendToFrame(ID_FULL_SCREEN);
        break;
    case WM_RBUTTONUP:
        ShowVideoMenu(msg.pt, picture);
        break;
    default:
        break;
    }
}

void CPlayView::ShowVideoMenu(POINT screenPt, bool onPicture) {
    fw::CFrameWnd* frame = ParentFrame();
    fw::UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXT_MENUS)));
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup || !frame) return;
    if (screenPt.x == -1 && screenPt.y == -1) {
        screenPt = POINT{5, 5};
        ClientToScreen(Hwnd(), &screenPt);
    }
    if (!onPicture) {
        bool shiftOrCtrl = (GetKeyState(VK_SHIFT) < 0) || (GetKeyState(VK_CONTROL) < 0);
        UINT def = ID_FULL_SCREEN;
        if (ShowsOnePane() && !shiftOrCtrl) def = ID_NEXT_PANE;
        SetMenuDefaultItem(popup, def, FALSE);
    }
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, screenPt.x, screenPt.y, 0, frame->Hwnd(), nullptr);
}

// --- commands ---

bool CPlayView::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CPlayView> commands[] = {
        {ID_PLAY, &CPlayView::OnPlay, &CPlayView::OnUpdatePlay},
        {ID_STOP, &CPlayView::OnStop, &CPlayView::OnUpdateStop},
        {ID_PREVIOUS, &CPlayView::OnPrevious, &CPlayView::OnUpdatePrevious},
        {ID_NEXT, &CPlayView::OnNext, &CPlayView::OnUpdateNext},
        {ID_SEEK_FORWARD_10S, ID_SEEK_BACKWARD_1MIN, &CPlayView::OnSeek, &CPlayView::OnUpdateSeek},
        {ID_ZOOM_FIT, ID_ZOOM_200, &CPlayView::OnZoom, &CPlayView::OnUpdateZoom},
        {ID_TEMP_ZOOM, &CPlayView::OnZoomCycle},
        {ID_VOLUME_UP, &CPlayView::OnVolumeUp, &CPlayView::OnUpdateVolumeUp},
        {ID_VOLUME_DOWN, &CPlayView::OnVolumeDown, &CPlayView::OnUpdateVolumeDown},
        {ID_MUTE, &CPlayView::OnMute, &CPlayView::OnUpdateMute},
        {ID_REPEAT_ALL, &CPlayView::OnRepeatAll, &CPlayView::OnUpdateRepeatAll},
        {ID_REPEAT_CURRENT, &CPlayView::OnRepeatCurrent, &CPlayView::OnUpdateRepeatCurrent},
        {ID_AFTER_CLOSE, &CPlayView::OnAfterClose, &CPlayView::OnUpdateAfterClose},
        {ID_AFTER_SHUTDOWN, &CPlayView::OnAfterShutdown, &CPlayView::OnUpdateAfterShutdown},
        {ID_PROPERTIES, &CPlayView::OnProperties, &CPlayView::OnUpdateProperties},
        {ID_NEXT_PANE, &CPlayView::OnNextPane, &CPlayView::OnUpdatePane},
        {ID_PREV_PANE, &CPlayView::OnPreviousPane, &CPlayView::OnUpdatePane},
    };
    return fw::DispatchCommand(this, commands, id, ui) || fw::CView::OnCmdMsg(id, ui);
}

void CPlayView::OnPlay() {
    if (!playlist_ || playlist_->ItemCount() == 0) {
        if (playlist_) ::SendMessageW(playlist_->PaneWindow(), WM_COMMAND, ID_OPEN_FILES, 0);
        return;
    }
    CPlaybackTool& tool = panel_.Tool();
    if (tool.IsPaused() || tool.IsPlaying()) {
        tool.TogglePause();
        return;
    }
    int index = playlist_->FirstSelected();
    PlayItem(index < 0 ? 0 : index, VideoPlace::kInDisplay);
}

void CPlayView::OnUpdatePlay(fw::CCmdUI& ui) {
    ui.SetText(panel_.Tool().IsPlaying() ? L"Pause\tCtrl+P" : L"Play\tCtrl+P");
    ui.Enable(!panel_.Tool().IsStarting());
}

void CPlayView::OnStop() { StopPlayback(RunEnd::kReturnToPlaylist); }
void CPlayView::OnUpdateStop(fw::CCmdUI& ui) { ui.Enable(panel_.Tool().IsActive()); }

void CPlayView::OnPrevious() {
    int index = PreviousIndex(CurrentIndex(), playlist_ ? playlist_->ItemCount() : 0, true);
    if (index != -1) PlayItem(index, VideoPlace::kAutomatic);
}

void CPlayView::OnUpdatePrevious(fw::CCmdUI& ui) {
    ui.Enable(PreviousIndex(CurrentIndex(), playlist_ ? playlist_->ItemCount() : 0, true) != -1);
}

void CPlayView::OnNext() {
    int index = NextIndex(CurrentIndex(), playlist_ ? playlist_->ItemCount() : 0, true);
    if (index != -1) PlayItem(index, VideoPlace::kAutomatic);
}

void CPlayView::OnUpdateNext(fw::CCmdUI& ui) {
    ui.Enable(NextIndex(CurrentIndex(), playlist_ ? playlist_->ItemCount() : 0, true) != -1);
}

void CPlayView::OnSeek(UINT id) {
    constexpr std::int64_t kTenSeconds = 10'000'000, kMinute = 60'000'000;
    switch (id) {
    case ID_SEEK_FORWARD_10S:
        panel_.Tool().Seek(kTenSeconds, 1);
        break;
    case ID_SEEK_BACKWARD_10S:
        panel_.Tool().Seek(-kTenSeconds, 1);
        break;
    case ID_SEEK_FORWARD_1MIN:
        panel_.Tool().Seek(kMinute, 1);
        break;
    case ID_SEEK_BACKWARD_1MIN:
        panel_.Tool().Seek(-kMinute, 1);
        break;
    default:
        break;
    }
}

void CPlayView::OnUpdateSeek(fw::CCmdUI& ui) { ui.Enable(panel_.Tool().IsPlaying() || panel_.Tool().IsPaused()); }

void CPlayView::SetZoom(int zoom) { panel_.SetZoom(zoom); }

void CPlayView::OnZoom(UINT id) { SetZoom(kZoomOfCommand[id - ID_ZOOM_FIT]); }

void CPlayView::OnUpdateZoom(fw::CCmdUI& ui) {
    ui.SetRadio(panel_.Tool().GetZoom() == kZoomOfCommand[ui.Id() - ID_ZOOM_FIT]);
    if (ui.Id() == ID_ZOOM_50) {
        const auto& video = panel_.Tool().Video();
        ui.Enable(video.width % 2 == 0 && video.height % 2 == 0);
    }
}

void CPlayView::OnZoomCycle() {
    switch (panel_.Tool().GetZoom()) {
    case 0:
    case 50:
        SetZoom(100);
        break;
    case 100:
        SetZoom(200);
        break;
    case 200:
        SetZoom(50);
        break;
    default:
        SetZoom(0);
        break;
    }
}

void CPlayView::ChangeVolume(int delta) {
    panel_.Tool().SetVolume(panel_.Tool().GetVolume() + delta);
    if (controlBar_) controlBar_->RefreshVolume();
}

void CPlayView::OnVolumeUp() { ChangeVolume(10); }
void CPlayView::OnUpdateVolumeUp(fw::CCmdUI& ui) { ui.Enable(panel_.Tool().GetVolume() < 100); }
void CPlayView::OnVolumeDown() { ChangeVolume(-10); }
void CPlayView::OnUpdateVolumeDown(fw::CCmdUI& ui) { ui.Enable(panel_.Tool().GetVolume() > 0); }

void CPlayView::OnMute() {
    panel_.Tool().SetMute(panel_.Tool().GetMute() ? 0 : 1);
    if (controlBar_) controlBar_->RefreshMute();
}

void CPlayView::OnUpdateMute(fw::CCmdUI& ui) { ui.SetCheck(panel_.Tool().GetMute() ? 1 : 0); }

void CPlayView::OnRepeatAll() { repeatMode_ = repeatMode_ == RepeatMode::All ? RepeatMode::Off : RepeatMode::All; }
void CPlayView::OnUpdateRepeatAll(fw::CCmdUI& ui) { ui.SetCheck(repeatMode_ == RepeatMode::All); }
void CPlayView::OnRepeatCurrent() {
    repeatMode_ = repeatMode_ == RepeatMode::Current ? RepeatMode::Off : RepeatMode::Current;
}
void CPlayView::OnUpdateRepeatCurrent(fw::CCmdUI& ui) { ui.SetCheck(repeatMode_ == RepeatMode::Current); }
void CPlayView::OnAfterClose() { closeAfterPlayback_ = !closeAfterPlayback_; }
void CPlayView::OnUpdateAfterClose(fw::CCmdUI& ui) { ui.SetCheck(closeAfterPlayback_); }
void CPlayView::OnAfterShutdown() { shutdownAfterPlayback_ = !shutdownAfterPlayback_; }
void CPlayView::OnUpdateAfterShutdown(fw::CCmdUI& ui) { ui.SetCheck(shutdownAfterPlayback_); }

void CPlayView::OnProperties() { ShowProperties(CurrentIndex()); }

void CPlayView::ShowProperties(int index) {
    if (playlist_ && index >= 0) playlist_->ShowProperties(index);
}

void CPlayView::OnUpdateProperties(fw::CCmdUI& ui) { ui.Enable(CurrentIndex() >= 0); }

void CPlayView::OnNextPane() {
    if (panes_) panes_->ShowNextPane(false);
}

void CPlayView::OnPreviousPane() {
    if (panes_) panes_->ShowNextPane(true);
}

void CPlayView::OnUpdatePane(fw::CCmdUI& ui) {
    ui.SetText(IsActiveView() ? L"Go to Playlist View\tF6" : L"Go to Display View\tF6");
    ui.Enable(true);
}

} // namespace zevrin
