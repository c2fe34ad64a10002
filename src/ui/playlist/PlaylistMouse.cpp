// The mouse and the keyboard on the playlist: the hover play button, dragging items into a new
// order (or out of the window), dropped files, type-ahead and the context menu.
#include "ui/playlist/PlaylistView.h"

#include "services/AppResources.h"
#include "framework/FrameWnd.h"
#include "ui/playlist/PlayViewLink.h"
#include "ui/playlist/PlaylistFrameLink.h"
#include "ui/playlist/PlaylistResources.h"
#include "res/resource.h"

#include <commctrl.h>
#include <shellapi.h>

namespace zevrin {

namespace {

HWND MainFrame(HWND view) { return ::GetAncestor(view, GA_ROOT); }

bool InWindowRect(HWND hwnd, POINT screenPt) {
    RECT rc;
    return hwnd && ::GetWindowRect(hwnd, &rc) && ::PtInRect(&rc, screenPt);
}

} // namespace

// --- the hover play button ---

void CPlaylistView::TrackHoverButton(POINT pt) {
    int hot = GetHotItem();
    const CPlaylistItem* item = GetItem(hot);
    if (!item || item->playMark == 1) return;
    RECT button = HoverButtonRect(hot);
    RECT grown = button;
    ::InflateRect(&grown, 2, 2);
    if (::PtInRect(&button, pt)) {
        if (Resources().handCursor) ::SetCursor(Resources().handCursor.Get());
        if (overlayState_ == 0) {
            overlayState_ = 1;
            ::InvalidateRect(Hwnd(), &grown, TRUE);
        }
    } else {
        ::SetCursor(cursors_[0]);
        if (overlayState_ != 0) {
            overlayState_ = 0;
            ::InvalidateRect(Hwnd(), &grown, TRUE);
        }
    }
}

LRESULT CPlaylistView::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    POINT pt = MousePoint(lParam);
    if ((wParam & MK_LBUTTON) && drag_.HasImage()) {
        ContinueDrag(pt);
        return 0;
    }
    if ((wParam & MK_LBUTTON) && drag_.Source() == -1 && GetSelectedCount() == 1 && !bandArmed_) {
        int selected = FirstSelected();
        RECT rc;
        if (GetItemRect(selected, rc) && ::PtInRect(&rc, pt)) {
            BeginDrag(selected, pt);
            return 0;
        }
    }
    int hotBefore = GetHotItem();
    LRESULT result = CGridListView::WindowProc(WM_MOUSEMOVE, wParam, lParam);
    if (GetHotItem() != hotBefore) {
        overlayState_ = 0;
        if (tooltip_) ::SendMessageW(tooltip_, TTM_POP, 0, 0);
    }
    TrackHoverButton(pt);
    return result;
}

LRESULT CPlaylistView::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    POINT pt = MousePoint(lParam);
    int hot = GetHotItem();
    if (hot != -1) {
        RECT button = HoverButtonRect(hot);
        if (::PtInRect(&button, pt)) {
            overlayState_ = 2;
            ::InflateRect(&button, 2, 2);
            ::InvalidateRect(Hwnd(), &button, TRUE);
        }
    }
    // An empty list moves the window, as its caption would.
    if (GetItemCount() == 0) {
        POINT screen = pt;
        ::ClientToScreen(Hwnd(), &screen);
        ::ReleaseCapture();
        ::SendMessageW(MainFrame(Hwnd()), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
        return 0;
    }
    ::SetFocus(Hwnd());
    return CGridListView::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CPlaylistView::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
    POINT pt = MousePoint(lParam);
    if (drag_.IsDragging()) {
        EndDrag(pt);
        return CGridListView::WindowProc(WM_LBUTTONUP, wParam, lParam);
    }
    int hot = GetHotItem();
    if (overlayState_ == 2 && hot != -1) {
        const CPlaylistItem* item = GetItem(hot);
        RECT button = HoverButtonRect(hot);
        if (playView_ && playView_->GetPlayerState() == PlayerState::Paused) {
            playView_->TogglePause();
        } else if (item && item->playMark != 1 && ::PtInRect(&button, pt)) {
            PlayItem(hot, IPlayViewLink::kInDisplay);
            overlayState_ = 0;
        }
    }
    return CGridListView::WindowProc(WM_LBUTTONUP, wParam, lParam);
}

