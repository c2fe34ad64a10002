#pragma once
// The playlist pane. It owns the playlist. So far it keeps the queue of paths waiting to be
// loaded and lists them; the loader and extraction threads, the grid of thumbnails and the
// playlist commands build on this queue.
#include "app/StartupPlaylist.h"
#include "framework/View.h"

#include <string>
#include <vector>

namespace zevrin {

class CPlaylistView : public fw::CView, public IStartupPlaylist {
public:
    // IStartupPlaylist
    void StopLoader() override {}
    void StopExtractors() override {}
    void RemoveAll() override;
    void SetPendingPlayIndex(int index) override { pendingPlayIndex_ = index; }
    int AddPath(const std::wstring& path) override;
    int AddFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse) override;
    bool IsLoaderRunning() const override { return false; }
    void StartLoader() override { Invalidate(); }

    const std::vector<std::wstring>& PendingPaths() const { return pendingPaths_; }
    int PendingPlayIndex() const { return pendingPlayIndex_; }

    void OnInitialUpdate() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDraw(HDC dc) override;

private:
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnDropFiles(WPARAM, LPARAM);

    std::vector<std::wstring> pendingPaths_;
    int pendingPlayIndex_ = -1;
};

} // namespace zevrin
