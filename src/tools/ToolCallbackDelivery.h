#pragma once
// The receiving end of tool callbacks, for the window procedure of a callback window:
//   case WM_COPYDATA: if (auto r = DeliverToolMessage(Hwnd(), lParam)) return *r; ...
#include <windows.h>

#include <optional>

namespace zevrin {

// Takes a WM_COPYDATA that carries a tool callback block (dwData 300, 4096 bytes) addressed to a
// live wrapper of this window that accepts callbacks, and returns its Translate result. nullopt
// for anything else, which then goes to the window's normal handling.
std::optional<LRESULT> DeliverToolMessage(HWND window, LPARAM copyData);

} // namespace zevrin
