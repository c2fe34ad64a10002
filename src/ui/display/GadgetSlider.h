#pragma once
// A horizontal slider gadget: a track and a thumb from one image list (0 empty track, 1 filled
// track, 3 thumb). Dragged or clicked by the mouse, it tells its bar with WM_SLIDER_CHANGED.
#include "ui/display/Gadget.h"

namespace zevrin {

// Sent to the bar's window when the mouse changed a slider: wParam the value, lParam the slider.
inline constexpr UINT WM_SLIDER_CHANGED = WM_USER + 630;

// The geometry of a slider, apart from any window so that it can be checked on its own.
struct SliderGeometry {
    RECT rect;
    int imageWidth;
    int imageHeight;
    int maximum;

    RECT Track() const;
    int ThumbLeft(int value) const;
    // The value at x; -1 when x is outside the slider and it is not being dragged.
    int ValueAt(int x, bool dragging) const;
};

class CGadgetSlider : public CGadget {
public:
    enum class Fill { Tiles, Pieces }; // the seek slider tiles its images, the volume slider has ticks

    CGadgetSlider(CGadgetBar& bar, Fill fill) : CGadget(bar, kNoCommand), fill_(fill) {}

    void SetImages(HIMAGELIST images) { images_ = images; }
    int Maximum() const { return maximum_; }
    int Value() const { return value_; }
    // A range of 0 or less would make every position the end: it is kept as 1000 instead.
    void SetMaximum(int maximum, bool redraw = false);
    // Returns true when the value changed.
    bool SetValue(int value, bool redraw = true);
    bool IsDragging() const { return CapturedGadget() == this; }
    SliderGeometry Geometry() const;

    void Paint(HDC dc) override;
    bool MouseMessage(UINT message, WPARAM wParam, POINT pt) override;

private:
    void SetValueByMouse(int value);
    void DrawTiles(HDC dc, int image, int from, int to, const RECT& track) const;
    void DrawPieces(HDC dc, int from, int to, const RECT& track) const;

    Fill fill_;
    HIMAGELIST images_ = nullptr;
    int maximum_ = 99;
    int value_ = 0;
};

} // namespace zevrin
