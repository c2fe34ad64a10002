#pragma once
// A scroll view that follows a dragged thumb with the bar's 32-bit tracking position: the
// scroll messages carry only 16 bits, too few for long lists.
#include "framework/VirtualScrollView.h"

namespace fw {

class CVirtualScrollViewEx : public CVirtualScrollView {
public:
    bool OnScroll(UINT code, UINT position, bool doScroll) override;
};

} // namespace fw
