#pragma once
// The control bar under the display: play buttons, seek slider, time display, mute and volume,
// zoom, full screen and the pane switch. Seeking and volume go straight to the player; every
// button sends its command to the frame.
#include "framework/Handles.h"
#include "ui/display/ControlBarLayout.h"
#include "ui/display/GadgetBar.h"
#include "ui/display/GadgetSlider.h"
#include "ui/display/PlayerControls.h"
#include "ui/display/TimeLabel.h"

#include <cstdint>
#include <map>

namespace zevrin {

class CPlayControlBar : public CGadgetBar {
public:
    static constexpr int kHeight = 30; // at 96 DPI

    bool Create(fw::CFrameWnd& frame);
    void SetPlayer(IPlayerControls* player) { player_ = player; }

    void SetPlayerState(PlayerState state);
    void SetSwitchState(bool displayShown);
    void SetFullScreenState(bool on);
    void ShowSwitchButton(bool hidden);
    void RefreshVolume();
    void RefreshMute();
    void SetSeekRange(std::int64_t microseconds);
    void SetSeekValue(std::int64_t microseconds, bool redraw);
    void SetTimeDuration(std::int64_t microseconds) { time_->SetDuration(microseconds); }
    void SetTimePosition(std::int64_t microseconds) { time_->SetPosition(microseconds); }
    void Layout() override;

    CGadgetSlider& SeekSlider() const { return *seek_; }
    CGadgetSlider& VolumeSlider() const { return *volume_; }
    CTimeLabel& TimeLabel() const { return *time_; }
    CGadgetButton& Button(ControlBarGadget which) const { return static_cast<CGadgetButton&>(GadgetAt(which)); }
    // The bitmap resource a button shows now (0 when none), for whoever checks the bar's state.
    UINT ButtonImageId(ControlBarGadget which) const;

    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::wstring DynamicTipText(size_t index) override;
    void OnMouseMoved(POINT pt) override;
    void OnContextMenu(POINT screenPt, bool fromKeyboard) override;
    LRESULT OnSliderChanged(WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged(int dpi) override;

private:
    LRESULT OnCreate(WPARAM, LPARAM);
    bool LoadImages();
    HIMAGELIST Images(UINT id) const;
    void SetButtonImages(ControlBarGadget which, UINT id);
    void OnToggleTimeMode();
    int ContextMenuIndex(int x) const;

    std::map<UINT, fw::UniqueImageList> images_;
    IPlayerControls* player_ = nullptr;
    CGadgetSlider* seek_ = nullptr;
    CGadgetSlider* volume_ = nullptr;
    CTimeLabel* time_ = nullptr;
    int lastTipValue_ = -2;
};

} // namespace zevrin
