#pragma once
// Tells the user why a field of a dialog is not accepted and puts them back into it, text
// selected, the way the framework's data validation does.
#include <windows.h>

#include <string>

namespace zevrin {

void RefuseField(HWND dialog, int control, const std::wstring& message);

} // namespace zevrin
