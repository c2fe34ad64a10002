#include "ui/display/ControlBarLayout.h"

namespace zevrin {

std::array<RECT, kGadgetCount> LayOutControlBar(const RECT& client, int timeWidth, bool switchVisible) {
    const int top = client.top + 1;  // the strip's highlight line stays visible
    const int rowTop = top + ((client.bottom - top) - 23) / 2;
    const RECT row{0, rowTop, 0, rowTop + 23};
    const RECT band{0, top + 1, 0, client.bottom - 1};
    const int fixed = 413 + timeWidth + (switchVisible ? 32 : 0);
    const int width = client.right - client.left;
    const int seekWidth = width > fixed ? width - fixed + 100 : 100;

    struct Step { int gap; int width; bool slider; };
    const Step steps[kGadgetCount] = {
        {0, 50, false}, {0, 32, false}, {4, 32, false}, {0, 32, false}, {4, seekWidth, true},
        {0, timeWidth, false}, {0, 32, false}, {0, 55, true}, {4, 32, false}, {2, 32, false}, {2, 32, false},
    };
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
