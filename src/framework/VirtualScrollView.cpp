#include "framework/VirtualScrollView.h"

#include <algorithm>
#include <climits>

namespace fw {

namespace {

constexpr UINT WM_RECALCPARENT = 0x0368;
constexpr UINT kNoRequest = 0xFF;

SIZE ToDevice(HDC dc, SIZE size) {
    POINT pts[2] = {{0, 0}, {size.cx, size.cy}};
    LPtoDP(dc, pts, 2);
    return {pts[1].x - pts[0].x, pts[1].y - pts[0].y};
}

} // namespace

LRESULT CVirtualScrollView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const Message<CVirtualScrollView> messages[] = {
        {WM_SIZE, &CVirtualScrollView::OnSize},
        {WM_HSCROLL, &CVirtualScrollView::OnHScroll},
        {WM_VSCROLL, &CVirtualScrollView::OnVScroll},
        {WM_MOUSEWHEEL, &CVirtualScrollView::OnMouseWheel},
    };
    if (auto r = DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return CView::WindowProc(message, wParam, lParam);
}

void CVirtualScrollView::SetScrollSizes(int mapMode, SIZE total, SIZE page, SIZE line) {
    int oldMapMode = mapMode_;
    mapMode_ = mapMode;
    totalLogical_ = total;
    HDC screen = ::GetDC(nullptr);
    ::SetMapMode(screen, mapMode);
    totalDevice_ = ToDevice(screen, total);
    pageSize_ = ToDevice(screen, page);
    lineSize_ = ToDevice(screen, line);
    ::ReleaseDC(nullptr, screen);
    // Mapping modes with y going up give negative heights; sizes are magnitudes here.
    totalDevice_.cy = std::abs(totalDevice_.cy);
    pageSize_.cy = std::abs(pageSize_.cy);
    lineSize_.cy = std::abs(lineSize_.cy);
    if (pageSize_.cx == 0) pageSize_.cx = totalDevice_.cx / 10;
    if (pageSize_.cy == 0) pageSize_.cy = totalDevice_.cy / 10;
    if (lineSize_.cx == 0) lineSize_.cx = pageSize_.cx / 10;
    if (lineSize_.cy == 0) lineSize_.cy = pageSize_.cy / 10;
    if (Hwnd()) {
        UpdateBars();
        if (oldMapMode != mapMode_) Invalidate(true);
    }
}

void CVirtualScrollView::SetScaleToFitSize(SIZE total) {
    mapMode_ = kScaleToFit;
    totalLogical_ = total;
    LONG style = ::GetWindowLongW(Hwnd(), GWL_STYLE);
    if (style & (WS_HSCROLL | WS_VSCROLL)) {
        ::SetScrollPos(Hwnd(), SB_HORZ, 0, FALSE);
        ::SetScrollPos(Hwnd(), SB_VERT, 0, FALSE);
        ::EnableScrollBar(Hwnd(), SB_BOTH, ESB_DISABLE_BOTH);
    }
    RECT rc = ClientRect();
    totalDevice_ = {rc.right, rc.bottom};
    if (Hwnd()) {
        UpdateBars();
        Invalidate(true);
    }
}

void CVirtualScrollView::ScrollToPosition(POINT logical, bool redraw) {
    POINT pt = logical;
    if (mapMode_ != MM_TEXT && mapMode_ > 0) {
        HDC dc = ::GetDC(Hwnd());
        ::SetMapMode(dc, mapMode_);
        ::LPtoDP(dc, &pt, 1);
        ::ReleaseDC(Hwnd(), dc);
        pt.y = std::abs(pt.y);
    }
    pt.x = std::clamp<int>(pt.x, 0, std::max(0, ScrollLimit(SB_HORZ)));
    pt.y = std::clamp<int>(pt.y, 0, std::max(0, ScrollLimit(SB_VERT)));
    ScrollToDevicePosition(pt.x, pt.y, redraw);
}

void CVirtualScrollView::ScrollToDevicePosition(int x, int y, bool redraw) {
    int oldX = ::GetScrollPos(Hwnd(), SB_HORZ), oldY = ::GetScrollPos(Hwnd(), SB_VERT);
    ::SetScrollPos(Hwnd(), SB_HORZ, x, redraw);
    ::SetScrollPos(Hwnd(), SB_VERT, y, redraw);
    DoScrollWindow(oldX - x, oldY - y);
}

POINT CVirtualScrollView::GetDeviceScrollPosition() const {
    POINT pt{::GetScrollPos(Hwnd(), SB_HORZ), ::GetScrollPos(Hwnd(), SB_VERT)};
    if (centerContent_) {
        RECT rc = ClientRect();
        if (totalDevice_.cx < rc.right) pt.x = -(rc.right - totalDevice_.cx) / 2;
        if (totalDevice_.cy < rc.bottom) pt.y = -(rc.bottom - totalDevice_.cy) / 2;
    }
    return pt;
}

void CVirtualScrollView::GetScrollBarSizes(SIZE& size) const {
    // The view's bars are its own (no separate scroll-bar controls).
    size = {::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL)};
    if (::GetWindowLongW(Hwnd(), GWL_STYLE) & WS_BORDER) {
        size.cx -= ::GetSystemMetrics(SM_CXBORDER);
        size.cy -= ::GetSystemMetrics(SM_CYBORDER);
    }
}

