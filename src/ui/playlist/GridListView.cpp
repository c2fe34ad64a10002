#include "ui/playlist/GridListView.h"

#include "framework/Handles.h"

#include <algorithm>

namespace zevrin {

namespace {

bool Intersect(const RECT& a, const RECT& b, RECT* out = nullptr) {
    RECT r;
    bool any = ::IntersectRect(&r, &a, &b) != FALSE;
    if (out) *out = r;
    return any;
}

void Fill(HDC dc, const RECT& rc, COLORREF color) {
    ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

} // namespace

LRESULT CGridListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CGridListView> messages[] = {
        {WM_ERASEBKGND, &CGridListView::OnEraseBackground},
        {WM_SIZE, &CGridListView::OnSize},
        {WM_PAINT, &CGridListView::OnPaint},
        {WM_LBUTTONDOWN, &CGridListView::OnLButtonDown},
        {WM_LBUTTONUP, &CGridListView::OnButtonUp},
        {WM_RBUTTONUP, &CGridListView::OnRButtonUp},
        {WM_RBUTTONDOWN, &CGridListView::OnRButtonDown},
        {WM_MOUSEMOVE, &CGridListView::OnMouseMove},
        {WM_MOUSELEAVE, &CGridListView::OnMouseLeave},
        {WM_KEYDOWN, &CGridListView::OnKeyDown},
        {WM_GRID_LAYOUT, &CGridListView::OnLayout},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CUnitScrollView::WindowProc(message, wParam, lParam);
}

// --- items and their state ---

int CGridListView::InsertItem(int index, void* data, bool update) {
    index = std::clamp(index, 0, GetItemCount());
    std::unique_ptr<GridListItem> item = NewItem();
    item->id = nextItemId_++;
    item->data = data;
    items_.insert(items_.begin() + index, std::move(item));
    if (update) RecalcLayout();
    return index;
}

bool CGridListView::DeleteItem(int index, bool update) {
    if (!InRange(index)) return false;
    std::unique_ptr<GridListItem> item = std::move(items_[index]);
    items_.erase(items_.begin() + index);
    FreeItem(std::move(item));
    if (update) RecalcLayout();
    return true;
}

bool CGridListView::DeleteAllItems(bool update) {
    while (!items_.empty()) DeleteItem(0, false);
    if (update) RecalcLayout();
    return true;
}

bool CGridListView::SwapItems(int a, int b) {
    if (!InRange(a) || !InRange(b)) return false;
    std::swap(items_[a], items_[b]);
    return true;
}

UINT CGridListView::GetItemState(int index) const { return InRange(index) ? items_[index]->state : 0; }

bool CGridListView::SetItemState(int index, UINT clearMask, UINT setMask, bool redraw) {
    if (!InRange(index)) return false;
    UINT& state = items_[index]->state;
    state = setMask | (state & ~clearMask);
    if (redraw) InvalidateItem(index, true);
    return true;
}

int CGridListView::FirstWithState(UINT bit) const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (items_[i]->state & bit) return i;
    return -1;
}

int CGridListView::FindItemById(int id) const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (items_[i]->id == id) return i;
    return -1;
}

int CGridListView::GetSelectedCount() const {
    return static_cast<int>(
        std::count_if(items_.begin(), items_.end(), [](const auto& i) { return i->state & GLIS_SELECTED; }));
}

int CGridListView::GetNextSelected(int start) const {
    for (int i = std::max(start, 0); i < GetItemCount(); ++i)
        if (items_[i]->state & GLIS_SELECTED) return i;
    return -1;
}

void CGridListView::SetAllSelection(bool select, bool redraw) {
    for (int i = 0; i < GetItemCount(); ++i)
        if (((items_[i]->state & GLIS_SELECTED) != 0) != select)
            SetItemState(i, GLIS_SELECTED, select ? GLIS_SELECTED : 0, redraw);
}

bool CGridListView::SelectItem(int index, bool select, bool clearOthers, bool redraw) {
    if (clearOthers) SetAllSelection(false, redraw);
    if (!InRange(index)) return false;
    if (((GetItemState(index) & GLIS_SELECTED) != 0) == select) return true;
    return SetItemState(index, GLIS_SELECTED, select ? GLIS_SELECTED : 0, redraw);
}

bool CGridListView::SelectRange(int first, int last, bool select, bool redraw) {
    SetAllSelection(false, redraw);
    last = std::min(last, GetItemCount() - 1);
    for (int i = std::max(first, 0); i <= last; ++i) SetItemState(i, GLIS_SELECTED, select ? GLIS_SELECTED : 0, redraw);
    return true;
}

bool CGridListView::SetFocusItem(int index, bool redraw) {
    int old = GetFocusItem();
    if (index == old) return false;
    if (old != -1) SetItemState(old, GLIS_FOCUSED, 0, redraw);
    if (index != -1) SetItemState(index, 0, GLIS_FOCUSED, redraw);
    return true;
}

