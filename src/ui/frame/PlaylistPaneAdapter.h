#pragma once
// The display view's side of the playlist pane, over the pane's own operations.
#include "ui/display/PlaylistPane.h"

namespace zevrin {

class CPlaylistView;

class CPlaylistPaneAdapter : public IPlaylistPane {
public:
    explicit CPlaylistPaneAdapter(CPlaylistView& view) : view_(view) {}

    int ItemCount() const override;
    bool ItemAt(int index, PlaylistItemRef& item) const override;
    int IndexOfId(std::uint32_t id) const override;
    int FirstSelected() const override;
    void SetPlayMark(int index, PlayMark mark) override;
    void HostVideo(HWND video) override;
    void ReleaseVideo() override;
    void ShowProperties(int index) override;
    bool SaveDefaultPlaylist() override;
    HWND PaneWindow() const override;
    void PlaybackSettled() override;

private:
    CPlaylistView& view_;
};

} // namespace zevrin
