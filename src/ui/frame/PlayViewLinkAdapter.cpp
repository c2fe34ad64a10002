#include "ui/frame/PlayViewLinkAdapter.h"

#include "ui/display/PlayView.h"

namespace zevrin {

int CPlayViewLinkAdapter::PlayItem(int index, VideoPlace where) { return view_.PlayItem(index, where); }
void CPlayViewLinkAdapter::StopPlayback() { view_.StopPlayback(); }
int CPlayViewLinkAdapter::CurrentIndex() const { return view_.CurrentIndex(); }
PlayerState CPlayViewLinkAdapter::GetPlayerState() const { return view_.GetPlayerState(); }
void CPlayViewLinkAdapter::TogglePause() { view_.TogglePause(); }
void CPlayViewLinkAdapter::LayOutHostedWindow() { view_.LayOutHostedWindow(); }
HWND CPlayViewLinkAdapter::PictureWindow() const { return view_.PictureWindow(); }
void CPlayViewLinkAdapter::ShowProperties(int index) { view_.ShowProperties(index); }
void CPlayViewLinkAdapter::PlayAhead(const std::wstring& path) { view_.PlayAhead(path); }
void CPlayViewLinkAdapter::EndPlayAhead() { view_.EndPlayAhead(); }

} // namespace zevrin