bool CGridListView::SetHotItem(int index, bool redraw) {
    int old = GetHotItem();
    if (index == old) return false;
    if (old != -1) SetItemState(old, GLIS_HOT, 0, redraw);
    if (index != -1) SetItemState(index, 0, GLIS_HOT, redraw);
    return true;
}

// --- geometry ---

void CGridListView::GetItemsRect(RECT& rect) const {
    rect = ClientRect();
    rect.left += margins_.left;
    rect.top += margins_.top;
    rect.right -= margins_.right;
    rect.bottom -= margins_.bottom;
}

bool CGridListView::GetTrueClientSize(SIZE& size, SIZE& barSizes) {
    bool room = fw::CUnitScrollView::GetTrueClientSize(size, barSizes);
    size.cx -= margins_.left + margins_.right;
    size.cy -= margins_.top + margins_.bottom;
    return room;
}

// Items are drawn at their positions on every paint, so a scroll is a repaint.
void CGridListView::DoScrollWindow(int, int dy, const RECT*, const RECT*) {
    if (dy != 0) ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

RECT CGridListView::GridCell(int index, const RECT& r) const {
    int n = std::max(columns_, 1), c = index % n, row = index / n;
    RECT cell;
    cell.left = r.left + c * cellSize_.cx + (c + 1) * cellSpacing_.cx;
    cell.top = r.top + row * cellSize_.cy + (row + 1) * cellSpacing_.cy - ScrollPosition();
    cell.right = cell.left + cellSize_.cx;
    cell.bottom = cell.top + cellSize_.cy;
    return cell;
}

int CGridListView::FirstVisibleIndex() const {
    if (!IsGridStyle()) return ScrollPosition();
    return ScrollPosition() / std::max<int>(cellSize_.cy + cellSpacing_.cy, 1) * std::max(columns_, 1);
}

bool CGridListView::GetItemRect(int index, RECT& rect) const {
    if (!InRange(index)) return false;
    RECT r;
    GetItemsRect(r);
    if (IsGridStyle()) {
        rect = GridCell(index, r);
    } else {
        int top = r.top + index * rowHeight_ - ScrollPosition() * rowHeight_;
        rect = {r.left, top, r.right, top + rowHeight_};
    }
    return true;
}

int CGridListView::HitTest(int x, int y) const {
    RECT r;
    GetItemsRect(r);
    POINT pt{x, y};
    for (int i = std::max(FirstVisibleIndex(), 0); i < GetItemCount(); ++i) {
        RECT item;
        GetItemRect(i, item);
        if (item.top >= r.bottom) break;
        if (IsGridStyle() && !Intersect(item, r)) continue;
        if (::PtInRect(&item, pt)) return i;
    }
    return -1;
}

bool CGridListView::EnsureVisible(int index) {
    if (!InRange(index)) return false;
    RECT r, item;
    GetItemsRect(r);
    int pos = ScrollPosition();
    if (IsGridStyle()) {
        GetItemRect(index, item);
        if (item.top >= r.top && item.bottom <= r.bottom) return true;
        int target = item.top >= r.top ? pos + item.bottom + r.top - r.bottom : pos + item.top;
        ScrollTo(-1, target);
        return true;
    }
    if (index < pos) {
        ScrollTo(-1, index);
        return true;
    }
    int lastVisible = (r.bottom - r.top) / std::max(rowHeight_, 1) + pos - 1;
    if (index > lastVisible) ScrollTo(-1, pos + index - lastVisible);
    return true;
}

void CGridListView::InvalidateItem(int index, bool erase) {
    RECT rc;
    if (Hwnd() && GetItemRect(index, rc)) ::InvalidateRect(Hwnd(), &rc, erase);
}

void CGridListView::RecalcLayout() {
    if (!Hwnd()) return;
    RECT r;
    GetItemsRect(r);
    int count = GetItemCount();
    SIZE line{1, 1};
    int total;
    if (IsGridStyle()) {
        columns_ =
            fixedColumns_ ? fixedColumns_ : (r.right - r.left) / std::max<int>(cellSize_.cx + cellSpacing_.cx, 1);
        columns_ = std::max(columns_, 1);
        int rows = (count + columns_ - 1) / columns_;
        total = cellSpacing_.cy * (rows + 1) + rows * cellSize_.cy;
        line = {px_(50), px_(50)};
    } else {
        total = count;
    }
    SetScrollSizes(MM_TEXT, {0, total}, sizeDefault, line);
    Invalidate(true);
}

// --- drawing ---

void CGridListView::DrawBackground(HDC dc, const RECT& rect) { Fill(dc, rect, backColor_); }

void CGridListView::DrawGrid(HDC dc, const RECT& r) {
    const int count = GetItemCount();
    int bottom = r.top;
    for (int i = FirstVisibleIndex(); i < count; ++i) {
        RECT cell = GridCell(i, r);
        if (cell.top >= r.bottom) break;
        bottom = cell.bottom;
        if (!Intersect(cell, r)) continue;
        if (!doubleBuffered_) {
            Fill(dc, {cell.left - cellSpacing_.cx, cell.top - cellSpacing_.cy, cell.left, cell.bottom}, backColor_);
            if (cell.top > r.top) Fill(dc, {cell.left, cell.top - cellSpacing_.cy, cell.right, cell.top}, backColor_);
        }
        DrawGridItem(dc, i, cell);
        bool rowEnds = (i % std::max(columns_, 1)) == columns_ - 1 || i == count - 1;
        if (!doubleBuffered_ && rowEnds && cell.right < r.right)
            Fill(dc, {cell.right, cell.top - cellSpacing_.cy, r.right, cell.bottom}, backColor_);
    }
    if (!doubleBuffered_ && bottom < r.bottom) Fill(dc, {r.left, bottom, r.right, r.bottom}, backColor_);
}

void CGridListView::DrawList(HDC dc, const RECT& r) {
    int bottom = r.top;
    for (int k = 0, i = FirstVisibleIndex(); i < GetItemCount(); ++k, ++i) {
        int top = r.top + k * rowHeight_;
        if (top >= r.bottom) break;
        RECT row{r.left, top, r.right, top + rowHeight_};
        DrawListItem(dc, i, row);
        bottom = row.bottom;
    }
    if (!doubleBuffered_ && bottom < r.bottom) Fill(dc, {r.left, bottom, r.right, r.bottom}, backColor_);
}

void CGridListView::OnDraw(HDC dc) {
    RECT r;
    GetItemsRect(r);
    if (r.right <= r.left || r.bottom <= r.top) return;
    bool toPrinter = ::GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER;
    if (!doubleBuffered_ || toPrinter) {
        if (items_.empty())
            DrawBackground(dc, r);
        else if (IsGridStyle())
            DrawGrid(dc, r);
        else
            DrawList(dc, r);
        return;
    }
    // Off screen, with the surface's origin at the items area's top-left.
    HDC memory = ::CreateCompatibleDC(dc);
    fw::UniqueBitmap surface(::CreateCompatibleBitmap(dc, r.right - r.left, r.bottom - r.top));
    HGDIOBJ old = ::SelectObject(memory, surface.Get());
    ::SetViewportOrgEx(memory, -r.left, -r.top, nullptr);
    DrawBackground(memory, r);
    if (!items_.empty()) IsGridStyle() ? DrawGrid(memory, r) : DrawList(memory, r);
    ::SetViewportOrgEx(memory, 0, 0, nullptr);
    ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

// No device-context preparation: every rectangle is already in client coordinates.
LRESULT CGridListView::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Hwnd(), &ps);
    OnDraw(dc);
    ::EndPaint(Hwnd(), &ps);
    return 0;
}

