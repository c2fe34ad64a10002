// How an item looks: a thumbnail cell in grid style, a row in list style.
#include "ui/playlist/PlaylistView.h"

#include "services/AppResources.h"
#include "services/AppSettings.h"

#include <commctrl.h>

namespace zevrin {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

void Fill(HDC dc, const RECT& rc, COLORREF color) {
    ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void Frame(HDC dc, const RECT& rc, COLORREF color, int width = 1) {
    Fill(dc, {rc.left, rc.top, rc.right, rc.top + width}, color);
    Fill(dc, {rc.left, rc.bottom - width, rc.right, rc.bottom}, color);
    Fill(dc, {rc.left, rc.top, rc.left + width, rc.bottom}, color);
    Fill(dc, {rc.right - width, rc.top, rc.right, rc.bottom}, color);
}

// A filled rectangle with a border and cut corners.
void CutCornerBox(HDC dc, const RECT& rc, COLORREF corner, COLORREF fill, COLORREF border) {
    Fill(dc, rc, fill);
    Frame(dc, rc, border);
    for (POINT p : {POINT{rc.left, rc.top}, POINT{rc.right - 1, rc.top}, POINT{rc.left, rc.bottom - 1},
                    POINT{rc.right - 1, rc.bottom - 1}})
        ::SetPixelV(dc, p.x, p.y, corner);
}

void DrawLabel(HDC dc, const std::wstring& text, RECT rc, UINT format) {
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format | DT_NOPREFIX);
}

} // namespace

int CPlaylistView::DigitWidth(HDC dc) {
    if (digitWidth_ == 0) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, L"5", 1, &size);
        digitWidth_ = size.cx > 0 ? size.cx : px_(7);
    }
    return digitWidth_;
}

RECT CPlaylistView::HoverButtonRect(int index) const {
    RECT rc{};
    if (!GetItemRect(index, rc)) return {};
    if (IsGridStyle()) {
        int top = rc.top + px_(5) + px_(Settings().thumbnailCy) - px_(22);
        return {rc.left + px_(7), top, rc.left + px_(27), top + px_(20)};
    }
    int top = rc.top + (rc.bottom - rc.top - px_(20)) / 2;
    return {rc.left, top, rc.left + px_(20), top + px_(20)};
}

void CPlaylistView::DrawGridItem(HDC dc, int index, const RECT& cell) { DrawItem(dc, index, cell, false); }
void CPlaylistView::DrawListItem(HDC dc, int index, const RECT& row) { DrawItem(dc, index, row, false); }

// Each item goes through its own off-screen surface; the dragged one leaves a gap.
void CPlaylistView::DrawItem(HDC dc, int index, const RECT& rc, bool dragImage) {
    const CPlaylistItem* item = GetItem(index);
    if (!item) return;
    if (index == drag_.Source() && !dragImage) {
        Fill(dc, rc, backColor_);
        return;
    }
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return;
    HDC memory = ::CreateCompatibleDC(dc);
    fw::UniqueBitmap surface(::CreateCompatibleBitmap(dc, w, h));
    HGDIOBJ oldBitmap = ::SelectObject(memory, surface.Get());
    HFONT font =
        Resources().normalFont ? Resources().normalFont.Get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ oldFont = ::SelectObject(memory, font);
    ::SetBkMode(memory, TRANSPARENT);
    UINT state = GetItemState(index);
    bool light = dragImage || (state & (GLIS_HOT | GLIS_SELECTED));
    ::SetTextColor(memory, light ? (item->playMark ? RGB(0, 0x80, 0) : RGB(0, 0, 0))
                                 : (item->playMark ? RGB(0, 0xFF, 0) : kWhite));
    RECT local{0, 0, w, h};
    if (IsGridStyle())
        DrawGridCell(memory, *item, state, local, dragImage);
    else
        DrawListRow(memory, index, *item, state, local, dragImage);
    ::BitBlt(dc, rc.left, rc.top, w, h, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, oldFont);
    ::SelectObject(memory, oldBitmap);
    ::DeleteDC(memory);
}

