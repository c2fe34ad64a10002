#pragma once
// The playlist pane. It owns the playlist: each grid item's data is a CPlaylistItem, in playing
// order. It carries out the playlist commands, turns paths into items with its loader and
// extraction threads, draws the items as thumbnail cells or list rows, lets the user reorder
// them by dragging and hosts the display view's video over the playing item.
//
// Threads: the item array and every item in it are touched by the user-interface thread only.
// The loader builds a new item on its own and hands it over with WM_ITEM_LOADED; an extractor
// works on a private copy of an item and hands the results back, which are applied to the
// item with the same id (if it is still there). The only shared data is the queue of paths,
// under a lock that is never held while a tool runs.
#include "app/StartupPlaylist.h"
#include "framework/Handles.h"
#include "image/ThumbnailImage.h"
#include "playlist/PlaylistItem.h"
#include "ui/playlist/GridListView.h"
#include "ui/playlist/ImageButton.h"
#include "ui/playlist/PlaylistWork.h"
#include "ui/VideoPlace.h"

#include <cstdint>
#include <deque>
#include <set>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zevrin {

class CExtractThread;
class CLoadThread;
class IPlayViewLink;
class IPlaylistFrameLink;

// Sent by the loader: is a path in the playlist already? lParam the const std::wstring*.
constexpr UINT WM_PLAYLIST_HAS_PATH = WM_USER + 412;
// Sent by an extractor for the next item to work on: wParam the index, lParam an ExtractJob*.
// 0 when there is no such item, 1 when the job was filled, 2 when the item needs nothing.
constexpr UINT WM_EXTRACT_JOB = WM_USER + 421;
// Posted by an extractor with a finished job (lParam, owned by the receiver).
constexpr UINT WM_EXTRACT_DONE = WM_USER + 422;

// A private copy of one item for an extractor, and the results it brings back.
struct ExtractJob {
    int itemId = -1;
    std::unique_ptr<CPlaylistItem> item;
};

class CPlaylistView : public CGridListView, public IStartupPlaylist, public IPlaylistWork {
public:
    CPlaylistView();
    ~CPlaylistView() override;

    void SetPlayView(IPlayViewLink* link) { playView_ = link; }
    void SetFrameLink(IPlaylistFrameLink* link) { frameLink_ = link; }

    // IStartupPlaylist
    void StopLoader() override;
    void StopExtractors() override;
    void RemoveAll() override;
    void SetPendingPlayIndex(int index) override { pendingPlayIndex_ = index; }
    int AddPath(const std::wstring& path) override;
    int AddFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse) override;
    bool IsLoaderRunning() const override { return loadThread_ != nullptr; }
    void StartLoader() override;

    // For the display view.
    int PlayItem(int index, VideoPlace where);
    void SetItemPlayMark(int index, int mark);
    void HostVideo(HWND window);
    void ReleaseVideo() { HostVideo(nullptr); }
    CPlaylistItem* GetItem(int index) const { return static_cast<CPlaylistItem*>(GetItemData(index)); }
    int FirstSelected() const { return GetNextSelected(0); }

    // Paths to items.
    static bool IsImageFile(const std::wstring& path);
    int QueueFile(const std::wstring& path);
    int AddPlaylistFile(const std::wstring& path);
    int AddItem(std::unique_ptr<CPlaylistItem> item);
    int OpenPath(const std::wstring& path);
    int OpenFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse);
    bool RemoveItemAt(int index, bool updateLayout);
    bool RemoveOne(int index);
    // Playlist files: the seam for the loading and saving of playlists.
    int LoadPlaylist(const std::wstring& path, bool makeCurrent, bool addRecent);
    // The items as playlist entries, in order.
    std::vector<const CPlaylistEntry*> Entries() const;
    int SavePlaylist(const std::wstring& path, bool addRecent);
    void UpdateSummary();

    virtual bool MoveItem(int from, int to);
    void SetViewStyle(int style);
    void SetShowTitle(bool show);
    int PendingPlayIndex() const { return pendingPlayIndex_; }
    size_t PendingPathCount() const;
    bool IsExtracting() const { return extractThreads_[0] || extractThreads_[1]; }
    bool IsOpenButtonVisible() const { return openButton_ && (::GetWindowLongW(openButton_.Hwnd(), GWL_STYLE) & WS_VISIBLE); }
    // A drop target for a drag: the index and the side, or index -1.
    struct DropPlace {
        int index = -1;
        bool after = false;
    };
    DropPlace DropTarget(POINT pt) const;
    // Starts a drag of item `index` (the one selected item) as the mouse would.
    int DragSource() const { return dragSource_; }
    // Type-ahead: what one typed character does.
    void TypeAhead(wchar_t ch);
    // Where a keyboard context menu opens, in screen coordinates.
    POINT ContextMenuPoint(POINT screenPt) const;
    // Adds or replaces with dropped paths as a drop at `screenPt` does.
    void DropPaths(const std::vector<std::wstring>& paths, POINT screenPt, bool shift);

    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnInitialUpdate() override;

    bool SelectItem(int index, bool select, bool clearOthers, bool redraw) override;
    bool SwapItems(int a, int b) override;
    void DrawGridItem(HDC dc, int index, const RECT& cell) override;
    void DrawListItem(HDC dc, int index, const RECT& row) override;

    bool showDuration_ = true;
    bool showIcon_ = false;
    bool showTitle_ = true;
    int viewStyleSetting_ = kGridStyle;

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDraw(HDC dc) override;

