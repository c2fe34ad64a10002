#include "framework/VirtualScrollViewEx.h"

namespace fw {

bool CVirtualScrollViewEx::OnScroll(UINT code, UINT position, bool doScroll) {
    if (LOBYTE(code) == SB_THUMBTRACK || HIBYTE(code) == SB_THUMBTRACK) {
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS};
        if (::GetScrollInfo(Hwnd(), LOBYTE(code) == SB_THUMBTRACK ? SB_HORZ : SB_VERT, &si))
            position = static_cast<UINT>(si.nTrackPos);
    }
    return CVirtualScrollView::OnScroll(code, position, doScroll);
}

} // namespace fw
