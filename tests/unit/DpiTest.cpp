// Sizes at other scales: the rounding of scaled sizes, the choice of drawn art, and the control
// bar, the container and the folder dialog laid out at 144 and 192 DPI against the same layouts
// at 96, and a frame rebuilding its bar and the shared fonts when it moves to another scale.
#include "services/AppResources.h"
#include "framework/Document.h"
#include "framework/Dpi.h"
#include "framework/Ids.h"
#include "framework/View.h"
#include "res/resource.h"
#include "ui/dialogs/FolderDialogLayout.h"
#include "ui/display/ControlBarLayout.h"
#include "ui/display/PlayControlBar.h"
#include "ui/frame/MBFrameWnd.h"
#include "ui/frame/StatusMenuBar.h"
#include "ui/frame/ViewContainer.h"

#include <gtest/gtest.h>

namespace zevrin {
namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

TEST(DpiScaling, SizesRoundToTheNearestPixelAndComeBack) {
    EXPECT_EQ(fw::ScaleTo(30, 96), 30);
    EXPECT_EQ(fw::ScaleTo(30, 144), 45);
    EXPECT_EQ(fw::ScaleTo(30, 192), 60);
    EXPECT_EQ(fw::ScaleTo(5, 144), 8);    // 7.5 goes up
    EXPECT_EQ(fw::ScaleTo(-11, 144), -17);  // font heights are negative: halves away from zero
    EXPECT_EQ(fw::ScaleTo(11, 120), 14);
    EXPECT_EQ(fw::ScaleTo(7, 0), 7);      // no DPI known: the program's units
    // A width the user dragged at 150 % is the same width in the program's units at 200 %.
    for (int units : {1, 7, 160, 333, 1000}) {
        EXPECT_EQ(fw::UnscaleFrom(fw::ScaleTo(units, 144), 144), units);
        EXPECT_EQ(fw::UnscaleFrom(fw::ScaleTo(units, 192), 192), units);
    }
    EXPECT_EQ(fw::CDpi(192)(SIZE{160, 90}).cx, 320);
    EXPECT_EQ(fw::CDpi(0).Value(), 96);
}

TEST(DpiScaling, ArtIsNeverDrawnLargerThanMadeAndIdsFollowTheScale) {
    EXPECT_EQ(fw::ArtScalePercent(96), 100);
    EXPECT_EQ(fw::ArtScalePercent(120), 100);  // 125 %: the 100 % art, sharp in a larger slot
    EXPECT_EQ(fw::ArtScalePercent(143), 100);
    EXPECT_EQ(fw::ArtScalePercent(144), 150);
    EXPECT_EQ(fw::ArtScalePercent(168), 150);
    EXPECT_EQ(fw::ArtScalePercent(192), 200);
    EXPECT_EQ(fw::ArtScalePercent(288), 200);
    EXPECT_EQ(fw::ArtResourceId(133, 100), 133u);
    EXPECT_EQ(fw::ArtResourceId(133, 150), 1133u);
    EXPECT_EQ(fw::ArtResourceId(133, 200), 2133u);
    EXPECT_EQ(fw::ArtSize(23, 150), 35);  // as the art script rounds
    EXPECT_EQ(fw::ArtSize(28, 150), 42);
    EXPECT_EQ(fw::ArtSize(23, 200), 46);
}

TEST(DpiScaling, EveryScaledArtResourceIsInTheProgram) {
    HMODULE module = GetModuleHandleW(nullptr);
    const unsigned bitmaps[] = {143, 134, 133, 145, 139, 141, 142, 152, 156, 154, 155, 158, 137, 131, 147, 150, 144, 146, 130, 151, 148};
    for (int percent : {150, 200})
        for (unsigned id : bitmaps) {
            HBITMAP bitmap = static_cast<HBITMAP>(
                LoadImageW(module, MAKEINTRESOURCEW(fw::ArtResourceId(id, percent)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            ASSERT_NE(bitmap, nullptr) << id << " at " << percent << " %";
            BITMAP info{};
            GetObjectW(bitmap, sizeof(info), &info);
            EXPECT_GT(info.bmHeight, 0);
            DeleteObject(bitmap);
        }
    // The play button of the empty playlist pane, 96 units square.
    for (int percent : {150, 200})
        EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(fw::ArtResourceId(161, percent)), L"PNG"), nullptr);
}

// The layout at 144 or 192 DPI is the 96-DPI layout scaled: gadgets keep their order, never
// overlap and the seek slider takes what the others leave.
TEST(DpiScaling, ControlBarGadgetsScaleWithoutOverlapping) {
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const fw::CDpi px(dpi);
        const RECT client{0, 0, px(800), px(30)};
        auto rects = LayOutControlBar(client, px(40), true, dpi);
        EXPECT_EQ(Width(rects[kPlayGadget]), px(50));
        EXPECT_EQ(Height(rects[kPlayGadget]), px(23));
        EXPECT_EQ(Width(rects[kVolumeGadget]), px(55));
        for (int i = 1; i < kGadgetCount; ++i) EXPECT_GE(rects[i].left, rects[i - 1].right);
        EXPECT_LE(rects[kSwitchGadget].right, client.right);
        EXPECT_GE(rects[kPlayGadget].top, client.top);
        EXPECT_LE(rects[kPlayGadget].bottom, client.bottom);
        EXPECT_GE(Width(rects[kSeekGadget]), px(100));
    }
    // At 96 DPI the default argument changes nothing.
    const RECT client{0, 0, 800, 30};
    auto plain = LayOutControlBar(client, 40, true);
    auto at96 = LayOutControlBar(client, 40, true, 96);
    for (int i = 0; i < kGadgetCount; ++i) EXPECT_TRUE(EqualRect(&plain[i], &at96[i]));
}

TEST(DpiScaling, ContainerDividerGrowsWithTheScale) {
    int remembered = -1;
    ContainerLayout at96 = LayOutContainer(RECT{0, 0, 1000, 600}, CViewContainer::kDocked, 300, remembered, 96);
    EXPECT_EQ(Width(at96.divider), 1);
    remembered = -1;
    ContainerLayout at192 = LayOutContainer(RECT{0, 0, 2000, 1200}, CViewContainer::kDocked, 600, remembered, 192);
    EXPECT_EQ(Width(at192.divider), 2);
    EXPECT_EQ(at192.pane1.left, 1400);
    EXPECT_EQ(at192.pane0.right, 1398);
}

TEST(DpiScaling, FolderDialogMarginsScaleAndMeasuredSizesAreKept) {
    FolderDialogSizes sizes;
    sizes.button = SIZE{113, 35};  // as measured from a template at 144 DPI
    sizes.dpi = 144;
    FolderDialogRects r = LayOutFolderDialog(SIZE{600, 450}, sizes);
    EXPECT_EQ(r.cancel.right, 600 - 15);
    EXPECT_EQ(r.cancel.bottom, 450 - 15);
    EXPECT_EQ(r.cancel.left - r.ok.right, 9);
    EXPECT_EQ(r.prompt.left, 15);
    EXPECT_EQ(Width(r.ok), 113);
}

class EmptyView : public fw::CView {
protected:
    void OnDraw(HDC) override {}
};

class BarFrame : public CMBFrameWnd {
public:
    CStatusMenuBar bar;
    CPlayControlBar controls;

protected:
    int OnCreate(const CREATESTRUCTW& cs) override {
        if (CMBFrameWnd::OnCreate(cs) == -1) return -1;
        if (!bar.Create(*this, IDW_MENUBAR) || !controls.Create(*this)) return -1;
        MoveMenuToBar(bar);
        return 0;
    }
};

// What the system sends a per-monitor aware window dragged onto a screen of another scale.
void MoveToScale(HWND frame, int dpi, RECT suggested) {
    SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST(DpiScaling, AFrameMovedToAnotherScaleRebuildsItsBarsAndFontsAndTakesTheSuggestedRectangle) {
    CAppResources resources;
    resources.Init();
    PublishResources(&resources);
    fw::CDocument document;
    fw::CCreateContext context{&document, [] { return new EmptyView; }};
    auto* frame = new BarFrame;
    ASSERT_TRUE(frame->LoadFrame(128, WS_OVERLAPPEDWINDOW, context));
    frame->InitialUpdateFrame();
    const int startDpi = fw::DpiOf(frame->Hwnd());
    LOGFONTW before{};
    GetObjectW(resources.normalFont.Get(), sizeof(before), &before);

    MoveToScale(frame->Hwnd(), 192, RECT{40, 30, 1240, 930});
    RECT window{};
    GetWindowRect(frame->Hwnd(), &window);
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.right - window.left, 1200);
    EXPECT_EQ(frame->bar.Height(), 36);
    RECT bar{};
    GetWindowRect(frame->bar.Hwnd(), &bar);
    EXPECT_EQ(Height(bar), 36);
    EXPECT_EQ(frame->controls.Height(), 60);
    // The buttons show the 200 % art, each still the image it showed.
    int cx = 0, cy = 0;
    ImageList_GetIconSize(frame->controls.Button(kPlayGadget).Images(), &cx, &cy);
    EXPECT_EQ(cx, 56);
    EXPECT_EQ(cy, 46);
    EXPECT_EQ(frame->controls.ButtonImageId(kPlayGadget), static_cast<UINT>(IDB_PLAY));
    EXPECT_EQ(Width(frame->controls.GadgetAt(kPlayGadget).GetRect()), 100);
    EXPECT_EQ(resources.fontDpi, 192);
    LOGFONTW after{};
    GetObjectW(resources.normalFont.Get(), sizeof(after), &after);
    EXPECT_EQ(after.lfHeight, fw::ScaleTo(fw::UnscaleFrom(before.lfHeight, startDpi), 192));
    EXPECT_NE(resources.BarBackground(192), resources.buttonImages.Get());  // the 200 % strip

    // And back: everything as it was made.
    MoveToScale(frame->Hwnd(), 96, RECT{40, 30, 640, 480});
    EXPECT_EQ(frame->bar.Height(), 18);
    EXPECT_EQ(frame->controls.Height(), 30);
    ImageList_GetIconSize(frame->controls.Button(kPlayGadget).Images(), &cx, &cy);
    EXPECT_EQ(cx, 28);
    GetObjectW(resources.normalFont.Get(), sizeof(after), &after);
    EXPECT_EQ(after.lfHeight, fw::ScaleTo(fw::UnscaleFrom(before.lfHeight, startDpi), 96));
    frame->DestroyWindow();
    PublishResources(nullptr);
}

} // namespace
} // namespace zevrin
