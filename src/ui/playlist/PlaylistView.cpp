#include "ui/playlist/PlaylistView.h"

#include "playlist/PlaylistStore.h"

#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "framework/Document.h"
#include "ui/playlist/PlayViewLink.h"
#include "ui/playlist/PlaylistResources.h"

#include <commctrl.h>
#include <shellapi.h>

namespace zevrin {

namespace {
constexpr COLORREF kBackColor = RGB(0x20, 0x20, 0x20);
constexpr UINT kOpenButtonId = 1;
constexpr int kOpenButtonSize = 96;

// A strip of square images drawn for the art scale `percent`; `size` is the 100 % size.
HIMAGELIST LoadImageList(UINT id, int size, UINT colorFlags, int percent) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(fw::ArtResourceId(id, percent)),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return nullptr;
    size = fw::ArtSize(size, percent);
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    HIMAGELIST list = ::ImageList_Create(size, size, colorFlags | ILC_MASK, info.bmWidth / size, 1);
    if (list) ::ImageList_AddMasked(list, bitmap, playlist_res::kMaskColor);
    ::DeleteObject(bitmap);
    return list;
}
} // namespace

// Durations shown and icons hidden at every start: the flags are written back at the end,
// but a user who hid both once would otherwise face a bare list with no way to tell.
CPlaylistView::CPlaylistView() {
    backColor_ = kBackColor;
    doubleBuffered_ = false;
    rowHeight_ = 20;
    cellSpacing_ = {8, 8};
    viewStyleSetting_ = Settings().viewStyle;
    showTitle_ = Settings().showTitle != 0;
    showDuration_ = true;
    showIcon_ = false;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    cursors_[0] = ::LoadCursorW(nullptr, IDC_ARROW);
    const UINT ids[4] = {playlist_res::kCursorMoveAcross, playlist_res::kCursorMoveDown, playlist_res::kCursorRemove,
                         playlist_res::kCursorPlay};
    const int cursorSize = fw::ScaleTo(32, fw::SystemDpi()); // the cursors hold 32, 48 and 64 pixels
    for (int i = 0; i < 4; ++i) {
        ownCursors_[i].Reset(static_cast<HCURSOR>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(ids[i]), IMAGE_CURSOR, cursorSize, cursorSize, 0)));
        cursors_[i + 1] = ownCursors_[i] ? ownCursors_[i].Get() : cursors_[0];
    }
}

// The settings get the user's choices back; the threads are gone by now (see OnDestroy).
CPlaylistView::~CPlaylistView() {
    CAppSettings& settings = Settings();
    settings.viewStyle = viewStyleSetting_;
    settings.showDuration = showDuration_;
    settings.showTitle = showTitle_;
    settings.showIcon = showIcon_;
    while (GetItemCount() > 0) TakeItemAt(0, false); // each item goes with its owner
}

bool CPlaylistView::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.style |= WS_CLIPCHILDREN;
    return CGridListView::PreCreateWindow(cs);
}

LRESULT CPlaylistView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CPlaylistView> messages[] = {
        {WM_CREATE, &CPlaylistView::OnCreate},
        {WM_DESTROY, &CPlaylistView::OnDestroy},
        {WM_SIZE, &CPlaylistView::OnSize},
        {fw::WM_DPI_RESCALE, &CPlaylistView::OnDpiRescale},
        {WM_CONTEXTMENU, &CPlaylistView::OnContextMenu},
        {WM_DROPFILES, &CPlaylistView::OnDropFiles},
        {WM_CHAR, &CPlaylistView::OnChar},
        {WM_MOUSEMOVE, &CPlaylistView::OnMouseMove},
        {WM_LBUTTONDOWN, &CPlaylistView::OnLButtonDown},
        {WM_LBUTTONUP, &CPlaylistView::OnLButtonUp},
        {WM_LBUTTONDBLCLK, &CPlaylistView::OnLButtonDblClk},
        {WM_MBUTTONUP, &CPlaylistView::OnMButtonUp},
        {WM_RBUTTONDOWN, &CPlaylistView::OnRButtonDown},
        {WM_RBUTTONUP, &CPlaylistView::OnRButtonUp},
        {WM_NOTIFY, &CPlaylistView::OnNotify},
        {WM_LOADER_ENDED, &CPlaylistView::OnLoaderEnded},
        {WM_ITEM_LOADED, &CPlaylistView::OnItemLoaded},
        {WM_EXTRACTOR_ENDED, &CPlaylistView::OnExtractorEnded},
        {WM_PLAYLIST_HAS_PATH, &CPlaylistView::OnHasPath},
        {WM_EXTRACT_JOB, &CPlaylistView::OnExtractJob},
        {WM_EXTRACT_DONE, &CPlaylistView::OnExtractDone},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return CGridListView::WindowProc(message, wParam, lParam);
}

