#include "image/ThumbnailImage.h"
#include "framework/Handles.h"
#include "TestData.h"
#include "res/resource.h"

#include <gtest/gtest.h>

using zevrin::CThumbnailImage;
using zevrin::ImageBuffer;

namespace {

// A picture whose pixels come from `color(x, y)`.
template <typename Color>
CThumbnailImage Pattern(int w, int h, Color color) {
    std::vector<uint8_t> bmp(54 + static_cast<size_t>(w * h * 4));
    auto put32 = [&](size_t at, uint32_t v) { memcpy(&bmp[at], &v, 4); };
    bmp[0] = 'B', bmp[1] = 'M';
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(-h));
    bmp[26] = 1, bmp[28] = 32;
    CThumbnailImage image;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = color(x, y);
            uint8_t* p = &bmp[54 + static_cast<size_t>(y * w + x) * 4];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    EXPECT_TRUE(image.LoadMemory(bmp));
    return image;
}

// A picture filled with one packed colour, with `patch` pixels of another in the top-left.
CThumbnailImage Solid(int w, int h, COLORREF color, int patch = 0, COLORREF patchColor = 0) {
    return Pattern(w, h, [&](int x, int y) { return x < patch && y < patch ? patchColor : color; });
}

TEST(BlankFrame, OneColourFramesAndTinyPicturesAreBlank) {
    EXPECT_EQ(zevrin::IsBlankFrame(nullptr), -1);
    CThumbnailImage black = Solid(320, 240, RGB(0, 0, 0));
    EXPECT_EQ(zevrin::ColorSpread(black), 0.0);
    EXPECT_EQ(zevrin::IsBlankFrame(&black), 0);
    CThumbnailImage grey = Solid(64, 48, RGB(200, 200, 200));
    EXPECT_EQ(zevrin::IsBlankFrame(&grey), 0);
    CThumbnailImage dot = Solid(1, 1, RGB(255, 255, 255));
    EXPECT_EQ(zevrin::IsBlankFrame(&dot), 0);
    CThumbnailImage empty;
    EXPECT_EQ(zevrin::IsBlankFrame(&empty), 0);
}

// The spread is measured on packed 0x00BBGGRR integers: blue weighs 65536 times more than red.
TEST(BlankFrame, APatchCountsByItsPackedColour) {
    CThumbnailImage redPatch = Solid(100, 100, RGB(0, 0, 0), 10, RGB(255, 0, 0));
    CThumbnailImage bluePatch = Solid(100, 100, RGB(0, 0, 0), 10, RGB(0, 0, 255));
    EXPECT_EQ(zevrin::IsBlankFrame(&redPatch), 0);
    EXPECT_EQ(zevrin::IsBlankFrame(&bluePatch), 1);
}

TEST(BlankFrame, ARealFrameHasDetailAndABlackOneDoesNot) {
    CThumbnailImage photo, black;
    ASSERT_TRUE(photo.LoadFile(TestDataPath(L"photo.jpg")));
    ASSERT_TRUE(black.LoadFile(TestDataPath(L"black.jpg")));
    EXPECT_EQ(zevrin::IsBlankFrame(&photo), 1);
    EXPECT_EQ(zevrin::IsBlankFrame(&black), 0);
}

struct FitCase {
    int w, h, picW, picH, left, top;
};

TEST(FitIntoBox, PicturesEndExactlyBoxSizedAndCentred) {
    const FitCase cases[] = {
        {320, 240, 120, 90, 0, 0},   // same shape: fills the box
        {100, 100, 90, 90, 15, 0},   // taller: bars left and right
        {60, 40, 60, 40, 30, 25},    // smaller: not scaled up
        {400, 100, 120, 30, 0, 30},  // wide: bars above and below
    };
    for (const FitCase& c : cases) {
        CThumbnailImage image = Solid(c.w, c.h, RGB(250, 250, 250));
        ASSERT_TRUE(image.FitIntoBox(120, 90));
        ASSERT_EQ(image.Width(), 120);
        ASSERT_EQ(image.Height(), 90);
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        EXPECT_EQ(image.PixelColor(c.left + c.picW / 2, c.top + c.picH / 2), RGB(250, 250, 250));
        EXPECT_EQ(image.PixelColor(c.left, c.top), RGB(250, 250, 250));
        EXPECT_EQ(image.PixelColor(c.left + c.picW - 1, c.top + c.picH - 1), RGB(250, 250, 250));
        if (c.left > 0) {
            EXPECT_EQ(image.PixelColor(c.left - 1, 45), 0u);
            EXPECT_EQ(image.PixelColor(c.left + c.picW, 45), 0u);
        }
        if (c.top > 0) {
            EXPECT_EQ(image.PixelColor(60, c.top - 1), 0u);
            EXPECT_EQ(image.PixelColor(60, c.top + c.picH), 0u);
        }
    }
}