LRESULT CGridListView::OnSize(WPARAM wParam, LPARAM lParam) {
    LRESULT result = fw::CUnitScrollView::WindowProc(WM_SIZE, wParam, lParam);
    if (wParam != SIZE_MINIMIZED && LOWORD(lParam) > 0 && HIWORD(lParam) > 0) PostMessage(WM_GRID_LAYOUT);
    return result;
}

LRESULT CGridListView::OnLayout(WPARAM, LPARAM) {
    RecalcLayout();
    return 0;
}

// --- mouse and keyboard ---

LRESULT CGridListView::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    POINT pt = MousePoint(lParam);
    int h = HitTest(pt.x, pt.y);
    if (h == -1) {
        SetAllSelection(false, true);
        SetFocusItem(-1, true);
        bandArmed_ = true;
    } else {
        if (wParam & MK_SHIFT) {
            int anchor = std::max(GetFocusItem(), 0);
            SelectRange(std::min(h, anchor), std::max(h, anchor), true, true);
        } else if (wParam & MK_CONTROL) {
            SelectItem(h, !(GetItemState(h) & GLIS_SELECTED), false, true);
        } else {
            SelectItem(h, true, true, true);
        }
        SetFocusItem(h, true);
    }
    return Default(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CGridListView::OnButtonUp(WPARAM wParam, LPARAM lParam) {
    bandArmed_ = false;
    return Default(WM_LBUTTONUP, wParam, lParam);
}

LRESULT CGridListView::OnRButtonUp(WPARAM wParam, LPARAM lParam) {
    bandArmed_ = false;
    return Default(WM_RBUTTONUP, wParam, lParam);
}

LRESULT CGridListView::OnRButtonDown(WPARAM wParam, LPARAM lParam) {
    if (!(wParam & MK_CONTROL)) {
        POINT pt = MousePoint(lParam);
        int h = HitTest(pt.x, pt.y);
        if (h != -1) {
            SelectItem(h, true, true, true);
            SetFocusItem(h, true);
        } else {
            SetAllSelection(false, true);
            SetFocusItem(-1, true);
        }
    }
    return Default(WM_RBUTTONDOWN, wParam, lParam);
}

LRESULT CGridListView::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    POINT pt = MousePoint(lParam);
    int h = HitTest(pt.x, pt.y), hot = GetHotItem();
    if (h == -1) {
        if (hot != -1) SetHotItem(-1, true);
        if (bandArmed_ && (wParam & MK_LBUTTON)) {
            bandArmed_ = false;
            TrackBand(pt);
        }
    } else if (h != hot) {
        SetHotItem(h, true);
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Hwnd(), 0};
        ::TrackMouseEvent(&tme);
    }
    return Default(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT CGridListView::OnMouseLeave(WPARAM, LPARAM) {
    if (GetHotItem() != -1) SetHotItem(-1, true);
    return 0;
}

void CGridListView::SelectInBand(const RECT& band) {
    RECT items;
    GetItemsRect(items);
    const int minHeight = IsGridStyle() ? px_(11) : px_(3);
    for (int i = IsGridStyle() ? 0 : FirstVisibleIndex(); i < GetItemCount(); ++i) {
        RECT rc, overlap;
        GetItemRect(i, rc);
        bool hit = Intersect(rc, band, &overlap) && overlap.right - overlap.left > px_(15) &&
                   overlap.bottom - overlap.top > minHeight;
        SelectItem(i, hit, false, true);
    }
}

// The band is an inverted frame that follows the mouse until the button goes up.
void CGridListView::TrackBand(POINT start) {
    auto drawBand = [&](const RECT& rc) {
        HDC dc = ::GetDC(Hwnd());
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
        int w = rc.right - rc.left, h = rc.bottom - rc.top;
        ::PatBlt(dc, rc.left, rc.top, w, 1, PATINVERT);
        ::PatBlt(dc, rc.left, rc.bottom - 1, w, 1, PATINVERT);
        ::PatBlt(dc, rc.left, rc.top + 1, 1, std::max(h - 2, 0), PATINVERT);
        ::PatBlt(dc, rc.right - 1, rc.top + 1, 1, std::max(h - 2, 0), PATINVERT);
        ::SelectObject(dc, oldBrush);
        ::ReleaseDC(Hwnd(), dc);
    };
    ::SetCapture(Hwnd());
    RECT band{start.x, start.y, start.x, start.y};
    bool shown = false;
    MSG msg;
    while (::GetCapture() == Hwnd() && ::GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONDOWN) break;
        if (msg.message != WM_MOUSEMOVE || msg.hwnd != Hwnd()) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            continue;
        }
        POINT pt = MousePoint(msg.lParam);
        RECT next{std::min(start.x, pt.x), std::min(start.y, pt.y), std::max(start.x, pt.x), std::max(start.y, pt.y)};
        if (::EqualRect(&next, &band)) continue;
        if (shown) drawBand(band);
        band = next;
        SelectInBand(band);
        ::UpdateWindow(Hwnd());
        drawBand(band);
        shown = true;
    }
    if (shown) drawBand(band);
    if (::GetCapture() == Hwnd()) ::ReleaseCapture();
}

