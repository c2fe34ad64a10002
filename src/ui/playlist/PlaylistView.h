#pragma once
// The playlist pane. It owns the playlist: each grid item's data is a CPlaylistItem, in playing
// order. It carries out the playlist commands, turns paths into items with its pool of workers
// (PlaylistWorkers.h), draws the items as thumbnail cells or list rows, lets the user reorder
// them by dragging (DragReorder.h) and hosts the display view's video over the playing item.
//
// Threads: the item array and every item in it are touched by the user-interface thread only;
// the workers hand their results over as messages to this window.
#include "playlist/StartupPlaylist.h"
#include "framework/Handles.h"
#include "image/ThumbnailImage.h"
#include "playlist/PlaylistItem.h"
#include "ui/playlist/DragReorder.h"
#include "ui/playlist/GridListView.h"
#include "ui/playlist/ImageButton.h"
#include "ui/playlist/PlaylistWorkers.h"
#include "ui/playlist/TypeAhead.h"
#include "ui/playlist/PlaylistWork.h"
#include "ui/VideoPlace.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zevrin {

class IPlayViewLink;
class IPlaylistFrameLink;

class CPlaylistView : public CGridListView, public IStartupPlaylist, private IWorkerSite {
public:
    CPlaylistView();
    ~CPlaylistView() override;

    void SetPlayView(IPlayViewLink* link) { playView_ = link; }
    void SetFrameLink(IPlaylistFrameLink* link) { frameLink_ = link; }
    // Whether the program was started with files to open, given before the first opening: only
    // a start without files brings the last playlist back (OnInitialUpdate).
    void SetStartedWithFiles(bool withFiles) { restoreLastPlaylist_ = !withFiles; }
    // The media tools that make items of paths; given before the first opening.
    void SetToolPaths(ToolPaths tools) { workers_.SetToolPaths(std::move(tools)); }
    const ToolPaths& Tools() const { return workers_.Tools(); }

    // IStartupPlaylist
    void StopLoader() override;
    void StopExtractors() override;
    void RemoveAll() override;
    void SetPendingPlayIndex(int index) override { pendingPlayIndex_ = index; }
    int AddPath(const std::wstring& path) override;
    int AddFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse) override;
    bool IsLoaderRunning() const override { return workers_.IsLoaderRunning(); }
    void StartLoader() override;
    // The playback started ahead has opened, or ended: the held-back probes may run.
    void ResumeProbes();

    // For the display view.
    int PlayItem(int index, VideoPlace where);
    void SetItemPlayMark(int index, int mark);
    void HostVideo(HWND window);
    void ReleaseVideo() { HostVideo(nullptr); }
    CPlaylistItem* GetItem(int index) const { return static_cast<CPlaylistItem*>(GetItemData(index)); }
    int FirstSelected() const { return GetNextSelected(0); }

    // Paths to items.
    int QueueFile(const std::wstring& path);
    int AddPlaylistFile(const std::wstring& path);
    int AddItem(std::unique_ptr<CPlaylistItem> item);
    int OpenPath(const std::wstring& path);
    int OpenFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse);
    bool RemoveItemAt(int index, bool updateLayout);
    // Takes item `index` out of the grid, to the caller; empty when there is no such item.
    std::unique_ptr<CPlaylistItem> TakeItemAt(int index, bool updateLayout);
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
    size_t PendingPathCount() const { return workers_.PendingPathCount(); }
    bool IsExtracting() const { return workers_.IsExtracting(); }
    bool IsOpenButtonVisible() const {
        return openButton_ && (::GetWindowLongW(openButton_.Hwnd(), GWL_STYLE) & WS_VISIBLE);
    }
    // A drop target for a drag: the index and the side, or index -1.
    using DropPlace = zevrin::DropPlace;
    DropPlace DropTarget(POINT pt) const;
    // The item being dragged, or -1.
    int DragSource() const { return drag_.Source(); }
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
    // IWorkerSite: the items as the workers' pool reads them.
    HWND WorkWindow() const override { return Hwnd(); }
    int ItemCount() const override { return GetItemCount(); }
    int ItemIdAt(int index) const override { return GetItemId(index); }
    const CPlaylistItem* ItemAt(int index) const override { return GetItem(index); }

    // Message handlers.
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnDpiRescale(WPARAM, LPARAM);
    // The pane's art and sizes for the window's DPI; false when an image is missing.
    bool LoadScaledArt();
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
    std::wstring PathToPlayAhead() const;
    bool HasPath(const std::wstring& path) const;
    LRESULT OnExtractorEnded(WPARAM, LPARAM);
    LRESULT OnHasPath(WPARAM, LPARAM);
    LRESULT OnExtractJob(WPARAM, LPARAM);
    LRESULT OnExtractDone(WPARAM, LPARAM);

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
        if (!workers_.IsLoaderRunning()) StartLoader();
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
    DropLayout CurrentDropLayout() const;
    void ShowInsertionMark(DropPlace place);
    RECT MarkRect(DropPlace place) const;
    void TrackHoverButton(POINT pt);
    bool IsActivePane() const;

    IPlayViewLink* playView_ = nullptr;
    IPlaylistFrameLink* frameLink_ = nullptr;
    HWND hostedVideo_ = nullptr;
    int pendingPlayIndex_ = -1;
    bool restoreLastPlaylist_ = true; // at the first opening only
    CImageButton openButton_;
    CThumbnailImage buttonImages_[2];
    fw::UniqueImageList stateIcons_;
    fw::UniqueImageList overlayButtons_;
    fw::UniqueImageList kindIcons_;
    int stateIconSize_ = 16; // the drawn sizes of the lists above, in pixels
    int kindIconSize_ = 32;

    CPlaylistWorkers workers_{*this};
    bool destroying_ = false;

    HCURSOR cursors_[5] = {}; // arrow, several columns, one column, remove, play
    fw::UniqueCursor ownCursors_[4];
    int overlayState_ = 0;
    CDragReorder drag_{::LoadCursorW(nullptr, IDC_ARROW)};
    CTypeAhead typeAhead_;
    int digitWidth_ = 0;
    HWND tooltip_ = nullptr;
};

} // namespace zevrin