TEST(FitIntoBox, ShrinkingAveragesTheCoveredPixels) {
    // Left half black, right half white, shrunk into one pixel: mid grey.
    CThumbnailImage image = Solid(4, 2, RGB(255, 255, 255), 2, RGB(0, 0, 0));
    CThumbnailImage out;
    ASSERT_TRUE(image.FitIntoBox(1, 1, 0, &out));
    EXPECT_EQ(image.Width(), 4);  // the source stays when an output image is given
    DWORD c = out.PixelColor(0, 0);
    EXPECT_NEAR(GetRValue(c), 128, 1);
    EXPECT_NEAR(GetBValue(c), 128, 1);

    // Top half a checkerboard of 0 and 200 (average 100), bottom half white: each of the four
    // pixels of the half-size picture is the average of its own two by two block.
    CThumbnailImage halves = Pattern(4, 4, [](int x, int y) {
        if (y >= 2) return RGB(255, 255, 255);
        return (x + y) % 2 ? RGB(200, 200, 200) : RGB(0, 0, 0);
    });
    ASSERT_TRUE(halves.FitIntoBox(2, 2));
    EXPECT_EQ(halves.PixelColor(0, 0), RGB(100, 100, 100));
    EXPECT_EQ(halves.PixelColor(1, 0), RGB(100, 100, 100));
    EXPECT_EQ(halves.PixelColor(0, 1), RGB(255, 255, 255));
    EXPECT_EQ(halves.PixelColor(1, 1), RGB(255, 255, 255));

    // Three pixels into two: each takes one whole pixel and half of the middle one, weighted
    // by area. Red steps by column (0, 90, 180), blue by row.
    CThumbnailImage steps = Pattern(3, 3, [](int x, int y) { return RGB(90 * x, 255, 90 * y); });
    ASSERT_TRUE(steps.FitIntoBox(2, 2));
    EXPECT_EQ(steps.PixelColor(0, 0), RGB(30, 255, 30));    // (0 + 90 / 2) / 1.5
    EXPECT_EQ(steps.PixelColor(1, 0), RGB(150, 255, 30));   // (90 / 2 + 180) / 1.5
    EXPECT_EQ(steps.PixelColor(0, 1), RGB(30, 255, 150));
    EXPECT_EQ(steps.PixelColor(1, 1), RGB(150, 255, 150));
}

TEST(FitIntoBox, EmptyImagesAndEmptyBoxesFail) {
    CThumbnailImage empty;
    EXPECT_FALSE(empty.FitIntoBox(120, 90));
    CThumbnailImage image = Solid(10, 10, RGB(1, 2, 3));
    EXPECT_FALSE(image.FitIntoBox(0, 90));
    EXPECT_FALSE(image.FitIntoBox(120, -1));
    EXPECT_EQ(image.Width(), 10);
}

TEST(ImageLoading, EveryDecoderReadsItsFormatByContent) {
    struct Case {
        const wchar_t* name;
        int w, h;
        bool alpha;
    };
    const Case cases[] = {{L"photo.jpg", 320, 240, false},   {L"photo24.bmp", 64, 48, false},
                          {L"palette8.bmp", 40, 30, false},  {L"alpha.png", 50, 40, true},
                          {L"transparent.gif", 30, 20, true}, {L"interlaced.gif", 33, 17, false},
                          {L"tga32.tga", 24, 16, true},      {L"rle24.tga", 24, 16, false}};
    for (const Case& c : cases) {
        CThumbnailImage image;
        ASSERT_TRUE(image.LoadFile(TestDataPath(c.name))) << fw::ToCodePage(c.name) << ": " << image.LastError();
        EXPECT_EQ(image.Width(), c.w) << fw::ToCodePage(c.name);
        EXPECT_EQ(image.Height(), c.h) << fw::ToCodePage(c.name);
        EXPECT_EQ(image.HasAlpha(), c.alpha) << fw::ToCodePage(c.name);
    }
}

TEST(ImageLoading, PixelsComeOutRightSideUpAndInTheirColours) {
    CThumbnailImage bmp, png, gif;
    ASSERT_TRUE(bmp.LoadFile(TestDataPath(L"palette8.bmp")));
    EXPECT_EQ(bmp.PixelColor(2, 2), RGB(0xFF, 0xCC, 0x00));  // the patch is top-left
    EXPECT_EQ(bmp.PixelColor(30, 25), RGB(0x33, 0x66, 0x99));
    ASSERT_TRUE(png.LoadFile(TestDataPath(L"alpha.png"), CThumbnailImage::Png));
    EXPECT_EQ(png.PixelColor(20, 20, true) >> 24, 0x80u);
    EXPECT_EQ(png.PixelColor(20, 20) & 0xFF, 0xFFu);
    EXPECT_EQ(png.PixelColor(1, 1, true) >> 24, 0u);
    ASSERT_TRUE(gif.LoadFile(TestDataPath(L"transparent.gif")));
    EXPECT_EQ(gif.PixelColor(5, 5, true), 0xFF000000u);  // opaque black
    EXPECT_EQ(gif.PixelColor(25, 5, true) >> 24, 0u);     // transparent
}