int CGridListView::KeyTarget(UINT key) const {
    const int f = GetFocusItem(), last = GetItemCount() - 1, n = std::max(columns_, 1);
    if (IsGridStyle()) {
        int rows = (GetItemCount() + n - 1) / n;
        switch (key) {
        case VK_LEFT:
            return f < 1 ? -1 : f - 1;
        case VK_UP:
            return f < n ? -1 : f - n;
        case VK_RIGHT:
            return f >= last ? -1 : f + 1;
        case VK_DOWN:
            return f >= n * (rows - 1) ? -1 : std::min(f + n, last);
        }
        return -1;
    }
    if (key == VK_UP) return f < 1 ? -1 : f - 1;
    if (key == VK_DOWN) return f >= last ? -1 : f + 1;
    return -1;
}

LRESULT CGridListView::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    UINT key = static_cast<UINT>(wParam);
    bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    int target = arrow && !items_.empty() ? KeyTarget(key) : -1;
    if (target != -1) {
        target = std::clamp(target, 0, GetItemCount() - 1);
        bool shift = ::GetKeyState(VK_SHIFT) < 0, ctrl = ::GetKeyState(VK_CONTROL) < 0;
        if (shift)
            SelectItem(target, true, false, true);
        else if (!ctrl)
            SelectItem(target, true, true, true);
        SetFocusItem(target, true);
        EnsureVisible(target);
    }
    return Default(WM_KEYDOWN, wParam, lParam);
}

} // namespace zevrin
