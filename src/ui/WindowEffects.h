#pragma once
// Visual styles and translucent windows. Both come from functions that older systems lack, so
// they are looked up at run time: without them themes count as inactive and windows stay
// opaque, and the program runs the same everywhere else.
#include <windows.h>

namespace zevrin {

// Non-zero when visual styles are on for the system and for this program.
int IsThemed();

// Makes `window` translucent with `alpha` (0 clear .. 255 opaque). Returns the result of
// SetLayeredWindowAttributes, or 0 when the system has none; the window then stays opaque.
int MakeTransparent(HWND window, BYTE alpha);
// Makes `window` opaque again and repaints it with its frame and all its children. Returns 1.
int RemoveTransparency(HWND window);

// The two theme questions as function pointers, so that the rule can be tried on answers
// other than the running system's.
using ThemeQuery = BOOL(WINAPI*)();
int IsThemed(ThemeQuery isThemeActive, ThemeQuery isAppThemed);

using SetLayeredAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
int MakeTransparent(HWND window, BYTE alpha, SetLayeredAttributes setAttributes);

} // namespace zevrin
