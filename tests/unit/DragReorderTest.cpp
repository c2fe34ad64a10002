// Where a dragged item lands, decided over the cells alone: rows of thumbnail cells, one column
// of cells and list rows, the places that would keep the order, and the mark between cells.
#include "ui/playlist/DragReorder.h"

#include <gtest/gtest.h>

using namespace zevrin;

namespace {

struct Rect {
    RECT rc;
    bool operator==(const Rect& o) const { return EqualRect(&rc, &o.rc) != 0; }
    friend std::ostream& operator<<(std::ostream& out, const Rect& r) {
        return out << "{" << r.rc.left << "," << r.rc.top << "," << r.rc.right << "," << r.rc.bottom << "}";
    }
};

// Cells of `size` with `gap` between them, `columns` to a row, from (gap, gap).
std::vector<RECT> Cells(int count, int columns, SIZE size, SIZE gap) {
    std::vector<RECT> cells;
    for (int i = 0; i < count; ++i) {
        LONG x = gap.cx + (i % columns) * (size.cx + gap.cx), y = gap.cy + (i / columns) * (size.cy + gap.cy);
        cells.push_back({x, y, x + size.cx, y + size.cy});
    }
    return cells;
}

constexpr SIZE kCell{100, 80};
constexpr SIZE kGap{8, 8};

TEST(DragReorder, InARowOfCellsTheHalfOfACellOrTheGapBesideItDecidesTheSide) {
    DropLayout grid{true, 3, kCell, kGap, 20};
    auto cells = Cells(6, 3, kCell, kGap);  // x: 8-108, 116-216, 224-324; y: 8-88, 96-176
    EXPECT_EQ(DropPlaceAt(cells, grid, {120, 40}, 5), (DropPlace{1, false})) << "left half of the second";
    EXPECT_EQ(DropPlaceAt(cells, grid, {210, 40}, 0), (DropPlace{1, true})) << "right half of the second";
    EXPECT_EQ(DropPlaceAt(cells, grid, {110, 40}, 5), (DropPlace{0, true})) << "the near half of the gap";
    EXPECT_EQ(DropPlaceAt(cells, grid, {112, 40}, 5), (DropPlace{1, false})) << "the far half of the gap";
    EXPECT_EQ(DropPlaceAt(cells, grid, {2, 100}, 0), (DropPlace{3, false})) << "left of a row's first cell";
    EXPECT_EQ(DropPlaceAt(cells, grid, {400, 100}, 0), (DropPlace{5, true})) << "right of a row's last cell";
    EXPECT_EQ(DropPlaceAt(cells, grid, {120, 92}, 0), DropPlace{}) << "between the rows";
}

TEST(DragReorder, PlacesThatKeepTheOrderAreNoPlaces) {
    DropLayout grid{true, 3, kCell, kGap, 20};
    auto cells = Cells(6, 3, kCell, kGap);
    EXPECT_EQ(DropPlaceAt(cells, grid, {120, 40}, 1), DropPlace{}) << "on itself";
    EXPECT_EQ(DropPlaceAt(cells, grid, {100, 40}, 1), DropPlace{}) << "after the one before";
    EXPECT_EQ(DropPlaceAt(cells, grid, {230, 40}, 1), DropPlace{}) << "before the one after";
    EXPECT_EQ(DropPlaceAt(cells, grid, {230, 40}, 0), (DropPlace{2, false}));
}

TEST(DragReorder, OneColumnAndListRowsDropAboveOrBelow) {
    DropLayout column{true, 1, kCell, kGap, 20};
    auto cells = Cells(3, 1, kCell, kGap);  // y: 8-88, 96-176, 184-264
    EXPECT_EQ(DropPlaceAt(cells, column, {50, 0}, 2), (DropPlace{0, false})) << "above the first";
    EXPECT_EQ(DropPlaceAt(cells, column, {50, 150}, 0), (DropPlace{1, true}));
    EXPECT_EQ(DropPlaceAt(cells, column, {50, 300}, 0), (DropPlace{2, true})) << "below the last";
    EXPECT_EQ(DropPlaceAt(cells, column, {200, 150}, 0), DropPlace{}) << "beside the column";

    DropLayout list{false, 1, kCell, kGap, 20};
    std::vector<RECT> rows{{0, 0, 300, 20}, {0, 20, 300, 40}, {0, 40, 300, 60}};
    EXPECT_EQ(DropPlaceAt(rows, list, {10, 45}, 0), (DropPlace{2, false}));
    EXPECT_EQ(DropPlaceAt(rows, list, {10, 55}, 0), (DropPlace{2, true}));
    EXPECT_EQ(DropPlaceAt(rows, list, {10, 25}, 2), (DropPlace{1, false}));
}

TEST(DragReorder, TheMarkSitsBetweenTheCellsOnTheDropSide) {
    RECT cell{116, 8, 216, 88};
    DropLayout grid{true, 3, kCell, kGap, 20};
    EXPECT_EQ(Rect{InsertionMarkRect(cell, grid, {1, false})}, (Rect{{111, 8, 113, 88}}));
    EXPECT_EQ(Rect{InsertionMarkRect(cell, grid, {1, true})}, (Rect{{219, 8, 221, 88}}));
    DropLayout column{true, 1, kCell, kGap, 20};
    EXPECT_EQ(Rect{InsertionMarkRect(cell, column, {1, true})}, (Rect{{116, 91, 216, 93}}));
    DropLayout list{false, 1, kCell, kGap, 20};
    EXPECT_EQ(Rect{InsertionMarkRect(cell, list, {1, false})}, (Rect{{116, 7, 216, 9}}));
    RECT none = InsertionMarkRect(cell, list, {});
    EXPECT_TRUE(IsRectEmpty(&none)) << "no place, no mark";
}

} // namespace
