// The invisible windows the tools receive their callers' messages through: message-only
// windows of a class of their own, each carrying a pointer to the object that serves it.
#pragma once

#include <windows.h>

namespace harlow {

// Registers the class (once per process) and creates a message-only window; `owner` arrives as
// the creation parameter and is kept by OwnerOf. Null on failure.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner);

// For the class's window procedure: the owner given at creation (stored on WM_NCCREATE), or null
// for the messages that come before it.
void* OwnerOf(HWND window, UINT message, LPARAM lParam);

} // namespace harlow