LRESULT CPlaylistView::OnRButtonDown(WPARAM wParam, LPARAM lParam) {
    POINT pt = MousePoint(lParam);
    int hot = GetHotItem();
    RECT button = HoverButtonRect(hot);
    if (hot != -1 && ::PtInRect(&button, pt)) {
        overlayState_ = 2;
        ::InvalidateRect(Hwnd(), &button, TRUE);
        return 0;
    }
    return CGridListView::WindowProc(WM_RBUTTONDOWN, wParam, lParam);
}

LRESULT CPlaylistView::OnRButtonUp(WPARAM wParam, LPARAM lParam) {
    POINT pt = MousePoint(lParam);
    int hot = GetHotItem();
    const CPlaylistItem* item = GetItem(hot);
    RECT button = HoverButtonRect(hot);
    if (overlayState_ == 2 && item && ::PtInRect(&button, pt) && item->playMark == 0) {
        PlayItem(hot, IPlayViewLink::kInPlaylist);
        overlayState_ = 0;
        return 0;
    }
    return CGridListView::WindowProc(WM_RBUTTONUP, wParam, lParam);
}

LRESULT CPlaylistView::OnLButtonDblClk(WPARAM wParam, LPARAM lParam) {
    int selected = FirstSelected();
    bool modifiers = wParam & (MK_SHIFT | MK_CONTROL);
    if (selected == -1) {
        if (frameLink_ && frameLink_->ContainerMode() == IPlaylistFrameLink::kOnePane && !modifiers)
            SwitchToDisplay();
        else
            ::SendMessageW(MainFrame(Hwnd()), WM_COMMAND, ID_FULL_SCREEN, 0);
    } else if (GetItem(selected)->playMark != 0) {
        SwitchToDisplay();
    } else {
        PlayItem(selected, IPlayViewLink::kInDisplay);
    }
    return DefaultProc(WM_LBUTTONDBLCLK, wParam, lParam);
}

LRESULT CPlaylistView::OnMButtonUp(WPARAM wParam, LPARAM lParam) {
    ::SendMessageW(MainFrame(Hwnd()), WM_COMMAND, ID_FULL_SCREEN, 0);
    return DefaultProc(WM_MBUTTONUP, wParam, lParam);
}

// --- dragging ---

void CPlaylistView::BeginDrag(int index, POINT pt) {
    RECT rc;
    if (!GetItemRect(index, rc)) return;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = ::GetDC(Hwnd());
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP picture = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(memory, picture);
    DrawItem(memory, index, {0, 0, w, h}, true);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(Hwnd(), screen);
    drag_.Take(index, picture, {w, h});
    ::DeleteObject(picture);
    InvalidateItem(index, false);
    ::UpdateWindow(Hwnd());
    POINT screenPt = pt;
    ::ClientToScreen(Hwnd(), &screenPt);
    drag_.Show(Hwnd(), {pt.x - rc.left, pt.y - rc.top}, screenPt);
}

void CPlaylistView::ContinueDrag(POINT pt) {
    POINT screenPt = pt;
    ::ClientToScreen(Hwnd(), &screenPt);
    drag_.MoveImage(screenPt);
    DropPlace place = DropTarget(pt);
    if (place != drag_.Mark()) {
        drag_.ShowImage(false);
        ShowInsertionMark(place);
        drag_.ShowImage(true);
    }
    RECT client = ClientRect();
    HCURSOR cursor = cursors_[0];
    if (place.index != -1)
        cursor = IsGridStyle() && columns_ > 1 ? cursors_[1] : cursors_[2];
    else if (!::PtInRect(&client, pt))
        cursor = InWindowRect(MainFrame(Hwnd()), screenPt) ? cursors_[4] : cursors_[3];
    drag_.SetCursor(cursor);
}

void CPlaylistView::EndDrag(POINT pt) {
    drag_.EndImage(Hwnd());
    ShowInsertionMark({});
    drag_.SetCursor(cursors_[0]);
    DropPlace place = DropTarget(pt);
    int source = drag_.Release();
    bool changed = false;
    if (place.index != -1) {
        changed = MoveItem(source, place.after ? place.index + 1 : place.index);
    } else {
        RECT client = ClientRect();
        POINT screenPt = pt;
        ::ClientToScreen(Hwnd(), &screenPt);
        if (!::PtInRect(&client, pt)) {
            if (InWindowRect(MainFrame(Hwnd()), screenPt))
                PlayItem(source, IPlayViewLink::kInDisplay);
            else
                changed = RemoveOne(source);
        }
    }
    if (!changed) InvalidateItem(source, true);
}

DropLayout CPlaylistView::CurrentDropLayout() const {
    return {IsGridStyle(), columns_, cellSize_, cellSpacing_, rowHeight_, px_.Value()};
}