TEST(ImageLoading, BadInputFailsCleanlyAndLeavesTheImageEmpty) {
    for (const wchar_t* name : {L"truncated.jpg", L"notes.txt", L"broken.png", L"missing.jpg"}) {
        CThumbnailImage image;
        image.LoadFile(TestDataPath(L"photo24.bmp"));
        EXPECT_FALSE(image.LoadFile(TestDataPath(name))) << fw::ToCodePage(name);
        EXPECT_TRUE(image.IsEmpty()) << fw::ToCodePage(name);
        EXPECT_FALSE(image.LastError().empty()) << fw::ToCodePage(name);
    }
    // A named decoder that fails keeps its own error when nothing else can read the data.
    CThumbnailImage image;
    EXPECT_FALSE(image.LoadFile(TestDataPath(L"notes.txt"), CThumbnailImage::Png));
    EXPECT_EQ(image.LastError(), "Not a PNG file");
    // A named decoder that is wrong still lets detection find the format.
    EXPECT_TRUE(image.LoadFile(TestDataPath(L"photo.jpg"), CThumbnailImage::Png));
}

TEST(ImageLoading, TheProgramsPngResourcesLoad) {
    CThumbnailImage hover, normal, none;
    ASSERT_TRUE(hover.LoadResource(IDP_PLAY_HOVER, CThumbnailImage::Png, GetModuleHandleW(nullptr)));
    ASSERT_TRUE(normal.LoadResource(IDP_PLAY_NORMAL, CThumbnailImage::Png, GetModuleHandleW(nullptr)));
    EXPECT_EQ(hover.Width(), 96);
    EXPECT_EQ(hover.Height(), 96);
    EXPECT_TRUE(hover.HasAlpha());
    EXPECT_EQ(hover.PixelColor(0, 0, true) >> 24, 0u);  // rounded corner
    EXPECT_FALSE(none.LoadResource(4242, CThumbnailImage::Png, GetModuleHandleW(nullptr)));
    EXPECT_EQ(none.LastError(), "Unable to load resource!");
}

// Draws onto a memory bitmap filled with a known colour and reads the result back.
class DrawTest : public testing::Test {
protected:
    void SetUp() override {
        HDC screen = GetDC(nullptr);
        dc_.Reset(CreateCompatibleDC(screen));
        bitmap_.Reset(CreateCompatibleBitmap(screen, 100, 100));
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_.Get(), bitmap_.Get());
        RECT all{0, 0, 100, 100};
        fw::UniqueBrush brush(CreateSolidBrush(RGB(0, 0, 200)));
        FillRect(dc_.Get(), &all, brush.Get());
    }
    void TearDown() override { SelectObject(dc_.Get(), old_); }
    COLORREF At(int x, int y) { return GetPixel(dc_.Get(), x, y); }

    fw::UniqueHandle<fw::NullIsInvalid<HDC, ::DeleteDC>> dc_;
    fw::UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

TEST_F(DrawTest, OpaquePicturesAreCopiedAndStretchedIntoTheDestination) {
    CThumbnailImage image = Solid(10, 10, RGB(255, 0, 0));
    EXPECT_TRUE(image.Draw(dc_.Get(), RECT{10, 10, 30, 30}));
    EXPECT_EQ(At(11, 11), RGB(255, 0, 0));
    EXPECT_EQ(At(29, 29), RGB(255, 0, 0));
    EXPECT_EQ(At(30, 30), RGB(0, 0, 200));
    // Own size for a negative extent; clipped drawing stays inside the clip.
    RECT clip{50, 50, 55, 55};
    EXPECT_TRUE(image.Draw(dc_.Get(), RECT{50, 50, 40, 40}, &clip));
    EXPECT_EQ(At(52, 52), RGB(255, 0, 0));
    EXPECT_EQ(At(57, 57), RGB(0, 0, 200));
    EXPECT_FALSE(image.Draw(dc_.Get(), RECT{5, 5, 5, 20}));
    EXPECT_FALSE(CThumbnailImage().Draw(dc_.Get(), RECT{0, 0, 10, 10}));
}

TEST_F(DrawTest, PicturesWithAlphaAreBlendedOverTheDestination) {
    CThumbnailImage png;
    ASSERT_TRUE(png.LoadFile(TestDataPath(L"alpha.png")));
    ASSERT_TRUE(png.Draw(dc_.Get(), RECT{0, 0, 50, 40}));
    EXPECT_EQ(At(2, 2), RGB(0, 0, 200));  // alpha 0 keeps the destination
    COLORREF mixed = At(20, 20);           // alpha 0x80 mixes red over blue
    EXPECT_NEAR(GetRValue(mixed), 128, 2);
    EXPECT_NEAR(GetBValue(mixed), 99, 2);
    png.globalAlpha = 0;
    png.Draw(dc_.Get(), RECT{50, 50, 100, 90});
    EXPECT_EQ(At(70, 70), RGB(0, 0, 200));
}

} // namespace
