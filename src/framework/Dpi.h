#pragma once
// Sizes on the screen. Every size in the program is written in its own units, the pixels of a
// screen at 96 DPI (100 %), and scaled to the DPI of the window it is drawn in, so the program
// looks the same at 125 %, 150 % or 200 % and follows a window moved to a screen of another
// scale. Stored values (the cell size setting) stay in the program's units.
#include <windows.h>

namespace fw {

inline constexpr int kBaseDpi = 96;

// Sent by a frame to each of its descendants after its DPI changed (wParam the new DPI): fonts,
// images and sizes are to be rebuilt at that scale. The frame lays itself out afterwards.
inline constexpr UINT WM_DPI_RESCALE = WM_APP + 960;

// `units` at `dpi`, rounded to the nearest pixel (halves away from zero).
constexpr int ScaleTo(int units, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi) return units;
    long long scaled = static_cast<long long>(units) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kBaseDpi / 2) / kBaseDpi : -((-scaled + kBaseDpi / 2) / kBaseDpi));
}

// Pixels at `dpi` back into the program's units, rounded to the nearest.
constexpr int UnscaleFrom(int pixels, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi) return pixels;
    long long units = static_cast<long long>(pixels) * kBaseDpi;
    return static_cast<int>(units >= 0 ? (units + dpi / 2) / dpi : -((-units + dpi / 2) / dpi));
}

constexpr SIZE ScaleTo(SIZE units, int dpi) { return SIZE{ScaleTo(units.cx, dpi), ScaleTo(units.cy, dpi)}; }

// The scale of the drawn art to use at `dpi`: 100, 150 or 200 percent, the largest that is not
// bigger than the screen's scale, so art is never blown up into blur (at 125 % the 100 % art
// is drawn sharp in its larger slot).
constexpr int ArtScalePercent(int dpi) {
    if (dpi >= 2 * kBaseDpi) return 200;
    if (dpi * 2 >= 3 * kBaseDpi) return 150;
    return 100;
}

// Drawn art comes at 100, 150 and 200 %: the copies carry the 100 % image's resource id plus
// 1000 (150 %) or 2000 (200 %), and each of their sizes is the 100 % size times the scale,
// rounded half up.
constexpr unsigned ArtResourceId(unsigned id, int percent) {
    return percent >= 200 ? id + 2000 : percent >= 150 ? id + 1000 : id;
}
constexpr int ArtSize(int units, int percent) { return (units * percent + 50) / 100; }

// The DPI of the screen at start: the system DPI.
int SystemDpi();
// The DPI a window is drawn at: its monitor's DPI where the system tells it per window, the
// system DPI elsewhere and without a window.
int DpiOf(HWND hwnd);

// The window's DPI and the scaling to it, for code that writes many sizes in a row.
class CDpi {
public:
    explicit CDpi(int dpi = kBaseDpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}
    static CDpi Of(HWND hwnd) { return CDpi(DpiOf(hwnd)); }

    int Value() const { return dpi_; }
    int operator()(int units) const { return ScaleTo(units, dpi_); }
    SIZE operator()(SIZE units) const { return ScaleTo(units, dpi_); }
    int Unscale(int pixels) const { return UnscaleFrom(pixels, dpi_); }
    int ArtScale() const { return ArtScalePercent(dpi_); }

private:
    int dpi_;
};

} // namespace fw
