#include "framework/UnitScrollView.h"

#include <algorithm>

namespace fw {

void CUnitScrollView::SetUnitSize(int cx, int cy, bool update) {
    unitSize_ = {std::max(cx, 1), std::max(cy, 1)};
    if (update && Hwnd()) {
        UpdateBars();
        Invalidate(true);
    }
}

// totalDevice counts units: the range is the whole units that do not fit, in pixels.
SIZE CUnitScrollView::ScrollRange(SIZE client) {
    SIZE range = MapTotalSize(totalDevice_);
    return {(range.cx - client.cx / unitSize_.cx) * unitSize_.cx, (range.cy - client.cy / unitSize_.cy) * unitSize_.cy};
}

// As the base, but a page is the number of whole units that fit.
void CUnitScrollView::UpdateBars() {
    if (insideUpdate_) return;
    insideUpdate_ = true;
    SIZE client, bars;
    if (!GetTrueClientSize(client, bars)) {
        RECT rc = ClientRect();
        if (rc.right > 0 && rc.bottom > 0) ::EnableScrollBar(Hwnd(), SB_BOTH, ESB_DISABLE_BOTH);
        insideUpdate_ = false;
        return;
    }
    bool needH = false, needV = false;
    SIZE range;
    POINT moveTo;
    GetScrollBarState(client, needH, needV, range, moveTo, true);
    if (needH) client.cy -= bars.cy;
    if (needV) client.cx -= bars.cx;
    pageSize_ = {client.cx / unitSize_.cx, client.cy / unitSize_.cy};
    ScrollToDevicePosition(moveTo.x, moveTo.y, false);
    ApplyBars(client, needH, needV, range, pageSize_);
    insideUpdate_ = false;
}

} // namespace fw
