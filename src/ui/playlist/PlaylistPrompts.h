#pragma once
// The questions the playlist commands ask: a URL or a list of URLs. These are plain prompts
// until the program's own URL dialogs take their place.
#include <windows.h>

#include <string>

namespace zevrin {

bool AskForText(HWND owner, const wchar_t* title, const wchar_t* label, bool multiline, std::wstring& text);

} // namespace zevrin