private:
    // IPlaylistWork, run on the worker threads (public only so that the threads can be given the view).
    void LoaderWork(const ToolStopFlag& stop) override;
    void ExtractWork(int parity, const ToolStopFlag& stop) override;
    HWND WorkWindow() const override { return Hwnd(); }
    std::unique_ptr<CPlaylistItem> CreateItem(const std::wstring& path, std::vector<std::wstring>& loadedPaths);
    void StartExtractors();
    // Dispatches this window's messages until `done` holds.
    template <class Done>
    void PumpUntil(Done done);

    // Message handlers.
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnContextMenu(WPARAM, LPARAM);
    LRESULT OnDropFiles(WPARAM, LPARAM);
    LRESULT OnChar(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnMButtonUp(WPARAM, LPARAM);
    LRESULT OnRButtonDown(WPARAM, LPARAM);
    LRESULT OnRButtonUp(WPARAM, LPARAM);
    LRESULT OnNotify(WPARAM, LPARAM);
    LRESULT OnCommandMessage(WPARAM, LPARAM);
    LRESULT OnLoaderEnded(WPARAM, LPARAM);
    LRESULT OnItemLoaded(WPARAM, LPARAM);
    LRESULT OnExtractorEnded(WPARAM, LPARAM);
    LRESULT OnHasPath(WPARAM, LPARAM);
    LRESULT OnExtractJob(WPARAM, LPARAM);
    LRESULT OnExtractDone(WPARAM, LPARAM);
    int FindLeftoverItem() const;

    // Commands.
    void OnOpenFiles();
    void OnAddFiles();
    void OnOpenFolder();
    void OnAddFolder();
    void OnOpenUrl();
    void OnAddUrls();
    void OnRemove();
    void OnRemoveAll();
    void OnSelectAll();
    void OnMoveUp();
    void OnMoveDown();
    void OnLoad();
    void OnSave();
    void OnPlay();
    void OnProperties();
    void OnGridView();
    void OnListView();
    void OnShowDuration();
    void OnShowTitle();
    void OnShowIcon();
    void OnNextPane();
    void OnPrevPane();
    void OnRecentPlaylist(UINT id);
    void OnClearRecentPlaylists();
    void OnUpdateAlways(fw::CCmdUI& ui);
    void OnUpdateNoLoader(fw::CCmdUI& ui);
    void OnUpdateRemove(fw::CCmdUI& ui);
    void OnUpdateHasItems(fw::CCmdUI& ui);
    void OnUpdateMoveUp(fw::CCmdUI& ui);
    void OnUpdateMoveDown(fw::CCmdUI& ui);
    void OnUpdatePlay(fw::CCmdUI& ui);
    void OnUpdateHasSelection(fw::CCmdUI& ui);
    void OnUpdateGridView(fw::CCmdUI& ui);
    void OnUpdateListView(fw::CCmdUI& ui);
    void OnUpdateShowDuration(fw::CCmdUI& ui);
    void OnUpdateShowTitle(fw::CCmdUI& ui);
    void OnUpdateShowIcon(fw::CCmdUI& ui);
    void OnUpdatePane(fw::CCmdUI& ui);
    void OnUpdateRecentPlaylist(fw::CCmdUI& ui);
    void OnUpdateClearRecentPlaylists(fw::CCmdUI& ui);
    // The shared first steps of the commands that bring in media.
    void PrepareReplace();
    void PrepareAdd();
    void FinishAdding() {
        if (!loadThread_) StartLoader();
    }
    bool ChooseFiles(const wchar_t* title, bool useSettingFilter, std::vector<std::wstring>& paths);
    void SwitchToDisplay();
    void StopIfCurrent(int index);

    // Drawing and mouse details.
    void DrawItem(HDC dc, int index, const RECT& rc, bool dragImage);
    void DrawGridCell(HDC dc, const CPlaylistItem& item, UINT state, const RECT& cell, bool dragImage);
    void DrawListRow(HDC dc, int index, const CPlaylistItem& item, UINT state, const RECT& row, bool dragImage);
    RECT HoverButtonRect(int index) const;
    int DigitWidth(HDC dc);
    void PositionHostedVideo();
    void BeginDrag(int index, POINT pt);
    void ContinueDrag(POINT pt);
    void EndDrag(POINT pt);
    void ShowInsertionMark(DropPlace place);
    RECT InsertionMarkRect(DropPlace place) const;
    void SetDragCursor(HCURSOR cursor);
    void TrackHoverButton(POINT pt);
    bool IsActivePane() const;

    IPlayViewLink* playView_ = nullptr;
    IPlaylistFrameLink* frameLink_ = nullptr;
    HWND hostedVideo_ = nullptr;
    int pendingPlayIndex_ = -1;
    CImageButton openButton_;
    CThumbnailImage buttonImages_[2];
    fw::UniqueImageList stateIcons_;
    fw::UniqueImageList overlayButtons_;
    fw::UniqueImageList kindIcons_;
    HIMAGELIST sysSmallIcons_ = nullptr;

    mutable std::mutex pathsLock_;  // guards pendingPaths_ only; never held while a tool runs
    std::deque<std::wstring> pendingPaths_;

    std::unique_ptr<CLoadThread> loadThread_;
    std::unique_ptr<CExtractThread> extractThreads_[2];
    // Ids of the items an extractor holds a copy of. An item moved to the other parity while
    // one thread works on it must not be handed to the second thread as well.
    std::set<int> itemsInWork_;
    // Ids of the items an extractor has been handed; a failure there is not retried by the pass.
    std::set<int> itemsTried_;
    bool destroying_ = false;

    HCURSOR cursors_[5] = {};  // arrow, several columns, one column, remove, play
    fw::UniqueCursor ownCursors_[4];
    HCURSOR currentCursor_ = nullptr;
    int overlayState_ = 0;
    fw::UniqueImageList dragImage_;
    int dragSource_ = -1;
    DropPlace dropMark_;
    int digitWidth_ = 0;
    HWND tooltip_ = nullptr;
};

} // namespace zevrin
