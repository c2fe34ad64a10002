#include "ui/display/PlayControlBar.h"

#include "services/AppResources.h"
#include "framework/Ids.h"
#include "tools/ValueFormat.h"
#include "res/resource.h"

#include <commctrl.h>

namespace zevrin {

namespace {

constexpr UINT kButtonImages[] = {IDB_PLAY,        IDB_PAUSE,      IDB_STOP,        IDB_PREVIOUS,
                                  IDB_NEXT,        IDB_MUTED,      IDB_VOLUME_ZERO, IDB_VOLUME_LOW,
                                  IDB_VOLUME_HIGH, IDB_ZOOM,       IDB_FULL_SCREEN, IDB_LEAVE_FULL_SCREEN,
                                  IDB_TO_DISPLAY,  IDB_TO_PLAYLIST};

const wchar_t kToDisplayTip[] = L"Go to display view (F6)";
const wchar_t kToPlaylistTip[] = L"Go to playlist view (F6)";

// The strip drawn for the art scale `percent`; its images are cx by cy at 100 %.
fw::UniqueImageList LoadStrip(UINT id, int cx, int cy, UINT colorFlags, int percent) {
    fw::UniqueBitmap bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(fw::ArtResourceId(id, percent)),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) return {};
    cx = fw::ArtSize(cx, percent);
    cy = fw::ArtSize(cy, percent);
    fw::UniqueImageList list(ImageList_Create(cx, cy, colorFlags | ILC_MASK, 5, 0));
    if (!list || ImageList_AddMasked(list.Get(), bitmap.Get(), RGB(255, 0, 255)) < 0) return {};
    return list;
}

} // namespace

bool CPlayControlBar::Create(fw::CFrameWnd& frame) {
    const wchar_t* cls = RegisterClass(L"ZevrinControlBar", CS_DBLCLKS);
    return CreateBar(frame, Side::Bottom, fw::ScaleTo(kHeight, fw::DpiOf(frame.Hwnd())), IDW_CONTROLBAR, cls);
}

LRESULT CPlayControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CPlayControlBar> messages[] = {
        {WM_CREATE, &CPlayControlBar::OnCreate},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return CGadgetBar::WindowProc(message, wParam, lParam);
}

bool CPlayControlBar::LoadImages() {
    const int percent = Dpi().ArtScale();
    for (UINT id : kButtonImages) {
        images_[id] = LoadStrip(id, 28, 23, ILC_COLOR24, percent);
        if (!images_[id]) return false;
    }
    images_[IDB_SEEK_SLIDER] = LoadStrip(IDB_SEEK_SLIDER, 16, 16, ILC_COLOR24, percent);
    images_[IDB_VOLUME_SLIDER] = LoadStrip(IDB_VOLUME_SLIDER, 6, 16, ILC_COLOR24, percent);
    return images_[IDB_SEEK_SLIDER] && images_[IDB_VOLUME_SLIDER];
}

HIMAGELIST CPlayControlBar::Images(UINT id) const {
    auto it = images_.find(id);
    return it == images_.end() ? nullptr : it->second.Get();
}

void CPlayControlBar::SetButtonImages(ControlBarGadget which, UINT id) { Button(which).SetImages(Images(id)); }

UINT CPlayControlBar::ButtonImageId(ControlBarGadget which) const {
    HIMAGELIST shown = Button(which).Images();
    for (const auto& [id, list] : images_)
        if (list.Get() == shown) return id;
    return 0;
}

