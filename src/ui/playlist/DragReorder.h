#pragma once
// Dragging one item of the playlist to a new place. The state of a drag lives here: the picture
// that follows the mouse, the item being dragged, the insertion mark on show and the cursor
// that says what a release would do. Where a release lands is decided over the items' cells
// alone (DropPlaceAt, InsertionMarkRect), so that the rules can be checked without a window;
// the view draws the picture and the mark and carries out the drop.
#include "framework/Handles.h"

#include <windows.h>

#include <vector>

namespace zevrin {

// A place to drop: before or after item `index`, or nowhere (index -1).
struct DropPlace {
    int index = -1;
    bool after = false;
    bool operator==(const DropPlace&) const = default;
};

// How the cells are laid out, as far as dropping between them goes.
struct DropLayout {
    bool grid = true; // thumbnail cells rather than list rows
    int columns = 1;
    SIZE cellSize{};
    SIZE cellSpacing{};
    int rowHeight = 0;
    int dpi = 96; // the mark's thickness follows it
};

// The place a release at `pt` drops item `source` on, given every item's cell in order. A place
// that would leave the order as it is (on the source or beside it) is no place.
DropPlace DropPlaceAt(const std::vector<RECT>& cells, const DropLayout& layout, POINT pt, int source);

// The bar that marks `place` between the cells; `cell` is the cell of place.index.
RECT InsertionMarkRect(const RECT& cell, const DropLayout& layout, DropPlace place);

class CDragReorder {
public:
    // `shownCursor` is the cursor on show when no drag has set one.
    explicit CDragReorder(HCURSOR shownCursor) : shownCursor_(shownCursor) {}

    bool IsDragging() const { return image_ || source_ != -1; }
    bool HasImage() const { return static_cast<bool>(image_); }
    int Source() const { return source_; }
    DropPlace Mark() const { return mark_; }
    void SetMark(DropPlace place) { mark_ = place; }

    // Takes item `source` with its picture (masked by white); the drag shows once Show runs.
    void Take(int source, HBITMAP picture, SIZE size);
    // Shows the picture with its hot spot under the mouse at `screenPt` and captures the mouse.
    void Show(HWND owner, POINT hotSpot, POINT screenPt);
    void MoveImage(POINT screenPt) { ::ImageList_DragMove(screenPt.x, screenPt.y); }
    // Hides the picture while something is drawn below it, and shows it again.
    void ShowImage(bool show) { ::ImageList_DragShowNolock(show); }
    // The mouse is released: the capture and the picture go; the source stays until Release.
    void EndImage(HWND owner);
    // Forgets the dragged item; returns it.
    int Release();
    // Shows `cursor` unless it is on show already.
    void SetCursor(HCURSOR cursor);

private:
    fw::UniqueImageList image_;
    int source_ = -1;
    DropPlace mark_;
    HCURSOR shownCursor_;
};

} // namespace zevrin
