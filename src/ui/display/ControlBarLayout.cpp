#include "ui/display/ControlBarLayout.h"

namespace zevrin {

std::array<RECT, kGadgetCount> LayOutControlBar(const RECT& client, int timeWidth, bool switchVisible, int dpi) {
    const fw::CDpi px(dpi);
    const int top = client.top + px(1);  // the strip's highlight line stays visible
    const int rowTop = top + ((client.bottom - top) - px(23)) / 2;
    const RECT row{0, rowTop, 0, rowTop + px(23)};
    const RECT band{0, top + px(1), 0, client.bottom - px(1)};
    const int fixed = px(413) + timeWidth + (switchVisible ? px(32) : 0);
    const int width = client.right - client.left;
    const int seekWidth = width > fixed ? width - fixed + px(100) : px(100);

    struct Step { int gap; int width; bool slider; };
    const Step steps[kGadgetCount] = {
        {0, px(50), false}, {0, px(32), false}, {px(4), px(32), false}, {0, px(32), false}, {px(4), seekWidth, true},
        {0, timeWidth, false}, {0, px(32), false}, {0, px(55), true}, {px(4), px(32), false}, {px(2), px(32), false},
        {px(2), px(32), false},
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