int CVirtualScrollView::ScrollLimit(int bar) const {
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE};
    if (!::GetScrollInfo(Hwnd(), bar, &si)) return 0;
    return std::max(si.nMax - std::max(static_cast<int>(si.nPage) - 1, 0), 0);
}

bool CVirtualScrollView::HasBar(int bar) const {
    LONG style = ::GetWindowLongW(Hwnd(), GWL_STYLE);
    return (style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

bool CVirtualScrollView::GetTrueClientSize(SIZE& size, SIZE& barSizes) {
    RECT rc = ClientRect();
    size = {rc.right, rc.bottom};
    GetScrollBarSizes(barSizes);
    if (HasBar(SB_VERT)) size.cx += barSizes.cx;
    if (HasBar(SB_HORZ)) size.cy += barSizes.cy;
    return size.cx > barSizes.cx && size.cy > barSizes.cy;
}

void CVirtualScrollView::GetScrollBarState(SIZE client, bool& needH, bool& needV, SIZE& range, POINT& moveTo,
                                           bool insideClient) {
    SIZE bars;
    GetScrollBarSizes(bars);
    range = ScrollRange(client);
    moveTo = GetDeviceScrollPosition();
    needH = range.cx > 0;
    if (!needH)
        moveTo.x = 0;
    else if (insideClient)
        range.cy += bars.cy;
    needV = range.cy > 0;
    if (!needV)
        moveTo.y = 0;
    else if (insideClient)
        range.cx += bars.cx;
    if (needV && !needH && range.cx > 0) {
        needH = true;
        range.cy += bars.cy;
    }
    if (range.cx > 0 && moveTo.x >= range.cx) moveTo.x = range.cx;
    if (range.cy > 0 && moveTo.y >= range.cy) moveTo.y = range.cy;
}

// Showing or hiding a bar resizes the view, which comes back here through WM_SIZE; the flag
// keeps that from recursing.
void CVirtualScrollView::UpdateBars() {
    if (insideUpdate_) return;
    insideUpdate_ = true;
    SIZE client, bars;
    bool inside = true;
    RECT parentRect{};
    if (::SendMessageW(Parent(), WM_RECALCPARENT, 0, reinterpret_cast<LPARAM>(&parentRect)) != 0) {
        client = {parentRect.right - parentRect.left, parentRect.bottom - parentRect.top};
        GetScrollBarSizes(bars);
        inside = false;
    } else if (!GetTrueClientSize(client, bars)) {
        RECT rc = ClientRect();
        if (rc.right > 0 && rc.bottom > 0) ::EnableScrollBar(Hwnd(), SB_BOTH, ESB_DISABLE_BOTH);
        insideUpdate_ = false;
        return;
    }
    bool needH = false, needV = false;
    SIZE range;
    POINT moveTo;
    GetScrollBarState(client, needH, needV, range, moveTo, inside);
    if (needH) client.cy -= bars.cy;
    if (needV) client.cx -= bars.cx;
    ScrollToDevicePosition(moveTo.x, moveTo.y, false);
    ApplyBars(client, needH, needV, range, client);
    insideUpdate_ = false;
}

void CVirtualScrollView::ApplyBars(SIZE client, bool needH, bool needV, SIZE range, SIZE page) {
    (void)client;
    SIZE total = MapTotalSize(totalDevice_);
    const struct {
        int bar;
        bool need;
        int page, max, fallback;
    } axes[] = {
        {SB_HORZ, needH, page.cx, total.cx - 1, range.cx},
        {SB_VERT, needV, page.cy, total.cy - 1, range.cy},
    };
    for (const auto& a : axes) {
        ::ShowScrollBar(Hwnd(), a.bar, a.need);
        if (!a.need) continue;
        ::EnableScrollBar(Hwnd(), a.bar, ESB_ENABLE_BOTH);
        // SetScrollInfo answers the bar's position, not success: a bar without page support
        // is recognised by reading the page back.
        SCROLLINFO si{sizeof(si), SIF_PAGE | SIF_RANGE, 0, a.max, static_cast<UINT>(std::max(a.page, 0))};
        ::SetScrollInfo(Hwnd(), a.bar, &si, TRUE);
        SCROLLINFO check{sizeof(check), SIF_RANGE};
        if ((!::GetScrollInfo(Hwnd(), a.bar, &check) || check.nMax != a.max) && a.fallback >= 0)
            ::SetScrollRange(Hwnd(), a.bar, 0, a.fallback, TRUE);
    }
}

void CVirtualScrollView::DoScrollWindow(int dx, int dy, const RECT* scrollRect, const RECT* clipRect) {
    ::ScrollWindow(Hwnd(), dx, dy, scrollRect, clipRect);
}

bool CVirtualScrollView::ScrollTo(int x, int y) {
    if (x == -1) x = ::GetScrollPos(Hwnd(), SB_HORZ);
    if (y == -1) y = ::GetScrollPos(Hwnd(), SB_VERT);
    return OnScrollBy({x - ::GetScrollPos(Hwnd(), SB_HORZ), y - ::GetScrollPos(Hwnd(), SB_VERT)}, true);
}

bool CVirtualScrollView::OnScroll(UINT code, UINT position, bool doScroll) {
    auto step = [&](UINT request, int bar, int line, int page) {
        int pos = ::GetScrollPos(Hwnd(), bar);
        switch (request) {
        case SB_LINEUP:
            return pos - line;
        case SB_LINEDOWN:
            return pos + line;
        case SB_PAGEUP:
            return pos - page;
        case SB_PAGEDOWN:
            return pos + page;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            return static_cast<int>(position);
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return INT_MAX;
        default:
            return pos;
        }
    };
    int x = ::GetScrollPos(Hwnd(), SB_HORZ), y = ::GetScrollPos(Hwnd(), SB_VERT);
    int newX = step(LOBYTE(code), SB_HORZ, lineSize_.cx, pageSize_.cx);
    int newY = step(HIBYTE(code), SB_VERT, lineSize_.cy, pageSize_.cy);
    // INT_MAX - pos would overflow for "bottom" when the position is negative; keep it in range.
    SIZE delta{static_cast<LONG>(std::clamp<long long>(static_cast<long long>(newX) - x, INT_MIN, INT_MAX)),
               static_cast<LONG>(std::clamp<long long>(static_cast<long long>(newY) - y, INT_MIN, INT_MAX))};
    bool scrolled = OnScrollBy(delta, doScroll);
    if (scrolled && doScroll) ::UpdateWindow(Hwnd());
    return scrolled;
}

bool CVirtualScrollView::OnScrollBy(SIZE delta, bool doScroll) {
    if (!HasBar(SB_HORZ)) delta.cx = 0;
    if (!HasBar(SB_VERT)) delta.cy = 0;
    int oldX = ::GetScrollPos(Hwnd(), SB_HORZ), oldY = ::GetScrollPos(Hwnd(), SB_VERT);
    auto moved = [](int old, long d, int limit) {
        return static_cast<int>(std::clamp<long long>(static_cast<long long>(old) + d, 0, std::max(limit, 0)));
    };
    int x = moved(oldX, delta.cx, ScrollLimit(SB_HORZ));
    int y = moved(oldY, delta.cy, ScrollLimit(SB_VERT));
    if (x == oldX && y == oldY) return false;
    if (doScroll) {
        DoScrollWindow(-(x - oldX), -(y - oldY));
        if (x != oldX) ::SetScrollPos(Hwnd(), SB_HORZ, x, TRUE);
        if (y != oldY) ::SetScrollPos(Hwnd(), SB_VERT, y, TRUE);
    }
    return true;
}

bool CVirtualScrollView::DoMouseWheel(UINT, short delta, POINT) {
    bool vertical = HasBar(SB_VERT), horizontal = HasBar(SB_HORZ);
    if (!vertical && !horizontal) return false;
    UINT lines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int n = ::MulDiv(-delta, static_cast<int>(lines), WHEEL_DELTA);
    bool byPage = n == -1 || lines == WHEEL_PAGESCROLL;
    auto displacement = [&](int line, int page) {
        if (byPage) return delta > 0 ? -page : page;
        return std::min(n * line, page);
    };
    bool scrolled = vertical ? OnScrollBy({0, displacement(lineSize_.cy, pageSize_.cy)}, true)
                             : OnScrollBy({displacement(lineSize_.cx, pageSize_.cx), 0}, true);
    if (scrolled) ::UpdateWindow(Hwnd());
    return scrolled;
}

void CVirtualScrollView::OnPrepareDC(HDC dc) {
    if (mapMode_ == kScaleToFit) {
        ::SetMapMode(dc, MM_ANISOTROPIC);
        ::SetWindowExtEx(dc, totalLogical_.cx, totalLogical_.cy, nullptr);
        ::SetViewportExtEx(dc, totalDevice_.cx, totalDevice_.cy, nullptr);
    } else if (mapMode_ > 0) {
        ::SetMapMode(dc, mapMode_);
    }
    POINT origin{-::GetScrollPos(Hwnd(), SB_HORZ), -::GetScrollPos(Hwnd(), SB_VERT)};
    if (centerContent_) {
        RECT rc = ClientRect();
        if (totalDevice_.cx < rc.right) origin.x = (rc.right - totalDevice_.cx) / 2;
        if (totalDevice_.cy < rc.bottom) origin.y = (rc.bottom - totalDevice_.cy) / 2;
    }
    if (::GetDeviceCaps(dc, TECHNOLOGY) != DT_RASPRINTER) ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    CView::OnPrepareDC(dc);
}

void CVirtualScrollView::CalcWindowRect(RECT& rect, bool outside) {
    LONG style = ::GetWindowLongW(Hwnd(), GWL_STYLE);
    LONG exStyle = ::GetWindowLongW(Hwnd(), GWL_EXSTYLE);
    if (!outside) exStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(&rect, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle));
    if (outside && mapMode_ != kScaleToFit) {
        if (totalDevice_.cy > rect.bottom - rect.top) rect.right += ::GetSystemMetrics(SM_CXVSCROLL);
        if (totalDevice_.cx > rect.right - rect.left) rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    }
}

LRESULT CVirtualScrollView::OnSize(WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefaultProc(WM_SIZE, wParam, lParam);
    if (wParam == SIZE_MINIMIZED || LOWORD(lParam) == 0 || HIWORD(lParam) == 0) return result;
    if (mapMode_ == kScaleToFit)
        SetScaleToFitSize(totalLogical_);
    else
        UpdateBars();
    return result;
}

// Only the view's own bars scroll it: a scroll-bar control that sends these is someone else's.
LRESULT CVirtualScrollView::OnHScroll(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) return DefaultProc(WM_HSCROLL, wParam, lParam);
    OnScroll(LOWORD(wParam) | (kNoRequest << 8), HIWORD(wParam), true);
    return 0;
}

LRESULT CVirtualScrollView::OnVScroll(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) return DefaultProc(WM_VSCROLL, wParam, lParam);
    OnScroll(kNoRequest | (LOWORD(wParam) << 8), HIWORD(wParam), true);
    return 0;
}

LRESULT CVirtualScrollView::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    UINT keys = GET_KEYSTATE_WPARAM(wParam);
    if (keys & (MK_SHIFT | MK_CONTROL)) return 0;
    POINT pt = MousePoint(lParam);
    return DoMouseWheel(keys, GET_WHEEL_DELTA_WPARAM(wParam), pt) ? 1 : 0;
}

} // namespace fw
