#include "framework/VirtualScrollViewEx.h"

namespace fw {

namespace {

// The bar's 32-bit position while its thumb is dragged, when the message's 16 bits are its low
// half; otherwise (a message sent by a program, not by a drag) the message's own position.
UINT FullThumbPosition(HWND hwnd, int bar, UINT position) {
    SCROLLINFO si{sizeof(si), SIF_TRACKPOS};
    if (::GetScrollInfo(hwnd, bar, &si) && (static_cast<UINT>(si.nTrackPos) & 0xFFFF) == (position & 0xFFFF))
        return static_cast<UINT>(si.nTrackPos);
    return position;
}

bool IsThumbRequest(UINT request) { return request == SB_THUMBTRACK || request == SB_THUMBPOSITION; }

} // namespace

// Both the dragging (SB_THUMBTRACK) and the release (SB_THUMBPOSITION) carry only 16 bits: a
// release that took them as they come would throw a long list back to the position's low half.
bool CVirtualScrollViewEx::OnScroll(UINT code, UINT position, bool doScroll) {
    if (IsThumbRequest(LOBYTE(code)))
        position = FullThumbPosition(Hwnd(), SB_HORZ, position);
    else if (IsThumbRequest(HIBYTE(code)))
        position = FullThumbPosition(Hwnd(), SB_VERT, position);
    return CVirtualScrollView::OnScroll(code, position, doScroll);
}

} // namespace fw