LRESULT CPlaylistView::OnCreate(WPARAM wParam, LPARAM lParam) {
    if (CGridListView::WindowProc(WM_CREATE, wParam, lParam) == -1) return -1;
    ::DragAcceptFiles(Hwnd(), TRUE);
    HMODULE module = ::GetModuleHandleW(nullptr);
    px_ = fw::CDpi::Of(Hwnd());
    if (!LoadScaledArt()) return -1;
    if (!openButton_.Create(L"Open Files", Hwnd(), kOpenButtonId)) return -1;
    openButton_.backColor = backColor_;
    openButton_.SetImages(&buttonImages_[0], &buttonImages_[1]);
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                                 0, 0, Hwnd(), nullptr, module, nullptr);
    if (tooltip_) {
        TTTOOLINFOW tool{sizeof(tool), TTF_SUBCLASS, Hwnd(), 1, {}, nullptr, LPSTR_TEXTCALLBACKW};
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SetViewStyle(viewStyleSetting_);
    SetShowTitle(showTitle_);
    UpdateSummary();
    return 0;
}

// The play buttons of the empty pane are needed; drawing leaves out what a missing list of the
// pane's other art would show. Thumbnails are made at the physical size of the cells.
bool CPlaylistView::LoadScaledArt() {
    HMODULE module = ::GetModuleHandleW(nullptr);
    const int percent = px_.ArtScale();
    Settings().thumbnailDpi = px_.Value();
    if (!buttonImages_[0].LoadResource(fw::ArtResourceId(playlist_res::kPlayNormal, percent), CThumbnailImage::Png,
                                       module) ||
        !buttonImages_[1].LoadResource(fw::ArtResourceId(playlist_res::kPlayHover, percent), CThumbnailImage::Png,
                                       module))
        return false;
    stateIcons_.Reset(LoadImageList(playlist_res::kStateIcons, 16, ILC_COLOR24, percent));
    overlayButtons_.Reset(LoadImageList(playlist_res::kOverlayButtons, 20, ILC_COLOR24, percent));
    kindIcons_.Reset(LoadImageList(playlist_res::kKindIcons, 32, ILC_COLOR32, percent));
    stateIconSize_ = fw::ArtSize(16, percent);
    kindIconSize_ = fw::ArtSize(32, percent);
    rowHeight_ = px_(20);
    digitWidth_ = 0;
    return true;
}