// The gadgets in tool order 1..11; any missing image list or tooltip fails the bar.
LRESULT CPlayControlBar::OnCreate(WPARAM, LPARAM) {
    if (!CreateTooltip() || !LoadImages()) return -1;
    AddGadget<CGadgetButton>(L"Play/Pause (Ctrl+P)", ID_PLAY).SetImages(Images(IDB_PLAY), false);
    AddGadget<CGadgetButton>(L"Stop (Ctrl+S)", ID_STOP).SetImages(Images(IDB_STOP), false);
    AddGadget<CGadgetButton>(L"Previous (Ctrl+B)", ID_PREVIOUS).SetImages(Images(IDB_PREVIOUS), false);
    AddGadget<CGadgetButton>(L"Next (Ctrl+F)", ID_NEXT).SetImages(Images(IDB_NEXT), false);
    seek_ = &AddGadget<CGadgetSlider>(nullptr, CGadgetSlider::Fill::Tiles);
    seek_->SetImages(Images(IDB_SEEK_SLIDER));
    time_ = &AddGadget<CTimeLabel>(L"Toggle between elapsed and remaining time", ID_TEMP_SWITCH);
    time_->SetFont(Resources().normalFont.Get());
    AddGadget<CGadgetButton>(L"Mute/Unmute (F8)", ID_MUTE);
    volume_ = &AddGadget<CGadgetSlider>(L"Volume", CGadgetSlider::Fill::Pieces);
    volume_->SetImages(Images(IDB_VOLUME_SLIDER));
    AddGadget<CGadgetButton>(L"Zoom in/out", ID_TEMP_ZOOM).SetImages(Images(IDB_ZOOM), false);
    AddGadget<CGadgetButton>(L"Full screen (Alt+Enter)", ID_FULL_SCREEN).SetImages(Images(IDB_FULL_SCREEN), false);
    AddGadget<CGadgetButton>(kToPlaylistTip, ID_NEXT_PANE).SetImages(Images(IDB_TO_PLAYLIST), false);

    time_->SetDuration(0);
    seek_->SetMaximum(0);
    seek_->SetValue(0, false);
    volume_->SetMaximum(100);
    volume_->SetValue(player_ ? player_->Volume() : 100, false);
    RefreshMute();
    Layout();
    return 0;
}

void CPlayControlBar::Layout() {
    if (!time_) return;
    const fw::CDpi dpi = Dpi();
    auto rects = LayOutControlBar(ClientRect(), dpi(time_->Width()), !GadgetAt(kSwitchGadget).IsHidden(), dpi.Value());
    for (size_t i = 0; i < rects.size(); ++i) GadgetAt(i).SetRect(rects[i]);
    UpdateToolRects();
}

// The images are drawn anew for the new scale; each button keeps showing the same image.
void CPlayControlBar::OnDpiChanged(int dpi) {
    SetHeight(fw::ScaleTo(kHeight, dpi));
    UINT shown[kGadgetCount] = {};
    for (int i = 0; i < kGadgetCount; ++i)
        if (i != kSeekGadget && i != kTimeGadget && i != kVolumeGadget)
            shown[i] = ButtonImageId(static_cast<ControlBarGadget>(i));
    if (!LoadImages()) return;
    for (int i = 0; i < kGadgetCount; ++i)
        if (shown[i]) SetButtonImages(static_cast<ControlBarGadget>(i), shown[i]);
    seek_->SetImages(Images(IDB_SEEK_SLIDER));
    volume_->SetImages(Images(IDB_VOLUME_SLIDER));
    time_->SetFont(Resources().normalFont.Get());
    Layout();
}

void CPlayControlBar::SetPlayerState(PlayerState state) {
    if (state == PlayerState::Idle) {
        time_->SetDuration(0);
        time_->Redraw();
        seek_->SetMaximum(0);
        seek_->SetValue(0);
        SetButtonImages(kPlayGadget, IDB_PLAY);
    } else if (state == PlayerState::Playing) {
        SetButtonImages(kPlayGadget, IDB_PAUSE);
    } else if (state == PlayerState::Paused) {
        SetButtonImages(kPlayGadget, IDB_PLAY);
    }
    if (fw::CFrameWnd* frame = Frame()) frame->SendMessage(fw::WM_IDLEUPDATECMDUI);
}

void CPlayControlBar::SetSwitchState(bool displayShown) {
    SetButtonImages(kSwitchGadget, displayShown ? IDB_TO_PLAYLIST : IDB_TO_DISPLAY);
    UpdateToolText(kSwitchGadget, displayShown ? kToPlaylistTip : kToDisplayTip);
}

void CPlayControlBar::SetFullScreenState(bool on) {
    SetButtonImages(kFullScreenGadget, on ? IDB_LEAVE_FULL_SCREEN : IDB_FULL_SCREEN);
}