DropPlace CPlaylistView::DropTarget(POINT pt) const {
    RECT client = ClientRect();
    if (!::PtInRect(&client, pt) || drag_.Source() == -1) return {};
    std::vector<RECT> cells(GetItemCount());
    for (int i = 0; i < GetItemCount(); ++i) GetItemRect(i, cells[i]);
    return DropPlaceAt(cells, CurrentDropLayout(), pt, drag_.Source());
}

RECT CPlaylistView::MarkRect(DropPlace place) const {
    RECT rc;
    if (place.index == -1 || !GetItemRect(place.index, rc)) return {};
    return InsertionMarkRect(rc, CurrentDropLayout(), place);
}

void CPlaylistView::ShowInsertionMark(DropPlace place) {
    RECT old = MarkRect(drag_.Mark());
    if (!::IsRectEmpty(&old)) {
        ::InvalidateRect(Hwnd(), &old, FALSE);
        ::UpdateWindow(Hwnd());
    }
    drag_.SetMark(place);
    RECT mark = MarkRect(place);
    if (::IsRectEmpty(&mark)) return;
    HDC dc = ::GetDC(Hwnd());
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &mark, nullptr, 0, nullptr);
    ::ReleaseDC(Hwnd(), dc);
}

// --- files from the shell ---

LRESULT CPlaylistView::OnDropFiles(WPARAM wParam, LPARAM) {
    auto drop = reinterpret_cast<HDROP>(wParam);
    std::vector<std::wstring> paths;
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[1025];
        if (::DragQueryFileW(drop, i, path, 1025)) paths.emplace_back(path);
    }
    ::DragFinish(drop);
    POINT cursor;
    ::GetCursorPos(&cursor);
    DropPaths(paths, cursor, ::GetKeyState(VK_SHIFT) < 0);
    return 0;
}

// Dropped on the list the files are added; dropped elsewhere on the window they replace it.
void CPlaylistView::DropPaths(const std::vector<std::wstring>& paths, POINT screenPt, bool shift) {
    bool replace = !(IsVisible() && InWindowRect(Hwnd(), screenPt));
    if (shift) replace = !replace;
    if (!replace && workers_.IsLoaderRunning()) return;
    if (replace) StopLoader();
    StopExtractors();
    pendingPlayIndex_ = -1;
    if (replace) RemoveAll();
    for (const std::wstring& path : paths) {
        if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
            (::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY))
            AddFolder(path, L"*", true);
        else
            AddPath(path);
    }
    if (replace) pendingPlayIndex_ = 0;
    FinishAdding();
}

// --- type-ahead ---

LRESULT CPlaylistView::OnChar(WPARAM wParam, LPARAM lParam) {
    TypeAhead(static_cast<wchar_t>(wParam));
    return DefaultProc(WM_CHAR, wParam, lParam);
}

void CPlaylistView::TypeAhead(wchar_t ch) {
    int found = typeAhead_.Type(ch, ::GetTickCount(), GetItemCount(),
                                [this](int i) -> const std::wstring& { return GetItem(i)->title; });
    if (found == -1) return;
    EnsureVisible(found);
    SelectItem(found, true, true, true);
}

// --- context menu ---

POINT CPlaylistView::ContextMenuPoint(POINT screenPt) const {
    if (screenPt.x != -1 || screenPt.y != -1) return screenPt;
    POINT origin{0, 0};
    ::ClientToScreen(Hwnd(), &origin);
    int selected = FirstSelected();
    RECT rc;
    if (selected == -1 || !GetItemRect(selected, rc)) return origin;
    POINT pt{IsGridStyle() ? (rc.left + rc.right) / 2 : rc.left + 64, (rc.top + rc.bottom) / 2};
    RECT client = ClientRect();
    if (!::PtInRect(&client, pt)) return origin;
    ::ClientToScreen(Hwnd(), &pt);
    return pt;
}

LRESULT CPlaylistView::OnContextMenu(WPARAM, LPARAM lParam) {
    POINT pt = ContextMenuPoint(MousePoint(lParam));
    fw::UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(playlist_res::kContextMenus)));
    HMENU popup = menu ? ::GetSubMenu(menu.Get(), 1) : nullptr;
    if (!popup) return 0;
    if (FirstSelected() != -1)
        ::SetMenuDefaultItem(popup, ID_PLAY_SELECTED, FALSE);
    else if (frameLink_ && frameLink_->ContainerMode() == IPlaylistFrameLink::kOnePane)
        ::SetMenuDefaultItem(popup, ID_NEXT_PANE, FALSE);
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, MainFrame(Hwnd()), nullptr);
    return 0;
}

} // namespace zevrin
