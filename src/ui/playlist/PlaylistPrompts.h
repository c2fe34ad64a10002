#pragma once
// The questions the playlist commands ask: a folder to open or add, a URL or a list of URLs.
// These are plain prompts until the program's own folder and URL dialogs take their place.
#include <windows.h>

#include <string>

namespace zevrin {

struct FolderChoice {
    std::wstring folder;
    std::wstring patterns;  // ";"-separated
    bool recurse = false;
};

// `choices`: pattern lists separated by "|"; the first is taken.
bool AskForFolder(HWND owner, const wchar_t* title, const wchar_t* prompt, const std::wstring& choices, FolderChoice& choice);
bool AskForText(HWND owner, const wchar_t* title, const wchar_t* label, bool multiline, std::wstring& text);

} // namespace zevrin
