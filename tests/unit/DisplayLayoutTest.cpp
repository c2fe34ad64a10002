// The display's geometry: where the picture goes by zoom and aspect, where the control bar's
// gadgets go, what the time display reads, and how a slider turns x positions into values.
#include "ui/display/ControlBarLayout.h"
#include "ui/display/GadgetSlider.h"
#include "ui/display/TimeLabel.h"
#include "ui/display/VideoLayout.h"

#include <gtest/gtest.h>

namespace zevrin {
namespace {

RECT Box(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }

void ExpectRect(const std::optional<RECT>& r, int x, int y, int w, int h) {
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->left, x);
    EXPECT_EQ(r->top, y);
    EXPECT_EQ(r->right - r->left, w);
    EXPECT_EQ(r->bottom - r->top, h);
}

TEST(VideoLayoutTest, DisplayAspectWidensStoredPixels) {
    VideoFormat pal{720, 576, 16, 9};
    ExpectRect(LayOutVideo(Box(0, 0, 1280, 720), pal, 100), 128, 72, 1024, 576);
    ExpectRect(LayOutVideo(Box(0, 0, 800, 600), pal, 0), 0, 75, 800, 450);
}

TEST(VideoLayoutTest, TooLargeZoomIsReducedToFit) {
    VideoFormat hd{640, 360, 0, 0};
    ExpectRect(LayOutVideo(Box(0, 0, 800, 600), hd, 200), 0, 75, 800, 450);
    VideoFormat big{1280, 720, 0, 0};
    ExpectRect(LayOutVideo(Box(0, 0, 800, 600), big, 100), 0, 75, 800, 450);
    ExpectRect(LayOutVideo(Box(0, 0, 800, 600), hd, 50), 240, 210, 320, 180);
}

TEST(VideoLayoutTest, PortraitAspectAndNoPicture) {
    // Narrower than tall: the height is derived from the width and kept even.
    VideoFormat portrait{480, 480, 3, 4};
    ExpectRect(LayOutVideo(Box(0, 0, 1000, 1000), portrait, 100), 260, 180, 480, 640);
    EXPECT_FALSE(LayOutVideo(Box(0, 0, 800, 600), VideoFormat{0, 240, 0, 0}, 100).has_value());
    // Offsets of the client area are kept.
    ExpectRect(LayOutVideo(Box(10, 20, 400, 300), VideoFormat{176, 144, 0, 0}, 100), 122, 98, 176, 144);
}

TEST(ControlBarLayoutTest, SeekSliderTakesTheRest) {
    auto r = LayOutControlBar(Box(0, 0, 640, 30), 40, true);
    EXPECT_EQ(r[kSeekGadget].right - r[kSeekGadget].left, 255);
    EXPECT_EQ(r[kSwitchGadget].right, 640);
    EXPECT_EQ(r[kPlayGadget].left, 0);
    EXPECT_EQ(r[kPlayGadget].right, 50);
    EXPECT_EQ(r[kPreviousGadget].left, 86);
    EXPECT_EQ(r[kSeekGadget].left, 154);
    EXPECT_EQ(r[kPlayGadget].top, 4);  // T' = 1, (29 - 23) / 2 = 3
    EXPECT_EQ(r[kPlayGadget].bottom, 27);
    EXPECT_EQ(r[kSeekGadget].top, 2);
    EXPECT_EQ(r[kSeekGadget].bottom, 29);
    EXPECT_EQ(r[kVolumeGadget].right - r[kVolumeGadget].left, 55);
}

TEST(ControlBarLayoutTest, NarrowBarKeepsMinimumAndHiddenSwitchIsEmpty) {
    auto r = LayOutControlBar(Box(0, 0, 400, 30), 40, true);
    EXPECT_EQ(r[kSeekGadget].right - r[kSeekGadget].left, 100);
    EXPECT_GT(r[kSwitchGadget].right, 400);  // runs off the bar
    auto docked = LayOutControlBar(Box(0, 0, 640, 30), 40, false);
    EXPECT_EQ(docked[kSeekGadget].right - docked[kSeekGadget].left, 287);
    EXPECT_TRUE(IsRectEmpty(&docked[kSwitchGadget]));
}

TEST(TimeDisplayTest, FormsOfTheText) {
    EXPECT_EQ(TimeDisplayText(60000, 0, false, false), L"00:00");
    EXPECT_EQ(TimeDisplayText(60000, 30000, false, false), L"00:30");
    EXPECT_EQ(TimeDisplayText(60000, 30000, true, false), L"-00:30");
    EXPECT_EQ(TimeDisplayText(60000, 30000, false, true), L"00:30 / 01:00");
    EXPECT_EQ(TimeDisplayText(7200000, 3600000, false, true), L"01:00:00 / 02:00:00");
    EXPECT_EQ(TimeDisplayText(7200000, 3599000, true, false), L"-01:00:01");
    EXPECT_EQ(TimeDisplayWidth(7200000, true), 112);
    EXPECT_EQ(TimeDisplayWidth(60000, true), 80);
    EXPECT_EQ(TimeDisplayWidth(7200000, false), 56);
    EXPECT_EQ(TimeDisplayWidth(60000, false), 40);
}

TEST(SliderGeometryTest, TrackThumbAndValues) {
    SliderGeometry g{Box(100, 0, 216, 30), 16, 16, 1000};
    RECT t = g.Track();
    EXPECT_EQ(t.left, 108);
    EXPECT_EQ(t.right, 308);
    EXPECT_EQ(t.top, 7);
    EXPECT_EQ(g.ThumbLeft(0), 100);
    EXPECT_EQ(g.ThumbLeft(500), 200);
    EXPECT_EQ(g.ThumbLeft(1000), 300);
    EXPECT_EQ(g.ValueAt(100, false), 0);   // raised to the track's left
    EXPECT_EQ(g.ValueAt(208, false), 500);
    EXPECT_EQ(g.ValueAt(315, false), 1000);
    EXPECT_EQ(g.ValueAt(50, false), -1);   // outside, not dragging
    EXPECT_EQ(g.ValueAt(50, true), 0);
    EXPECT_EQ(g.ValueAt(500, true), 1000);
}

} // namespace
} // namespace zevrin