void CPlaylistView::DrawGridCell(HDC dc, const CPlaylistItem& item, UINT state, const RECT& cell, bool dragImage) {
    const int tcx = px_(Settings().thumbnailCx), tcy = px_(Settings().thumbnailCy);
    const int m4 = px_(4), m5 = px_(5);
    const RECT box{cell.left + m5, cell.top + m5, cell.left + m5 + tcx, cell.top + m5 + tcy};
    bool current = item.playMark == 1 || item.playMark == 2;
    if (dragImage)
        CutCornerBox(dc, cell, kWhite, RGB(0xE0, 0xE0, 0xE0), RGB(0xD4, 0xD4, 0xD4));
    else if (state & GLIS_HOT)
        CutCornerBox(dc, cell, backColor_, kWhite, RGB(0xF0, 0xF0, 0xF0));
    else if (state & GLIS_SELECTED)
        CutCornerBox(dc, cell, backColor_, RGB(0xE0, 0xE0, 0xE0), RGB(0xD4, 0xD4, 0xD4));
    else if (current)
        CutCornerBox(dc, cell, backColor_, RGB(0x60, 0x60, 0x60), RGB(0x58, 0x58, 0x58));
    else {
        Fill(dc, {cell.left, cell.top, cell.right, cell.top + m4}, backColor_);
        Fill(dc, {cell.left, cell.top + m5 + tcy + px_(1), cell.right, cell.bottom}, backColor_);
        Fill(dc, {cell.left, cell.top, cell.left + m4, cell.bottom}, backColor_);
        Fill(dc, {cell.right - m4, cell.top, cell.right, cell.bottom}, backColor_);
    }
    Frame(dc, {box.left - px_(1), box.top - px_(1), box.right + px_(1), box.bottom + px_(1)}, RGB(0x40, 0x40, 0x40),
          px_(1));

    if (item.kind == kKindPicture && item.HasWork(ItemWork::ImageLoaded) && !item.thumbnail.IsEmpty()) {
        item.thumbnail.Draw(dc, box);
    } else {
        Fill(dc, box, RGB(0, 0, 0));
        if (item.kind >= 0 && kindIcons_)
            ::ImageList_Draw(kindIcons_.Get(), item.kind, dc, (box.left + box.right - kindIconSize_) / 2,
                             (box.top + box.bottom - kindIconSize_) / 2, ILD_TRANSPARENT);
    }
    if (showDuration_ && !item.durationText.empty()) {
        int w = DigitWidth(dc);
        RECT badge{box.left + px_(2), box.top + px_(2), box.right - px_(2), box.bottom - px_(2)};
        badge.top = badge.bottom - px_(16);
        badge.left = badge.right - static_cast<int>(item.durationText.size()) * w - px_(4);
        Fill(dc, badge, RGB(0xFC, 0xFC, 0xFC));
        Frame(dc, badge, RGB(0xE0, 0xE0, 0xE0));
        COLORREF old = ::SetTextColor(dc, RGB(0x20, 0x20, 0x20));
        DrawLabel(dc, item.durationText, badge, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        ::SetTextColor(dc, old);
    }
    if (current && stateIcons_)
        ::ImageList_Draw(stateIcons_.Get(), item.playMark - 1, dc, box.left + px_(2),
                         box.bottom - px_(2) - stateIconSize_, ILD_TRANSPARENT);
    if ((state & GLIS_HOT) && item.playMark != 1 && overlayButtons_ && !dragImage) {
        int top = cell.top + m5 + tcy - px_(22);
        ::ImageList_Draw(overlayButtons_.Get(), overlayState_, dc, cell.left + px_(7), top, ILD_TRANSPARENT);
    }
    if (showTitle_ && !item.title.empty())
        DrawLabel(dc, item.title, {box.left, box.bottom + m4, box.right, cell.bottom - m5},
                  DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS);
}

void CPlaylistView::DrawListRow(HDC dc, int index, const CPlaylistItem& item, UINT state, const RECT& row,
                                bool dragImage) {
    const COLORREF band = RGB(0xE0, 0xE0, 0xE0), edge = RGB(0xD4, 0xD4, 0xD4);
    const int line = px_(1);
    const RECT topLine{row.left, row.top, row.right, row.top + line},
        bottomLine{row.left, row.bottom - line, row.right, row.bottom};
    bool current = item.playMark == 1 || item.playMark == 2;
    if (dragImage) {
        Fill(dc, row, band);
        Frame(dc, row, edge, line);
    } else if (state & GLIS_HOT) {
        Fill(dc, row, kWhite);
        Fill(dc, topLine, RGB(0xF0, 0xF0, 0xF0));
        Fill(dc, bottomLine, RGB(0xF0, 0xF0, 0xF0));
    } else if (state & GLIS_SELECTED) {
        // Adjacent selected rows join into one band.
        bool above = GetItemState(index - 1) & GLIS_SELECTED, below = GetItemState(index + 1) & GLIS_SELECTED;
        Fill(dc, row, band);
        if (!above) Fill(dc, topLine, edge);
        if (!below) Fill(dc, bottomLine, edge);
    } else if (current) {
        Fill(dc, row, RGB(0x60, 0x60, 0x60));
        Fill(dc, topLine, RGB(0x58, 0x58, 0x58));
        Fill(dc, bottomLine, RGB(0x58, 0x58, 0x58));
    } else {
        Fill(dc, row, backColor_);
    }
    int w = DigitWidth(dc);
    RECT text{row.left + px_(4), row.top, row.right - px_(4), row.bottom};
    if (!item.durationText.empty())
        DrawLabel(
            dc, item.durationText,
            {text.right - static_cast<int>(item.durationText.size()) * w - px_(4), text.top, text.right, text.bottom},
            DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    int iconTop = row.top + (row.bottom - row.top - stateIconSize_) / 2;
    HIMAGELIST systemIcons = showIcon_ && item.iconIndex != -1 ? Resources().SmallSystemImages() : nullptr;
    if (systemIcons) {
        int cx = 16, cy = 16;
        ::ImageList_GetIconSize(systemIcons, &cx, &cy);
        ::ImageList_Draw(systemIcons, item.iconIndex, dc, row.left + px_(24), row.top + (row.bottom - row.top - cy) / 2,
                         ILD_TRANSPARENT);
    }
    if (!item.title.empty())
        DrawLabel(dc, item.title,
                  {row.left + (showIcon_ ? px_(44) : px_(24)), text.top, text.right - 7 * w, text.bottom},
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (dragImage) return;
    if (current && stateIcons_)
        ::ImageList_Draw(stateIcons_.Get(), item.playMark + 2, dc, row.left + px_(4), iconTop, ILD_TRANSPARENT);
    if (item.playMark == 1) return;
    if ((state & GLIS_HOT) && overlayButtons_)
        ::ImageList_Draw(overlayButtons_.Get(), overlayState_, dc, row.left,
                         row.top + (row.bottom - row.top - px_(20)) / 2, ILD_TRANSPARENT);
}

} // namespace zevrin
