#pragma once
// A scrolling view whose every step is an overridable operation: the total size, the page and
// line sizes, the bars, the wheel, the thumb, centring and scaling to fit. Subclasses change one
// step without copying the others.
#include "framework/View.h"

namespace fw {

class CVirtualScrollView : public CView {
public:
    // Passed for a page or line size to get the default (a tenth of the total, of the page).
    static constexpr SIZE sizeDefault{0, 0};
    static constexpr int kScaleToFit = -1;

    virtual void SetScrollSizes(int mapMode, SIZE total, SIZE page = sizeDefault, SIZE line = sizeDefault);
    virtual void ScrollToPosition(POINT logical, bool redraw = true);
    virtual bool DoMouseWheel(UINT keyFlags, short delta, POINT pt);
    virtual SIZE MapDeviceSize(SIZE size) { return size; }
    // The scroll range the bars get for a total device size.
    virtual SIZE MapTotalSize(SIZE total) { return total; }
    virtual void UpdateBars();
    // The client size the view would have without its bars; false when there is no room for bars.
    virtual bool GetTrueClientSize(SIZE& size, SIZE& barSizes);
    virtual void GetScrollBarState(SIZE client, bool& needH, bool& needV, SIZE& range, POINT& moveTo,
                                   bool insideClient);
    // How far the bars can scroll for a client size, before the bars themselves are counted.
    virtual SIZE ScrollRange(SIZE client) { return {totalDevice_.cx - client.cx, totalDevice_.cy - client.cy}; }
    virtual void DoScrollWindow(int dx, int dy, const RECT* scrollRect = nullptr, const RECT* clipRect = nullptr);
    virtual void ScrollToPos(int x, int y) { ScrollTo(x, y); }
    // Scrolls to (x, y) in bar positions; -1 keeps that coordinate.
    virtual bool ScrollTo(int x, int y);
    // `code`: low byte the horizontal request, high byte the vertical one, 0xFF for none.
    virtual bool OnScroll(UINT code, UINT position, bool doScroll);
    virtual bool OnScrollBy(SIZE delta, bool doScroll);
    virtual void CalcWindowRect(RECT& rect, bool outside);

    void SetScaleToFitSize(SIZE total);
    void ScrollToDevicePosition(int x, int y, bool redraw = true);
    POINT GetDeviceScrollPosition() const;
    void GetScrollBarSizes(SIZE& size) const;

    int MapMode() const { return mapMode_; }
    SIZE TotalLogical() const { return totalLogical_; }
    SIZE TotalDevice() const { return totalDevice_; }
    SIZE PageSize() const { return pageSize_; }
    SIZE LineSize() const { return lineSize_; }
    void SetCenterContent(bool on) { centerContent_ = on; }

protected:
    void OnPrepareDC(HDC dc) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The highest position the bar can reach: its range less a page.
    int ScrollLimit(int bar) const;
    // The bar is shown and may scroll.
    bool HasBar(int bar) const;

    int mapMode_ = 0;
    SIZE totalLogical_{};
    SIZE totalDevice_{};
    SIZE pageSize_{};
    SIZE lineSize_{};
    bool centerContent_ = false;
    bool insideUpdate_ = false;

    // Shows or hides each bar and gives it its page and its range of totalDevice.
    void ApplyBars(SIZE client, bool needH, bool needV, SIZE range, SIZE page);

private:
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnHScroll(WPARAM, LPARAM);
    LRESULT OnVScroll(WPARAM, LPARAM);
    LRESULT OnMouseWheel(WPARAM, LPARAM);
};

} // namespace fw
