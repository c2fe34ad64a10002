#pragma once
// The display pane: the black area the video plays in. It owns the video panel and carries out
// everything that acts on the current playback, decides what plays next and keeps the main
// window's title in step with it.
#include "framework/View.h"
#include "playback/PlaybackEvents.h"
#include "playback/PlaybackStopper.h"
#include "playback/Sequencing.h"
#include "ui/display/PaneSwitch.h"
#include "ui/display/PlaylistPane.h"
#include "ui/display/VideoPanel.h"
#include "ui/VideoPlace.h"

#include <cstdint>

namespace zevrin {

class CPlayControlBar;

// Posted to the display view when a playback has ended and the next one is due.
inline constexpr UINT WM_ADVANCE_PLAYBACK = WM_USER + 2;
// Posted by StartToolAhead: start-up is over by the time it arrives.
inline constexpr UINT WM_CHECK_EARLY_START = WM_USER + 4;

class CPlayView : public fw::CView, public IPlaybackStopper, private IPlaybackEvents {
public:
    // What the end of the current run leads to.
    enum class RunEnd { kNothing, kAdvance, kReturnToPlaylist };

    CPlayView();
    ~CPlayView() override;

    void SetPlaylist(IPlaylistPane* playlist) { playlist_ = playlist; }
    void SetPaneSwitch(IPaneSwitch* panes) { panes_ = panes; }
    void SetControlBar(CPlayControlBar* bar) { controlBar_ = bar; }
    // The playback tool the video panel runs; given before the window is created.
    void SetPlayToolPath(std::wstring path) { playToolPath_ = std::move(path); }
    CVideoPanel& VideoPanel() { return panel_; }

    // Stops what plays and starts the item at `index`; 1 on success, 0 when there is no such
    // item or the player refuses it (the current item then stays as it was).
    int PlayItem(int index, VideoPlace where);
    // Stops the playback; `end` says what its end leads to.
    void StopPlayback(RunEnd end = RunEnd::kNothing);
    void HostVideo(fw::CWnd* window);
    void UpdateTitle();

    // The index of the current item, -1 when none.
    int CurrentIndex() const;
    PlayerState GetPlayerState() const { return panel_.GetPlayerState(); }
    void TogglePause() { panel_.Tool().TogglePause(); }
    // Places the hosted video again after the display pane became visible.
    void LayOutHostedWindow();
    HWND PictureWindow() const { return panel_.RenderWindow(); }
    void ShowProperties(int index);
    // Starts the player on a file whose item is still being made; PlayItem for that item then
    // takes the running playback over. EndPlayAhead stops it when the item never came.
    void PlayAhead(const std::wstring& path);
    void EndPlayAhead();
    // Start-up's first file, while the window is still being made: only the tool starts, so
    // that its process start overlaps the rest of the window's. PlayAhead for the same file then
    // finds it running; a run that no PlayAhead claims by the end of start-up is stopped.
    void StartToolAhead(const std::wstring& path);

    // IPlaybackStopper: the frame is closing, nothing may start after this run.
    void StopPlaybackWithoutAdvancing() override { StopPlayback(RunEnd::kNothing); }

    void OnInitialUpdate() override;
    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;
    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDraw(HDC) override {}

private:
    // IPlaybackEvents
    void OnPlaybackOpened(std::int64_t durationUs) override;
    void OnPauseChanged(bool paused) override;
    void OnPlaybackPosition(std::int64_t positionUs) override;
    void OnPlaybackStopped() override;
    void OnPlaybackEnded() override;

    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnChar(WPARAM, LPARAM);
    LRESULT OnAdvance(WPARAM, LPARAM);
    LRESULT OnCheckEarlyStart(WPARAM, LPARAM);

    bool IsActiveView() const;
    bool ShowsOnePane() const { return panes_ && panes_->ShowsOnePane(); }
    bool OnPicture(HWND hwnd) const;
    void OnMouseButton(MSG& msg);
    void ShowVideoMenu(POINT screenPt, bool onPicture);
    void ReturnToPlaylist();
    void ShutDownAtEnd();
    void SetCurrentMark(PlayMark mark);
    void WriteBackSettings() const;
    void SendToFrame(UINT id) const;
    void PostToFrame(UINT id) const;
    void Seek(std::int64_t microseconds);
    void SetZoom(int zoom);
    void ChangeVolume(int delta);
    void RefreshAfterPlayerState();
    void ShowVideoInDisplay();
    bool TakeOverPlayAhead(int index);

    void OnPlay();
    void OnUpdatePlay(fw::CCmdUI& ui);
    void OnStop();
    void OnUpdateStop(fw::CCmdUI& ui);
    void OnPrevious();
    void OnUpdatePrevious(fw::CCmdUI& ui);
    void OnNext();
    void OnUpdateNext(fw::CCmdUI& ui);
    void OnSeek(UINT id);
    void OnUpdateSeek(fw::CCmdUI& ui);
    void OnZoom(UINT id);
    void OnUpdateZoom(fw::CCmdUI& ui);
    void OnZoomCycle();
    void OnVolumeUp();
    void OnUpdateVolumeUp(fw::CCmdUI& ui);
    void OnVolumeDown();
    void OnUpdateVolumeDown(fw::CCmdUI& ui);
    void OnMute();
    void OnUpdateMute(fw::CCmdUI& ui);
    void OnRepeatAll();
    void OnUpdateRepeatAll(fw::CCmdUI& ui);
    void OnRepeatCurrent();
    void OnUpdateRepeatCurrent(fw::CCmdUI& ui);
    void OnAfterClose();
    void OnUpdateAfterClose(fw::CCmdUI& ui);
    void OnAfterShutdown();
    void OnUpdateAfterShutdown(fw::CCmdUI& ui);
    void OnProperties();
    void OnUpdateProperties(fw::CCmdUI& ui);
    void OnNextPane();
    void OnPreviousPane();
    void OnUpdatePane(fw::CCmdUI& ui);

    CVideoPanel panel_;
    fw::CWnd* hostedWindow_ = nullptr;
    IPlaylistPane* playlist_ = nullptr;
    IPaneSwitch* panes_ = nullptr;
    CPlayControlBar* controlBar_ = nullptr;
    std::int64_t currentItemId_ = -1;
    std::wstring currentTitle_; // for the title once the item has left the playlist
    RepeatMode repeatMode_ = RepeatMode::Off;
    bool closeAfterPlayback_ = false;
    bool shutdownAfterPlayback_ = false;
    RunEnd runEnd_ = RunEnd::kAdvance;
    std::wstring playToolPath_;
    // The path the player was started on ahead of its item; empty when none is waiting.
    std::wstring aheadPath_;
    bool earlyStartClaimed_ = true; // false from StartToolAhead until PlayAhead takes it
};

} // namespace zevrin
