// The main frame's geometry: the docked container's panes and divider, the width kept while
// the window is too narrow, and the full-screen window rectangle.
#include "ui/frame/FullScreenToggle.h"
#include "ui/frame/ViewContainer.h"

#include <gtest/gtest.h>

namespace zevrin {
namespace {

TEST(ContainerLayoutTest, DockedPanesAndDivider) {
    int remembered = -1;
    ContainerLayout l = LayOutContainer(RECT{0, 0, 1000, 500}, CViewContainer::kDocked, 400, remembered);
    EXPECT_EQ(l.pane1.left, 600);
    EXPECT_EQ(l.pane1.right, 1000);
    EXPECT_EQ(l.pane0.right, 599);
    EXPECT_EQ(l.divider.left, 599);
    EXPECT_EQ(l.divider.right, 600);
    EXPECT_EQ(remembered, -1);
}

TEST(ContainerLayoutTest, NarrowWindowRemembersTheWidth) {
    int remembered = -1;
    ContainerLayout narrow = LayOutContainer(RECT{0, 0, 600, 500}, CViewContainer::kDocked, 400, remembered);
    EXPECT_EQ(narrow.pane1.right - narrow.pane1.left, 300);
    EXPECT_EQ(remembered, 400);
    ContainerLayout wide = LayOutContainer(RECT{0, 0, 1000, 500}, CViewContainer::kDocked, 400, remembered);
    EXPECT_EQ(wide.pane1.right - wide.pane1.left, 400);
    EXPECT_EQ(remembered, -1);
}

TEST(ContainerLayoutTest, OnePaneModeGivesBothTheWholeArea) {
    int remembered = 7;
    ContainerLayout l = LayOutContainer(RECT{0, 0, 800, 400}, CViewContainer::kOnePane, 200, remembered);
    EXPECT_EQ(l.pane0.right, 800);
    EXPECT_EQ(l.pane1.left, 0);
    EXPECT_TRUE(IsRectEmpty(&l.divider));
    EXPECT_EQ(remembered, 7);
}

TEST(FullScreenTest, ClientCoversTheScreenAndMarginsPushBarsOut) {
    // A window at (100, 50) whose client area starts 8 right and 30 down and ends 8 inside.
    RECT window{100, 50, 740, 530};
    RECT client{108, 80, 732, 522};
    RECT r = FullScreenWindowRect(window, client, SIZE{1280, 1024}, RECT{0, 0, 0, 0});
    EXPECT_EQ(r.left, -8 - 2);
    EXPECT_EQ(r.top, -30 - 2);
    EXPECT_EQ(r.right, 1280 + 8 + 2);
    EXPECT_EQ(r.bottom, 1024 + 8 + 2);
    RECT withBars = FullScreenWindowRect(window, client, SIZE{1280, 1024}, RECT{0, 18, 200, 30});
    EXPECT_EQ(withBars.top, -30 - 18 - 2);
    EXPECT_EQ(withBars.right, 1280 + 8 + 200 + 2);
    EXPECT_EQ(withBars.bottom, 1024 + 8 + 30 + 2);
}

} // namespace
} // namespace zevrin
