#pragma once
// The playlist pane's side of the display view, over the view's own operations: the two views
// know each other only through the link each side owns, and the frame joins them.
#include "ui/playlist/PlayViewLink.h"

namespace zevrin {

class CPlayView;

class CPlayViewLinkAdapter : public IPlayViewLink {
public:
    explicit CPlayViewLinkAdapter(CPlayView& view) : view_(view) {}

    int PlayItem(int index, VideoPlace where) override;
    void StopPlayback() override;
    int CurrentIndex() const override;
    PlayerState GetPlayerState() const override;
    void TogglePause() override;
    void LayOutHostedWindow() override;
    HWND PictureWindow() const override;
    void ShowProperties(int index) override;
    void PlayAhead(const std::wstring& path) override;
    void EndPlayAhead() override;

private:
    CPlayView& view_;
};

} // namespace zevrin
