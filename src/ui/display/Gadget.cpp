#include "ui/display/Gadget.h"

#include "ui/display/GadgetBar.h"

#include <commctrl.h>

namespace zevrin {

// A gadget that goes must not stay behind as the hot, pressed or captured one.
CGadget::~CGadget() {
    if (hot_ == this) hot_ = nullptr;
    if (pressed_ == this) pressed_ = nullptr;
    if (captured_ == this) captured_ = nullptr;
    if (focus_ == this) focus_ = nullptr;
}

void CGadget::SetRect(const RECT& rect, bool redraw) {
    if (redraw) Redraw();
    rect_ = rect;
    if (redraw) Redraw();
}

void CGadget::ChangeFlags(UINT mask, UINT bits, bool redraw) {
    UINT flags = (flags_ & ~mask) | (bits & mask);
    if (flags == flags_) return;
    flags_ = flags;
    if (redraw) Redraw();
}

void CGadget::Redraw(bool updateNow) {
    HWND hwnd = bar_.Hwnd();
    if (!hwnd) return;
    InvalidateRect(hwnd, &rect_, FALSE);
    if (updateNow) UpdateWindow(hwnd);
}

int CGadget::DrawState() const {
    if (!IsEnabled()) return Disabled;
    if (pressed_ == this) return Pressed;
    if (hot_ == this) return Hot;
    if (focus_ == this && GetFocus() == bar_.Hwnd()) return Focused;
    return Normal;
}

void CGadget::SetHot(CGadget* gadget) {
    if (hot_ == gadget) return;
    if (hot_) hot_->Redraw();
    hot_ = gadget;
    if (hot_) hot_->Redraw();
}

void CGadget::SetPressed(CGadget* gadget) {
    if (pressed_ == gadget) return;
    if (pressed_) pressed_->Redraw();
    pressed_ = gadget;
    if (pressed_) pressed_->Redraw();
}

// Plain press-and-release: the command goes when the button comes up over the gadget it went
// down on, so a user can still back out of a click by moving away.
bool CGadget::MouseMessage(UINT message, WPARAM, POINT pt) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (IsHidden() || !IsEnabled() || !HitTest(pt)) return false;
        SetPressed(this);
        SetCapture(bar_.Hwnd());
        return true;
    case WM_LBUTTONUP:
        if (pressed_ != this) return false;
        SetPressed(nullptr);
        if (GetCapture() == bar_.Hwnd()) ReleaseCapture();
        if (HitTest(pt) && commandId_ != kNoCommand) bar_.SendMessage(WM_COMMAND, commandId_, 0);
        return true;
    default:
        return false;
    }
}

void CDrawnGadget::Paint(HDC dc) {
    if (IsHidden()) return;
    int state = DrawState();
    DrawBackground(dc, state);
    DrawForeground(dc, state);
}

void CGadgetButton::SetImages(HIMAGELIST images, bool redraw) {
    if (images_ == images) return;
    images_ = images;
    if (redraw) Redraw();
}

void CGadgetButton::DrawForeground(HDC dc, int state) {
    if (!images_) return;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images_, &cx, &cy);
    const RECT& r = GetRect();
    int x = r.left + ((r.right - r.left) - cx) / 2;
    int y = r.top + ((r.bottom - r.top) - cy) / 2;
    if (state == Pressed) ++x, ++y;
    ImageList_Draw(images_, state, dc, x, y, ILD_TRANSPARENT);
}

} // namespace zevrin
