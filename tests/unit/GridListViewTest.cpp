// The scroll views and the grid list view through real windows: layout, hit testing,
// selection by mouse and keyboard, scrolling and painting.
#include "ui/playlist/GridListView.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zevrin;

namespace {

class TestGrid : public CGridListView {
public:
    using CGridListView::SelectInBand;
    void Paint(HDC dc) { OnDraw(dc); }

    // Where the list stands after each tracked thumb step, and whether the bar's drag ended.
    std::vector<int> tracked;
    bool ended = false;
    bool OnScroll(UINT code, UINT position, bool doScroll) override {
        bool scrolled = CGridListView::OnScroll(code, position, doScroll);
        if (HIBYTE(code) == SB_THUMBTRACK) tracked.push_back(ScrollPosition());
        if (HIBYTE(code) == SB_ENDSCROLL) ended = true;
        return scrolled;
    }
};

class GridListViewTest : public testing::Test {
protected:
    void SetUp() override {
        const wchar_t* cls = fw::CWnd::RegisterClass(L"ZevrinGridTestHost");
        host_ = CreateWindowExW(0, cls, L"host", WS_POPUP, 0, 0, 800, 800, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        view_ = new TestGrid;  // deletes itself with its window
        ASSERT_TRUE(view_->CreateView(host_, 1, nullptr));
    }
    void TearDown() override { DestroyWindow(host_); }

    // Sizes the view's client area and lays it out as the posted message would.
    void Resize(int cx, int cy) {
        MoveWindow(view_->Hwnd(), 0, 0, cx, cy, FALSE);
        view_->RecalcLayout();
    }
    void AddItems(int n) {
        for (int i = 0; i < n; ++i) view_->InsertItem(view_->GetItemCount(), &data_[i % 8], false);
        view_->RecalcLayout();
    }
    POINT CellCentre(int index) const {
        RECT rc;
        view_->GetItemRect(index, rc);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    void Click(UINT message, int index, WPARAM keys = 0) {
        POINT pt = CellCentre(index);
        view_->SendMessage(message, keys, MAKELPARAM(pt.x, pt.y));
    }
    std::vector<int> Selected() const {
        std::vector<int> out;
        for (int i = view_->GetNextSelected(0); i != -1; i = view_->GetNextSelected(i + 1)) out.push_back(i);
        return out;
    }

    HWND host_ = nullptr;
    TestGrid* view_ = nullptr;
    int data_[8] = {};
};

TEST_F(GridListViewTest, GridColumnsRowsAndTotalHeightFollowTheWidth) {
    Resize(420, 600);
    AddItems(5);
    EXPECT_EQ(view_->Columns(), 2);
    EXPECT_EQ(view_->TotalDevice().cy, 8 * 4 + 3 * 150);
    RECT rc;
    ASSERT_TRUE(view_->GetItemRect(3, rc));
    EXPECT_EQ(rc.left, 200 + 2 * 8);
    EXPECT_EQ(rc.top, 150 + 2 * 8);

    Resize(150, 600);
    EXPECT_EQ(view_->Columns(), 1);
    EXPECT_FALSE(view_->GetItemRect(5, rc));
}

TEST_F(GridListViewTest, HitTestFindsCellsAndNotTheGaps) {
    Resize(420, 600);
    AddItems(5);
    POINT pt = CellCentre(4);
    EXPECT_EQ(view_->HitTest(pt.x, pt.y), 4);
    EXPECT_EQ(view_->HitTest(4, 50), -1);      // the gap left of the first column
    EXPECT_EQ(view_->HitTest(50, 158 + 4), -1);  // between two rows
    EXPECT_EQ(view_->HitTest(300, 500), -1);    // after the last item
}

TEST_F(GridListViewTest, ClicksSelectToggleAndExtendFromTheFocus) {
    Resize(420, 800);
    AddItems(6);
    Click(WM_LBUTTONDOWN, 3, MK_SHIFT);  // no focus yet: from item 0
    EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(view_->GetFocusItem(), 3);
    Click(WM_LBUTTONDOWN, 1, MK_CONTROL);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 2, 3}));
    Click(WM_RBUTTONDOWN, 2);  // right-clicking one item of several leaves only it
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    view_->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));  // empty space clears
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(view_->GetFocusItem(), -1);
}

