// The owner-drawn menu bar on a frame made from the program's own menu resource.
#include "services/AppResources.h"
#include "framework/Document.h"
#include "framework/Ids.h"
#include "framework/View.h"
#include "ui/frame/MBFrameWnd.h"
#include "ui/frame/StatusMenuBar.h"
#include "ModalDriver.h"
#include "../ScreenPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace zevrin;

namespace {

TEST(PlaylistSummary, CountsAndTotalDuration) {
    EXPECT_EQ(PlaylistSummary(0, 5000000), L"");
    EXPECT_EQ(PlaylistSummary(1, 0), L"1 File");
    EXPECT_EQ(PlaylistSummary(1, -1), L"1 File");
    EXPECT_EQ(PlaylistSummary(1, 65000000), L"1 File, 1:05");
    EXPECT_EQ(PlaylistSummary(3, 0), L"3 Files");
    EXPECT_EQ(PlaylistSummary(12, (3600LL + 2 * 60 + 5) * 1000000), L"12 Files, 1:02:05");
}

class EmptyView : public fw::CView {
protected:
    void OnDraw(HDC) override {}
};

class MenuFrame : public CMBFrameWnd {
public:
    CStatusMenuBar bar;

protected:
    int OnCreate(const CREATESTRUCTW& cs) override {
        if (CMBFrameWnd::OnCreate(cs) == -1) return -1;
        if (!bar.Create(*this, IDW_MENUBAR)) return -1;
        MoveMenuToBar(bar);
        return 0;
    }
};

class MenuBarTest : public testing::Test {
protected:
    void SetUp() override {
        resources_.Init();
        PublishResources(&resources_);
        fw::CCreateContext context{&document_, [] { return new EmptyView; }};
        frame_ = new MenuFrame;
        ASSERT_TRUE(frame_->LoadFrame(128, WS_OVERLAPPEDWINDOW, context));
        SetWindowPos(frame_->Hwnd(), nullptr, 0, 0, 640, 400, SWP_NOZORDER);
        frame_->InitialUpdateFrame();
        frame_->Show(SW_SHOW);
    }
    void TearDown() override {
        if (frame_) frame_->DestroyWindow();
        PublishResources(nullptr);
    }
    CStatusMenuBar& Bar() { return frame_->bar; }
    void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    CAppResources resources_;
    fw::CDocument document_;
    MenuFrame* frame_ = nullptr;
};

TEST_F(MenuBarTest, TheWindowsMenuBecomesTextItemsOnTheBar) {
    EXPECT_EQ(GetMenu(frame_->Hwnd()), nullptr);
    ASSERT_EQ(Bar().ItemCount(), 6u);
    const wchar_t* names[] = {L"File", L"View", L"Play", L"Playlist", L"Tools", L"Help"};
    HDC dc = GetDC(Bar().Hwnd());
    HGDIOBJ old = SelectObject(dc, resources_.normalFont.Get());
    int x = 0;
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(Bar().Item(i).Text(), names[i]);
        EXPECT_EQ(Bar().Item(i).Mnemonic(), names[i][0]);
        SIZE size;
        GetTextExtentPoint32W(dc, names[i], static_cast<int>(wcslen(names[i])), &size);
        RECT rc = Bar().Item(i).GetRect();
        EXPECT_EQ(rc.left, x);
        EXPECT_EQ(rc.right - rc.left, size.cx + 18) << i;
        EXPECT_EQ(rc.bottom, Bar().ClientRect().bottom - 1);
        x = rc.right;
    }
    SelectObject(dc, old);
    ReleaseDC(Bar().Hwnd(), dc);
    // The bar takes the frame's top 18 pixels.
    RECT bar = Bar().WindowRect();
    EXPECT_EQ(bar.bottom - bar.top, 18);
}

TEST_F(MenuBarTest, AltLetterOpensTheMatchingMenuAndOtherLettersAreLeftAlone) {
    LRESULT closed = frame_->SendMessage(WM_MENUCHAR, MAKEWPARAM(L'p', MF_SYSMENU), 0);
    EXPECT_EQ(HIWORD(closed), MNC_CLOSE);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, Bar().Hwnd(), WM_MENUBAR_OPEN, WM_MENUBAR_OPEN, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);  // "Play", by its first letter: the entries have no "&"
    EXPECT_EQ(LOWORD(msg.lParam), 1);
    EXPECT_NE(HIWORD(frame_->SendMessage(WM_MENUCHAR, MAKEWPARAM(L'x', MF_SYSMENU), 0)), MNC_CLOSE);
}

TEST_F(MenuBarTest, AltAloneStartsKeyboardTrackingAndEscapeEndsIt) {
    frame_->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(Bar().IsTracking());
    EXPECT_EQ(Bar().HotItem(), 0);
    Bar().SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(Bar().HotItem(), 5);  // wraps to "Help"
    Bar().SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(Bar().HotItem(), 0);
    Bar().SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(Bar().IsTracking());
    EXPECT_EQ(Bar().HotItem(), -1);
}

