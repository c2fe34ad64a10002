#pragma once
// The player window of the display: it lays the picture out by zoom and display aspect, and
// shows three pulsing dots while a playback is starting.
#include "framework/Handles.h"
#include "playback/PlayerWnd.h"
#include "ui/display/PlayerControls.h"

namespace zevrin {

class CVideoPanel : public CPlayerWnd, public IPlayerControls {
public:
    bool Create(HWND parent, UINT id, const std::wstring& playToolPath);

    // Starts a run and the waiting animation; 1 when a play thread was started.
    int Play(const std::wstring& path);
    void StopWaiting();
    int WaitingDot() const { return waitingDot_; }
    void SetZoom(int zoom);

    // IPlayerControls
    PlayerState GetPlayerState() const override { return Tool().GetState(); }
    int Volume() const override { return Tool().GetVolume(); }
    bool IsMuted() const override { return Tool().GetMute() != 0; }
    void SetVolume(int volume) override { Tool().SetVolume(volume); }
    void SeekTo(std::int64_t microseconds) override { Tool().Seek(microseconds, 0); }

    void LayoutVideo() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnDpiRescale(WPARAM, LPARAM);
    void LoadDots(int dpi);

    fw::UniqueImageList dots_;
    int dpi_ = 96; // the dots' scale
    int waitingDot_ = -1;
    int reportedWidth_ = 0;
};

} // namespace zevrin
