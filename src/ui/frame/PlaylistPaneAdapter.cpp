#include "ui/frame/PlaylistPaneAdapter.h"

#include "services/AppSettings.h"
#include "playlist/PlaylistItem.h"
#include "ui/dialogs/PropertiesDialog.h"
#include "ui/playlist/PlaylistView.h"

namespace zevrin {

int CPlaylistPaneAdapter::ItemCount() const { return view_.GetItemCount(); }

bool CPlaylistPaneAdapter::ItemAt(int index, PlaylistItemRef& item) const {
    CPlaylistItem* data = view_.GetItem(index);
    if (!data) return false;
    item.id = static_cast<std::uint32_t>(view_.GetItemId(index));
    item.path = data->path;
    item.title = data->title.empty() ? TitleFromPath(data->path) : data->title;
    return true;
}

int CPlaylistPaneAdapter::IndexOfId(std::uint32_t id) const { return view_.FindItemById(static_cast<int>(id)); }
int CPlaylistPaneAdapter::FirstSelected() const { return view_.FirstSelected(); }
void CPlaylistPaneAdapter::SetPlayMark(int index, PlayMark mark) {
    view_.SetItemPlayMark(index, static_cast<int>(mark));
}
void CPlaylistPaneAdapter::HostVideo(HWND video) { view_.HostVideo(video); }
void CPlaylistPaneAdapter::ReleaseVideo() { view_.ReleaseVideo(); }
HWND CPlaylistPaneAdapter::PaneWindow() const { return view_.Hwnd(); }

void CPlaylistPaneAdapter::ShowProperties(int index) {
    CPlaylistItem* item = view_.GetItem(index);
    if (!item) return;
    CPropertiesDialog dialog(*item, view_.Tools(), GetAncestor(view_.Hwnd(), GA_ROOT));
    dialog.DoModal();
}

bool CPlaylistPaneAdapter::SaveDefaultPlaylist() {
    CAppSettings& settings = Settings();
    return !settings.loadLastPlaylist || view_.SavePlaylist(settings.DefaultPlaylistPath(), false) >= 0;
}

void CPlaylistPaneAdapter::PlaybackSettled() { view_.ResumeProbes(); }

} // namespace zevrin
