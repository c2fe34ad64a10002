#include "ui/display/GadgetSlider.h"

#include "ui/display/GadgetBar.h"

#include <algorithm>
#include <commctrl.h>

namespace zevrin {

RECT SliderGeometry::Track() const {
    RECT t = rect;
    t.left += imageWidth / 2;
    t.right -= imageWidth - imageWidth / 2;
    t.top = rect.top + ((rect.bottom - rect.top) - imageHeight) / 2;
    t.bottom = t.top + imageHeight;
    return t;
}

int SliderGeometry::ThumbLeft(int value) const {
    RECT t = Track();
    int left = t.left - imageWidth / 2;
    if (value > 0 && maximum > 0)
        left = static_cast<int>(static_cast<double>(t.right - t.left) / maximum * value) + t.left - imageWidth / 2;
    return std::clamp(left, static_cast<int>(rect.left), std::max<int>(rect.left, rect.right - imageWidth));
}

int SliderGeometry::ValueAt(int x, bool dragging) const {
    RECT t = Track();
    if (x >= rect.left && x < rect.right) {
        x = std::max<int>(x, t.left);
    } else if (!dragging) {
        return -1;
    }
    if (x > t.right) return maximum;
    if (x < t.left) return 0;
    if (t.right <= t.left) return 0;
    return static_cast<int>(static_cast<double>(maximum) / (t.right - t.left) * (std::min<int>(x, t.right) - t.left));
}

void CGadgetSlider::SetMaximum(int maximum, bool redraw) {
    maximum_ = maximum <= 0 ? 1000 : maximum;
    if (redraw) Redraw();
}

bool CGadgetSlider::SetValue(int value, bool redraw) {
    if (value == value_) return false;
    value_ = value;
    if (redraw) Redraw();
    return true;
}

SliderGeometry CGadgetSlider::Geometry() const {
    int cx = 0, cy = 0;
    if (images_) ImageList_GetIconSize(images_, &cx, &cy);
    return SliderGeometry{GetRect(), cx, cy, maximum_};
}

void CGadgetSlider::SetValueByMouse(int value) {
    if (SetValue(value, true))
        Bar().SendMessage(WM_SLIDER_CHANGED, static_cast<WPARAM>(value), reinterpret_cast<LPARAM>(this));
}

bool CGadgetSlider::MouseMessage(UINT message, WPARAM, POINT pt) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (IsHidden() || !IsEnabled() || !HitTest(pt)) return false;
        int v = Geometry().ValueAt(pt.x, false);
        if (v == -1) return true;
        SetValueByMouse(v);
        SetPressed(this);
        SetCapture(Bar().Hwnd());
        return true;
    }
    case WM_MOUSEMOVE:
        if (PressedGadget() != this) return false;
        if (IsDragging()) {
            SetValueByMouse(Geometry().ValueAt(pt.x, true));
        } else {
            SliderGeometry g = Geometry();
            int thumb = g.ThumbLeft(value_);
            if (pt.x >= thumb && pt.x < thumb + g.imageWidth) SetCaptured(this);
        }
        return true;
    case WM_LBUTTONUP:
        if (PressedGadget() != this && CapturedGadget() != this) return false;
        if (CapturedGadget() == this) SetCaptured(nullptr);
        SetPressed(nullptr);
        if (GetCapture() == Bar().Hwnd()) ReleaseCapture();
        Redraw();
        return true;
    default:
        return false;
    }
}

void CGadgetSlider::DrawTiles(HDC dc, int image, int from, int to, const RECT& track) const {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images_, &cx, &cy);
    for (int x = from; x < to; x += cx) {
        int w = std::min(cx, to - x);
        ImageList_DrawEx(images_, image, dc, x, track.top, w, cy, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    }
}

// The volume slider's filled part is a row of ticks: 4-pixel pieces every 5 pixels at 96 DPI.
void CGadgetSlider::DrawPieces(HDC dc, int from, int to, const RECT& track) const {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images_, &cx, &cy);
    const fw::CDpi px = Bar().Dpi();
    const int step = std::max(px(5), 2), piece = std::max(std::min(px(4), step - 1), 1);
    for (int x = from; x < to; x += step)
        ImageList_DrawEx(images_, 1, dc, x, track.top, std::min(piece, to - x), cy, CLR_NONE, CLR_NONE,
                         ILD_TRANSPARENT);
}

void CGadgetSlider::Paint(HDC dc) {
    if (IsHidden() || !images_) return;
    SliderGeometry g = Geometry();
    RECT track = g.Track();
    int thumb = g.ThumbLeft(value_);
    int centre = thumb + g.imageWidth / 2;
    if (fill_ == Fill::Tiles) {
        DrawTiles(dc, 0, centre, track.right, track);
        if (value_ > 0) DrawTiles(dc, 1, track.left, centre, track);
    } else {
        DrawTiles(dc, 0, track.left, track.right, track);
        DrawPieces(dc, track.left, centre, track);
    }
    if (HotGadget() == this || PressedGadget() == this || IsDragging())
        ImageList_Draw(images_, 3, dc, thumb, track.top, ILD_TRANSPARENT);
}

} // namespace zevrin
