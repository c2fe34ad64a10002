#pragma once
// A scroll view that counts positions, pages and ranges in units (list rows, say) rather than
// in pixels: one unit is unitSize pixels.
#include "framework/VirtualScrollViewEx.h"

namespace fw {

class CUnitScrollView : public CVirtualScrollViewEx {
public:
    void SetUnitSize(int cx, int cy, bool update = true);
    SIZE UnitSize() const { return unitSize_; }

    void UpdateBars() override;
    SIZE ScrollRange(SIZE client) override;

protected:
    SIZE unitSize_{1, 1};
};

} // namespace fw
