#include "ui/display/ControlBarLayout.h"

#include <algorithm>

namespace zevrin {

std::array<RECT, kGadgetCount> LayOutControlBar(const RECT& client, int timeWidth, bool switchVisible, int dpi) {
    const fw::CDpi px(dpi);
    const int top = client.top + px(1); // the strip's highlight line stays visible
    const int rowTop = top + ((client.bottom - top) - px(23)) / 2;
    const RECT row{0, rowTop, 0, rowTop + px(23)};
    const RECT band{0, top + px(1), 0, client.bottom - px(1)};
    struct Step {
        int gap;
        int width;
        bool slider;
    };
    Step steps[kGadgetCount] = {
        {0, px(50), false},     {0, px(32), false},     {px(4), px(32), false}, {0, px(32), false},
        {px(4), 0, true},       {0, timeWidth, false},  {0, px(32), false},     {0, px(55), true},
        {px(4), px(32), false}, {px(2), px(32), false}, {px(2), px(32), false},
    };
    // The seek slider takes what the others leave (the switch's gap stays reserved while it is
    // hidden), summed from the scaled sizes so that rounding never pushes the last one out.
    int others = 0;
    for (int i = 0; i < kGadgetCount; ++i)
        others += steps[i].gap + (i == kSwitchGadget && !switchVisible ? 0 : steps[i].width);
    const int width = client.right - client.left;
    steps[kSeekGadget].width = std::max(width - others, px(100));
    std::array<RECT, kGadgetCount> rects{};
    int x = 0;
    for (int i = 0; i < kGadgetCount; ++i) {
        RECT r = steps[i].slider ? band : row;
        r.left = x + steps[i].gap;
        r.right = r.left + steps[i].width;
        rects[i] = r;
        x = r.right;
    }
    if (!switchVisible) rects[kSwitchGadget] = RECT{};
    return rects;
}

} // namespace zevrin
