#pragma once
// Resource ids of the playlist pane's own art.
#include <windows.h>

namespace zevrin::playlist_res {

inline constexpr UINT kStateIcons = 130;     // 16x16 play states: grid playing, paused, -, list playing, paused
inline constexpr UINT kKindIcons = 148;      // 32x32 pictures in place of a thumbnail, by item kind
inline constexpr UINT kOverlayButtons = 151; // 20x20 hover play button: normal, hover, pressed
inline constexpr UINT kCursorMoveAcross = 140;  // drop between cells of a row
inline constexpr UINT kCursorMoveDown = 402;    // drop between rows
inline constexpr UINT kCursorRemove = 136;      // dropped here, the item leaves the playlist
inline constexpr UINT kCursorPlay = 138;        // dropped here, the item plays
inline constexpr UINT kPlayHover = 160;
inline constexpr UINT kPlayNormal = 161;
inline constexpr UINT kContextMenus = 149;
inline constexpr COLORREF kMaskColor = RGB(255, 0, 255);

} // namespace zevrin::playlist_res