TEST_F(MenuBarTest, AltWithAnotherKeyIsAShortcutNotATripToTheMenu) {
    MSG altDown{frame_->Hwnd(), WM_SYSKEYDOWN, VK_MENU, 0x20380001};
    MSG three{frame_->Hwnd(), WM_SYSKEYDOWN, '3', 0x20040001};
    frame_->PreTranslateMessage(altDown);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    frame_->PreTranslateMessage(three);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    frame_->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);  // what the release of Alt brings
    EXPECT_FALSE(Bar().IsTracking());

    frame_->PreTranslateMessage(altDown);  // Alt alone this time
    frame_->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(Bar().IsTracking());
    Bar().SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
}

// The popup's own loop: Right arrow on an entry without a sub-menu moves on to the next menu.
TEST_F(MenuBarTest, RightArrowInAnOpenPopupOpensTheNextMenu) {
    std::vector<int> opened;
    int step = 0;
    ModalDriver driver([&] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup) return false;
        opened.push_back(Bar().PressedItem());
        if (step++ == 0) {
            PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
            return false;
        }
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    Bar().SendMessage(WM_MENUBAR_OPEN, 0, 1);
    ASSERT_GE(opened.size(), 2u);
    EXPECT_EQ(opened[0], 0);
    EXPECT_EQ(opened.back(), 1);
    EXPECT_EQ(Bar().PressedItem(), -1);
}

// In "Play", Right on "Seek" opens its sub-menu instead of moving on, and Left inside "Seek"
// closes it instead of moving to "View".
TEST_F(MenuBarTest, ArrowsFollowCascadedSubMenusBeforeMovingAcrossTheBar) {
    int step = 0;
    int popupsWithSeekOpen = 0;
    std::vector<int> pressed;
    ModalDriver driver([&] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup) return false;
        pressed.push_back(Bar().PressedItem());
        switch (step++) {
        case 0:  // select "Seek", the third entry
            PostMessageW(popup, WM_KEYDOWN, VK_HOME, 0);
            PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            return false;
        case 1:
            PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
            return false;
        case 2: {
            int count = 0;
            for (HWND h = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); h; h = FindWindowExW(nullptr, h, L"#32768", nullptr))
                if (IsWindowVisible(h)) ++count;
            popupsWithSeekOpen = count;
            PostMessageW(popup, WM_KEYDOWN, VK_LEFT, 0);
            return false;
        }
        default:
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            return step > 5;
        }
    });
    Bar().SendMessage(WM_MENUBAR_OPEN, 2, 1);
    EXPECT_EQ(popupsWithSeekOpen, 2);  // "Play" and its "Seek" sub-menu
    ASSERT_GE(pressed.size(), 4u);
    for (int p : pressed) EXPECT_EQ(p, 2);  // never moved on to another menu of the bar
    Bar().SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(MenuBarTest, EscapeClosesTheTopPopupButKeepsTheBarForTheKeyboard) {
    ModalDriver driver([&] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup) return false;
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    Bar().SendMessage(WM_MENUBAR_OPEN, 2, 1);
    EXPECT_TRUE(Bar().IsTracking());
    EXPECT_EQ(Bar().HotItem(), 2);
    Bar().SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);  // the second Escape leaves the bar
    EXPECT_FALSE(Bar().IsTracking());
}

// The bar as it shows on screen, one COLORREF per pixel, row by row.
std::vector<COLORREF> BarPixels(HWND bar, RECT& rc) {
    UpdateWindow(bar);
    GetWindowRect(bar, &rc);
    std::vector<COLORREF> pixels;
    for (DWORD pixel : test::ScreenPixels(rc)) pixels.push_back(test::ColorOf(pixel));
    return pixels;
}

// The summary is drawn in light grey at the bar's right end, clear of the menu items, and goes
// again when the playlist empties.
TEST_F(MenuBarTest, TheSummaryIsShownAtTheRightEnd) {
    SetWindowPos(frame_->Hwnd(), HWND_TOPMOST, 0, 0, 640, 400, SWP_NOACTIVATE);
    Pump();
    RECT rc{};
    const std::vector<COLORREF> empty = BarPixels(Bar().Hwnd(), rc);
    const int width = rc.right - rc.left;
    ASSERT_GT(width, 300);

    Bar().SetSummary(12, (3600LL + 2 * 60 + 5) * 1000000);
    Pump();
    const std::vector<COLORREF> shown = BarPixels(Bar().Hwnd(), rc);
    ASSERT_EQ(shown.size(), empty.size());
    int leftmost = width, rightmost = -1, grey = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == empty[i]) continue;
        const int x = static_cast<int>(i % static_cast<size_t>(width));
        leftmost = std::min(leftmost, x);
        rightmost = std::max(rightmost, x);
        if (shown[i] == RGB(0xC0, 0xC0, 0xC0)) ++grey;
    }
    ASSERT_GE(rightmost, 0) << "the summary changed no pixel";
    EXPECT_GT(grey, 20) << "the text is not drawn in its light grey";
    EXPECT_GE(rightmost, width - 4 - 6);  // right-aligned, 4 pixels in
    EXPECT_LT(rightmost, width - 4 + 1);
    EXPECT_GE(leftmost, width - 160);     // within what a new summary repaints
    EXPECT_GT(rightmost - leftmost, 60);  // "12 Files, 1:02:05" is more than a few letters wide

    Bar().SetSummary(0, 0);
    Pump();
    EXPECT_TRUE(BarPixels(Bar().Hwnd(), rc) == empty) << "the summary stayed on the bar";
}

} // namespace
