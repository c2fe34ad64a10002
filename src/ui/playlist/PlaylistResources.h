#pragma once
// The playlist pane's own art, by what it is for; the ids are the resource header's.
#include "res/resource.h"

#include <windows.h>

namespace zevrin::playlist_res {

inline constexpr UINT kStateIcons = IDB_PLAY_STATES; // 16x16 play states: grid playing, paused, -, list playing, paused
inline constexpr UINT kKindIcons = IDB_KIND_ICONS;   // 32x32 pictures in place of a thumbnail, by item kind
inline constexpr UINT kOverlayButtons = IDB_HOVER_PLAY;    // 20x20 hover play button: normal, hover, pressed
inline constexpr UINT kCursorMoveAcross = IDC_DRAG_ACROSS; // drop between cells of a row
inline constexpr UINT kCursorMoveDown = IDC_DRAG_DOWN;     // drop between rows
inline constexpr UINT kCursorRemove = IDC_DRAG_REMOVE;     // dropped here, the item leaves the playlist
inline constexpr UINT kCursorPlay = IDC_DRAG_PLAY;         // dropped here, the item plays
inline constexpr UINT kPlayHover = IDP_PLAY_HOVER;
inline constexpr UINT kPlayNormal = IDP_PLAY_NORMAL;
inline constexpr UINT kContextMenus = IDR_CONTEXT_MENUS;
inline constexpr COLORREF kMaskColor = RGB(255, 0, 255);

} // namespace zevrin::playlist_res
