#pragma once
// A generic owner-drawn item view: an ordered array of items, each an opaque data pointer and a
// state word, shown as a grid of equal cells that wrap into rows or as one column of rows. It
// owns layout, scrolling, hit testing, selection, focus, hot tracking and the drawing order;
// what an item looks like is up to the subclass.
#include "framework/Dpi.h"
#include "framework/UnitScrollView.h"

#include <memory>
#include <vector>

namespace zevrin {

// Bits of GridListItem::state.
inline constexpr UINT GLIS_FOCUSED = 1;
inline constexpr UINT GLIS_SELECTED = 2;
inline constexpr UINT GLIS_HOT = 4;

struct GridListItem {
    int id = 0;           // given at insertion, never reused
    void* data = nullptr; // the subclass's; never dereferenced or freed here
    UINT state = 0;
};

// Posted by the view to itself after a size change: the layout follows once the size settles.
constexpr UINT WM_GRID_LAYOUT = WM_USER + 800;

class CGridListView : public fw::CUnitScrollView {
public:
    enum Style { kGridStyle = 1, kListStyle = 2 };

    virtual bool SelectItem(int index, bool select, bool clearOthers, bool redraw);
    virtual bool SelectRange(int first, int last, bool select, bool redraw);
    virtual bool SetFocusItem(int index, bool redraw);
    virtual bool SetHotItem(int index, bool redraw);
    virtual bool SwapItems(int a, int b);
    virtual int InsertItem(int index, void* data, bool update);
    virtual bool DeleteItem(int index, bool update);
    virtual bool DeleteAllItems(bool update);
    virtual void GetItemsRect(RECT& rect) const;
    virtual void DrawBackground(HDC dc, const RECT& rect);
    virtual void DrawGrid(HDC dc, const RECT& items);
    virtual void DrawList(HDC dc, const RECT& items);
    virtual void DrawGridItem(HDC, int, const RECT&) {}
    virtual void DrawListItem(HDC, int, const RECT&) {}
    virtual std::unique_ptr<GridListItem> NewItem() { return std::make_unique<GridListItem>(); }
    virtual bool FreeItem(std::unique_ptr<GridListItem> item) {
        item.reset();
        return true;
    }

    bool GetTrueClientSize(SIZE& size, SIZE& barSizes) override;
    void DoScrollWindow(int dx, int dy, const RECT* scrollRect = nullptr, const RECT* clipRect = nullptr) override;
    void OnInitialUpdate() override { fw::CUnitScrollView::OnInitialUpdate(); }

    UINT GetItemState(int index) const;
    bool SetItemState(int index, UINT clearMask, UINT setMask, bool redraw);
    void SetAllSelection(bool select, bool redraw);
    int GetSelectedCount() const;
    int GetNextSelected(int start) const;
    int GetFocusItem() const { return FirstWithState(GLIS_FOCUSED); }
    int GetHotItem() const { return FirstWithState(GLIS_HOT); }
    void* GetItemData(int index) const { return InRange(index) ? items_[index]->data : nullptr; }
    int GetItemId(int index) const { return InRange(index) ? items_[index]->id : -1; }
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    int FindItemById(int id) const;
    bool GetItemRect(int index, RECT& rect) const;
    int HitTest(int x, int y) const;
    bool EnsureVisible(int index);
    void InvalidateItem(int index, bool erase);
    void RecalcLayout();

    bool IsGridStyle() const { return (viewStyle_ & 1) != 0; }
    int ViewStyle() const { return viewStyle_; }
    int Columns() const { return columns_; }
    SIZE CellSize() const { return cellSize_; }
    SIZE CellSpacing() const { return cellSpacing_; }
    int RowHeight() const { return rowHeight_; }
    COLORREF BackColor() const { return backColor_; }
    int ScrollPosition() const { return ::GetScrollPos(Hwnd(), SB_VERT); }

    // Appearance; the subclass sets these and then runs RecalcLayout.
    RECT margins_{};
    COLORREF backColor_ = ::GetSysColor(COLOR_WINDOW);
    int viewStyle_ = kGridStyle;
    bool doubleBuffered_ = true;
    fw::CDpi px_; // the window's DPI: scales every size written in the program's units
    SIZE cellSize_{200, 150};
    SIZE cellSpacing_{8, 8};
    int rowHeight_ = 20;
    int fixedColumns_ = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDraw(HDC dc) override;

    bool InRange(int index) const { return index >= 0 && index < GetItemCount(); }
    int FirstWithState(UINT bit) const;
    // The cell of item `index` in grid style, in client coordinates.
    RECT GridCell(int index, const RECT& items) const;
    // The first item of the first row that shows.
    int FirstVisibleIndex() const;
    // Selects what the band covers; called while the band is dragged.
    void SelectInBand(const RECT& band);

    std::vector<std::unique_ptr<GridListItem>> items_;
    int columns_ = 1;
    bool bandArmed_ = false;
    int nextItemId_ = 0;

    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnButtonUp(WPARAM, LPARAM);
    LRESULT OnRButtonUp(WPARAM, LPARAM);
    LRESULT OnRButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnLayout(WPARAM, LPARAM);

private:
    void TrackBand(POINT start);
    int KeyTarget(UINT key) const;
    // The current message's default processing, for handlers that add to it.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) { return DefaultProc(message, wParam, lParam); }
};

using fw::MousePoint; // the list views read their mouse points with the framework's helper

} // namespace zevrin
