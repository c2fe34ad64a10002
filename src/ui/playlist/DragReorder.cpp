#include "ui/playlist/DragReorder.h"

#include "framework/Dpi.h"

namespace zevrin {

DropPlace DropPlaceAt(const std::vector<RECT>& cells, const DropLayout& layout, POINT pt, int source) {
    const int count = static_cast<int>(cells.size());
    const int columns = layout.columns;
    DropPlace found;
    const bool vertical = !layout.grid || columns == 1;
    const int halfGap = vertical ? (layout.grid ? layout.cellSpacing.cy / 2 : 0) : layout.cellSpacing.cx / 2;
    const int half = vertical ? (layout.grid ? layout.cellSize.cy / 2 : layout.rowHeight / 2) : layout.cellSize.cx / 2;
    for (int i = 0; i < count && found.index == -1; ++i) {
        const RECT& rc = cells[i];
        if (vertical) {
            if (pt.x < rc.left || pt.x >= rc.right) continue;
            bool first = i == 0, last = i == count - 1;
            if ((first || pt.y >= rc.top - halfGap) && pt.y < rc.top + half)
                found = {i, false};
            else if (pt.y >= rc.bottom - half && (last || pt.y < rc.bottom + halfGap))
                found = {i, true};
        } else {
            if (pt.y < rc.top || pt.y >= rc.bottom) continue;
            bool rowStart = i % columns == 0, rowEnd = i % columns == columns - 1 || i == count - 1;
            if ((rowStart ? pt.x <= rc.left + half : pt.x >= rc.left - halfGap && pt.x <= rc.left + half) &&
                (rowStart || pt.x >= rc.left - halfGap))
                found = {i, false};
            else if (pt.x >= rc.right - half && (rowEnd || pt.x < rc.right + halfGap))
                found = {i, true};
        }
    }
    // Places that would leave the order as it is are no targets.
    if (found.index == source || (found.index == source - 1 && found.after) ||
        (found.index == source + 1 && !found.after))
        return {};
    return found;
}

RECT InsertionMarkRect(const RECT& rc, const DropLayout& layout, DropPlace place) {
    if (place.index == -1) return {};
    const int one = fw::ScaleTo(1, layout.dpi), two = fw::ScaleTo(2, layout.dpi);
    if (!layout.grid) {
        int y = place.after ? rc.bottom : rc.top;
        return {rc.left, y - one, rc.right, y + one};
    }
    if (layout.columns == 1) {
        int y = place.after ? rc.bottom + layout.cellSpacing.cy / 2 - one : rc.top - layout.cellSpacing.cy / 2 - one;
        return {rc.left, y, rc.right, y + two};
    }
    int x = place.after ? rc.right + layout.cellSpacing.cx / 2 - one : rc.left - layout.cellSpacing.cx / 2 - one;
    return {x, rc.top, x + two, rc.bottom};
}

void CDragReorder::Take(int source, HBITMAP picture, SIZE size) {
    image_.Reset(::ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 1, 0));
    if (image_) ::ImageList_AddMasked(image_.Get(), picture, RGB(255, 255, 255));
    source_ = source;
}

void CDragReorder::Show(HWND owner, POINT hotSpot, POINT screenPt) {
    if (image_) {
        ::ImageList_BeginDrag(image_.Get(), 0, hotSpot.x, hotSpot.y);
        ::ImageList_DragEnter(nullptr, screenPt.x, screenPt.y);
    }
    ::SetCapture(owner);
}

void CDragReorder::EndImage(HWND owner) {
    if (::GetCapture() == owner) ::ReleaseCapture();
    if (!image_) return;
    ::ImageList_DragLeave(nullptr);
    ::ImageList_EndDrag();
    image_.Reset();
}

int CDragReorder::Release() {
    int source = source_;
    source_ = -1;
    return source;
}

void CDragReorder::SetCursor(HCURSOR cursor) {
    if (cursor == shownCursor_) return;
    shownCursor_ = cursor;
    ::SetCursor(cursor);
}

} // namespace zevrin