// Moved to a screen of another scale: cells, rows and art follow; the view stays where it is.
LRESULT CPlaylistView::OnDpiRescale(WPARAM wParam, LPARAM) {
    const int dpi = static_cast<int>(wParam);
    if (dpi <= 0 || dpi == px_.Value()) return 0;
    px_ = fw::CDpi(dpi);
    LoadScaledArt();
    openButton_.SetImages(&buttonImages_[0], &buttonImages_[1]);
    openButton_.Invalidate(true);
    if (viewStyle_ == kListStyle) SetUnitSize(1, rowHeight_, false);
    SetShowTitle(showTitle_);
    RECT rc = ClientRect();
    OnSize(SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
    Invalidate(true);
    return 0;
}

// The playlist outlives the window in "Default.play"; what was not saved leaves no thumbnails.
LRESULT CPlaylistView::OnDestroy(WPARAM wParam, LPARAM lParam) {
    destroying_ = true;
    StopLoader();
    StopExtractors();
    KeepLastPlaylist(Settings(), Entries());
    return CGridListView::WindowProc(WM_DESTROY, wParam, lParam);
}

LRESULT CPlaylistView::OnSize(WPARAM wParam, LPARAM lParam) {
    LRESULT result = CGridListView::WindowProc(WM_SIZE, wParam, lParam);
    int cx = LOWORD(lParam), cy = HIWORD(lParam);
    if (cx > 0 && cy > 0 && openButton_)
        ::MoveWindow(openButton_.Hwnd(), (cx - px_(kOpenButtonSize)) / 2, (cy - px_(kOpenButtonSize)) / 2,
                     px_(kOpenButtonSize), px_(kOpenButtonSize), TRUE);
    if (tooltip_) {
        TTTOOLINFOW tool{sizeof(tool), 0, Hwnd(), 1};
        tool.rect = ClientRect();
        ::SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return result;
}

// Started with files, the pane opens the document's path when it has one and leaves the last
// playlist alone: its items would only be probed and then thrown away while the named file
// waits. Otherwise the last playlist comes back (with the playlist files' part of the pane).
// Every later opening, once start-up is over, opens the document's path.
void CPlaylistView::OnInitialUpdate() {
    CGridListView::OnInitialUpdate();
    bool restoreLast = restoreLastPlaylist_;
    restoreLastPlaylist_ = false;
    if (!restoreLast) {
        if (Document() && !Document()->PathName().empty()) OpenPath(Document()->PathName());
    } else if (Settings().loadLastPlaylist) {
        LoadPlaylist(Settings().DefaultPlaylistPath(), false, false);
    }
    UpdateSummary();
}

void CPlaylistView::OnDraw(HDC dc) {
    PositionHostedVideo();
    CGridListView::OnDraw(dc);
}

// --- style ---

void CPlaylistView::SetViewStyle(int style) {
    if (style == kGridStyle) {
        viewStyle_ = kGridStyle;
        SetUnitSize(1, 1, false);
    } else if (style == kListStyle) {
        viewStyle_ = kListStyle;
        SetUnitSize(1, rowHeight_, false);
    }
    viewStyleSetting_ = style;
    ::SetScrollPos(Hwnd(), SB_VERT, 0, FALSE);
    RecalcLayout();
}

void CPlaylistView::SetShowTitle(bool show) {
    showTitle_ = show;
    cellSpacing_ = {px_(8), px_(8)};
    const CAppSettings& settings = Settings();
    const int margins = 2 * px_(5); // the thumbnail sits 5 units in from the cell's edges
    cellSize_ = {px_(settings.thumbnailCx) + margins, px_(settings.thumbnailCy) + (show ? px_(40) : margins)};
    RecalcLayout();
}

// --- selection and order ---

// List rows of a selection are drawn as one band, so the neighbours change with an item.
bool CPlaylistView::SelectItem(int index, bool select, bool clearOthers, bool redraw) {
    UINT before = GetItemState(index);
    bool result = CGridListView::SelectItem(index, select, clearOthers, redraw);
    if (redraw && GetItemState(index) != before) {
        InvalidateItem(index - 1, true);
        InvalidateItem(index + 1, true);
    }
    return result;
}

bool CPlaylistView::SwapItems(int a, int b) {
    if (!CGridListView::SwapItems(a, b)) return false;
    InvalidateItem(a, true);
    InvalidateItem(b, true);
    return true;
}

bool CPlaylistView::MoveItem(int from, int to) {
    if (!InRange(from) || to < 0 || to > GetItemCount() || to == from || to == from + 1) return false;
    std::unique_ptr<GridListItem> record = std::move(items_[from]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + (to < from ? to : to - 1), std::move(record));
    if (hostedVideo_) PositionHostedVideo();
    Invalidate(true);
    return true;
}

// --- the display view ---

int CPlaylistView::PlayItem(int index, VideoPlace where) { return playView_ ? playView_->PlayItem(index, where) : 0; }

void CPlaylistView::SetItemPlayMark(int index, int mark) {
    CPlaylistItem* item = GetItem(index);
    if (!item) return;
    item->playMark = static_cast<uint16_t>(mark & 0xFF);
    if (Hwnd()) InvalidateItem(index, true);
}

void CPlaylistView::HostVideo(HWND window) {
    hostedVideo_ = window;
    if (window) ::SetParent(window, Hwnd());
    PositionHostedVideo();
}

void CPlaylistView::PositionHostedVideo() {
    if (!hostedVideo_ || !playView_) return;
    bool active = IsRunning(playView_->GetPlayerState());
    int c = playView_->CurrentIndex();
    RECT rc;
    if (!active || !GetItemRect(c, rc)) {
        ::ShowWindow(hostedVideo_, SW_HIDE);
        return;
    }
    if (IsGridStyle()) {
        const CAppSettings& settings = Settings();
        ::SetWindowPos(hostedVideo_, nullptr, rc.left + px_(5), rc.top + px_(5), px_(settings.thumbnailCx),
                       px_(settings.thumbnailCy), SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    } else {
        ::SetWindowPos(hostedVideo_, nullptr, (rc.right - 2 * rowHeight_ - rc.left) / 2, rc.top, 2 * rowHeight_,
                       rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }
    ::ShowWindow(hostedVideo_, SW_SHOWNA);
}

// Mouse messages for the hosted video act on the playlist as if they had come to the item.
bool CPlaylistView::PreTranslateMessage(MSG& msg) {
    HWND picture = playView_ ? playView_->PictureWindow() : nullptr;
    if (hostedVideo_ && (msg.hwnd == hostedVideo_ || (picture && msg.hwnd == picture))) {
        if (msg.message == WM_LBUTTONDBLCLK) {
            SwitchToDisplay();
            return true;
        }
        if (msg.message == WM_MOUSEMOVE) {
            int current = playView_ ? playView_->CurrentIndex() : -1;
            if (InRange(current) && GetHotItem() != current) {
                SetHotItem(current, true);
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, msg.hwnd, 0};
                ::TrackMouseEvent(&tme);
            }
            return true;
        }
        if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MBUTTONUP) {
            POINT pt = MousePoint(msg.lParam);
            ::MapWindowPoints(msg.hwnd, Hwnd(), &pt, 1);
            PostMessage(msg.message, msg.wParam, MAKELPARAM(pt.x, pt.y));
            return true;
        }
        if (msg.message == WM_MOUSELEAVE) {
            SetHotItem(-1, true);
            return true;
        }
    }
    return CGridListView::PreTranslateMessage(msg);
}

// --- tooltips ---

LRESULT CPlaylistView::OnNotify(WPARAM wParam, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom != tooltip_) return DefaultProc(WM_NOTIFY, wParam, lParam);
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(Hwnd(), &pt);
        int i = HitTest(pt.x, pt.y);
        info->lpszText = info->szText;
        info->szText[0] = 0;
        if (const CPlaylistItem* item = GetItem(i)) lstrcpynW(info->szText, item->path.c_str(), 80);
        ::SetWindowPos(tooltip_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return 0;
}

} // namespace zevrin