void CPlayControlBar::ShowSwitchButton(bool hidden) {
    GadgetAt(kSwitchGadget).SetHidden(hidden);
    Layout();
}

void CPlayControlBar::RefreshVolume() {
    if (!player_) return;
    volume_->SetValue(std::clamp(player_->Volume(), 0, volume_->Maximum()));
    RefreshMute();
}

void CPlayControlBar::RefreshMute() {
    int volume = player_ ? player_->Volume() : 100;
    UINT id = IDB_VOLUME_HIGH;
    if (player_ && player_->IsMuted())
        id = IDB_MUTED;
    else if (volume <= 0)
        id = IDB_VOLUME_ZERO;
    else if (volume < 50)
        id = IDB_VOLUME_LOW;
    SetButtonImages(kMuteGadget, id);
}

void CPlayControlBar::SetSeekRange(std::int64_t microseconds) {
    seek_->SetMaximum(static_cast<int>(microseconds * 0.001));
}

void CPlayControlBar::SetSeekValue(std::int64_t microseconds, bool redraw) {
    seek_->SetValue(static_cast<int>(microseconds * 0.001), redraw);
}

LRESULT CPlayControlBar::OnSliderChanged(WPARAM wParam, LPARAM lParam) {
    int value = static_cast<int>(wParam);
    if (reinterpret_cast<CGadgetSlider*>(lParam) == seek_) {
        time_->SetPositionMs(value);
        if (player_) player_->SeekTo(static_cast<std::int64_t>(value) * 1000);
    } else if (reinterpret_cast<CGadgetSlider*>(lParam) == volume_) {
        if (player_) player_->SetVolume(value);
        RefreshMute();
    }
    return 0;
}

bool CPlayControlBar::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CPlayControlBar> commands[] = {
        {ID_TEMP_SWITCH, &CPlayControlBar::OnToggleTimeMode},
    };
    return fw::DispatchCommand(this, commands, id, ui) || CGadgetBar::OnCmdMsg(id, ui);
}

void CPlayControlBar::OnToggleTimeMode() {
    time_->ToggleMode();
    Layout();
}

// The seek slider's tip is the time under the pointer, and only while something plays.
std::wstring CPlayControlBar::DynamicTipText(size_t index) {
    if (index != kSeekGadget || !player_) return {};
    const PlayerState state = player_->GetPlayerState();
    if (state != PlayerState::Playing && state != PlayerState::Paused) return {};
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(Hwnd(), &pt);
    int value = seek_->Geometry().ValueAt(pt.x, false);
    if (value < 0) return {};
    return FormatMs(value, false, false, false);
}

void CPlayControlBar::OnMouseMoved(POINT pt) {
    if (!seek_->HitTest(pt) || !Tooltip()) return;
    int value = seek_->Geometry().ValueAt(pt.x, false);
    if (value == lastTipValue_) return;
    lastTipValue_ = value;
    TTTOOLINFOW ti{sizeof(ti)};
    ti.hwnd = Hwnd();
    ti.uId = kSeekGadget + 1;
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(Tooltip(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

// The part of the bar under the click picks the menu: play, seek, volume, zoom or switch.
int CPlayControlBar::ContextMenuIndex(int x) const {
    if (x < GadgetAt(kSeekGadget).GetRect().left) return 2;
    if (x < GadgetAt(kMuteGadget).GetRect().left) return 3;
    if (x < GadgetAt(kZoomGadget).GetRect().left) return 4;
    if (x < GadgetAt(kSwitchGadget).GetRect().left || GadgetAt(kSwitchGadget).IsHidden()) return 5;
    return 6;
}

void CPlayControlBar::OnContextMenu(POINT screenPt, bool) {
    POINT client = screenPt;
    ScreenToClient(Hwnd(), &client);
    fw::UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXT_MENUS)));
    HMENU popup = menu ? GetSubMenu(menu.Get(), ContextMenuIndex(client.x)) : nullptr;
    fw::CFrameWnd* frame = Frame();
    if (!popup || !frame) return;
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, screenPt.x, screenPt.y, 0, frame->Hwnd(), nullptr);
}

} // namespace zevrin
