#pragma once
// Where the control bar's eleven gadgets go: fixed-width buttons around a seek slider that takes
// what is left of the bar's width (at least 100 pixels). Sizes are at 96 DPI, scaled to `dpi`;
// `timeWidth` is already in the bar's pixels.
#include "framework/Dpi.h"

#include <windows.h>

#include <array>

namespace zevrin {

enum ControlBarGadget {
    kPlayGadget,
    kStopGadget,
    kPreviousGadget,
    kNextGadget,
    kSeekGadget,
    kTimeGadget,
    kMuteGadget,
    kVolumeGadget,
    kZoomGadget,
    kFullScreenGadget,
    kSwitchGadget,
    kGadgetCount
};

std::array<RECT, kGadgetCount> LayOutControlBar(const RECT& client, int timeWidth, bool switchVisible,
                                                int dpi = fw::kBaseDpi);

} // namespace zevrin