TEST_F(GridListViewTest, ArrowKeysMoveTheFocusWithinTheGrid) {
    Resize(420, 800);  // 2 columns
    AddItems(5);       // rows: 0 1 / 2 3 / 4
    view_->SetFocusItem(3, false);
    view_->SendMessage(WM_KEYDOWN, VK_DOWN);  // into the shorter last row: the last item
    EXPECT_EQ(view_->GetFocusItem(), 4);
    EXPECT_EQ(Selected(), (std::vector<int>{4}));
    view_->SendMessage(WM_KEYDOWN, VK_DOWN);  // from the last row: nothing
    EXPECT_EQ(view_->GetFocusItem(), 4);
    view_->SendMessage(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(view_->GetFocusItem(), 2);
    view_->SendMessage(WM_KEYDOWN, VK_LEFT);  // the start of a row goes back to the row above
    EXPECT_EQ(view_->GetFocusItem(), 1);
}

TEST_F(GridListViewTest, ListStyleRowsPagesAndKeys) {
    view_->viewStyle_ = CGridListView::kListStyle;
    view_->SetUnitSize(1, 20, false);
    Resize(300, 205);
    AddItems(30);
    EXPECT_EQ(view_->PageSize().cy, 10);  // whole rows that fit
    view_->SetFocusItem(0, false);
    view_->SendMessage(WM_KEYDOWN, VK_RIGHT);  // not a list key
    EXPECT_EQ(view_->GetFocusItem(), 0);
    for (int i = 0; i < 12; ++i) view_->SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(view_->GetFocusItem(), 12);
    EXPECT_GT(view_->ScrollPosition(), 0);  // kept in view
    RECT rc;
    view_->GetItemRect(12, rc);
    EXPECT_LE(rc.bottom, 205);
    EXPECT_EQ(view_->HitTest(10, rc.top + 5), 12);
}

TEST_F(GridListViewTest, ShortContentHidesTheBarAndReturnsToTheTop) {
    Resize(420, 300);
    AddItems(8);  // 4 rows, 640 pixels
    EXPECT_TRUE(GetWindowLongW(view_->Hwnd(), GWL_STYLE) & WS_VSCROLL);
    view_->ScrollTo(-1, 200);
    EXPECT_EQ(view_->ScrollPosition(), 200);
    view_->DeleteAllItems(true);
    AddItems(1);
    EXPECT_FALSE(GetWindowLongW(view_->Hwnd(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(view_->ScrollPosition(), 0);
}

TEST_F(GridListViewTest, WheelWithShiftOrCtrlDoesNotScroll) {
    Resize(420, 300);
    AddItems(8);
    view_->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0);
    view_->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(view_->ScrollPosition(), 0);
    view_->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_GT(view_->ScrollPosition(), 0);
}

// The thumb dragged by the mouse itself: the bar's own tracking loop sends SB_THUMBTRACK with the
// position cut to 16 bits, so only the bar's 32-bit tracking position reaches the far half of a
// long list. Every tracked step lands where the thumb is, and so does the release.
TEST_F(GridListViewTest, ThumbTrackReachesPositionsBeyondSixteenBits) {
    view_->viewStyle_ = CGridListView::kListStyle;
    SetWindowPos(host_, HWND_TOPMOST, 0, 0, 300, 200, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ShowWindow(view_->Hwnd(), SW_SHOWNA);
    Resize(300, 200);
    for (int i = 0; i < 100000; ++i) view_->InsertItem(i, nullptr, false);
    view_->RecalcLayout();
    UpdateWindow(host_);
    SCROLLINFO range{sizeof(range), SIF_RANGE | SIF_PAGE};
    ASSERT_TRUE(GetScrollInfo(view_->Hwnd(), SB_VERT, &range));
    const int limit = range.nMax - static_cast<int>(range.nPage) + 1;
    ASSERT_GT(limit, 90000);

    SCROLLBARINFO bar{sizeof(bar)};
    ASSERT_TRUE(GetScrollBarInfo(view_->Hwnd(), OBJID_VSCROLL, &bar));
    const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    const int grab = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    // The thumb travels the bar less its arrows and itself; three quarters of the way down is
    // far beyond 65,535 and short of the end.
    const int travel = bar.rcScrollBar.bottom - bar.rcScrollBar.top - 2 * bar.dxyLineButton -
                       (bar.xyThumbBottom - bar.xyThumbTop);
    const int to = grab + travel * 3 / 4;
    auto mouse = [](int px, int py, DWORD flags) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = MulDiv(px, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(py, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
        return in;
    };
    INPUT drag[] = {mouse(x, grab, 0), mouse(x, grab, MOUSEEVENTF_LEFTDOWN), mouse(x, (grab + to) / 2, 0),
                    mouse(x, to, 0), mouse(x, to, MOUSEEVENTF_LEFTUP)};
    view_->tracked.clear();
    ASSERT_EQ(SendInput(5, drag, sizeof(INPUT)), 5u);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 3000 && !view_->ended;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    ASSERT_TRUE(view_->ended) << "the drag never ended";
    ASSERT_GE(view_->tracked.size(), 2u) << "no thumb tracking";
    EXPECT_GT(view_->tracked.back(), 65535);
    // Three quarters down, give or take the bar's rounding of the thumb's size.
    EXPECT_GT(view_->tracked.back(), limit * 6 / 10);
    EXPECT_LT(view_->tracked.back(), limit * 9 / 10);
    EXPECT_TRUE(std::is_sorted(view_->tracked.begin(), view_->tracked.end()));
    EXPECT_EQ(view_->ScrollPosition(), view_->tracked.back()) << "the release moved the list";

    // A thumb message sent by a program, outside any drag, goes where its 16 bits say.
    view_->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
    EXPECT_EQ(view_->ScrollPosition(), 100);
}

TEST_F(GridListViewTest, ABandThatOnlyGrazesACellLeavesItUnselected) {
    Resize(420, 800);
    AddItems(4);
    RECT cell;
    view_->GetItemRect(1, cell);
    view_->SelectInBand({cell.left - 6, cell.top - 5, cell.left + 15, cell.top + 40});  // 15 across
    EXPECT_TRUE(Selected().empty());
    view_->SelectInBand({cell.left - 6, cell.top - 5, cell.left + 16, cell.top + 40});
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
}

TEST_F(GridListViewTest, DeletingKeepsTheDataAndIdsAreNeverReused) {
    Resize(420, 600);
    AddItems(3);
    int id = view_->GetItemId(1);
    view_->SetItemState(1, 0, GLIS_SELECTED, false);
    view_->SwapItems(1, 2);
    EXPECT_EQ(view_->FindItemById(id), 2);
    EXPECT_TRUE(view_->GetItemState(2) & GLIS_SELECTED);  // the state moves with the item
    void* data = view_->GetItemData(2);
    EXPECT_TRUE(view_->DeleteItem(2, true));
    EXPECT_EQ(data, &data_[1]);  // still ours
    EXPECT_EQ(view_->FindItemById(id), -1);
    view_->InsertItem(0, nullptr, true);
    EXPECT_GT(view_->GetItemId(0), id);
}

TEST_F(GridListViewTest, AnEmptyViewPaintsOnlyTheBackground) {
    Resize(200, 100);
    view_->backColor_ = RGB(10, 20, 30);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    HGDIOBJ old = SelectObject(dc, bitmap);
    view_->Paint(dc);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(dc, 150, 90), RGB(10, 20, 30));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

} // namespace
