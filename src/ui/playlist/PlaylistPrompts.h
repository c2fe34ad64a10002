#pragma once
// The question the folder commands of the playlist ask: a folder to open or add. A plain
// prompt until the program's own folder dialog takes its place.
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

} // namespace zevrin
