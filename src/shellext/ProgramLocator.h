#pragma once
// Where Zevrin.exe is: the folder in HKEY_CURRENT_USER\Software\Tresk\Zevrin "AppFolder" (only
// that hive), with "\Zevrin.exe" appended, when that file exists. Registry data is anyone's to
// write, so the value is checked before it is trusted: a string type, data that end in a
// terminator (a multi-string is taken up to its first), not empty, and room for the file name.
#include <windows.h>

#include <cstddef>

namespace nobrel {

// Wide characters of the program-path buffer, the terminator included.
constexpr size_t kProgramPathChars = 1024;

// True when a value read as (type, data, bytes) names a folder the lookup may use.
bool IsUsableFolderValue(DWORD type, const wchar_t* data, DWORD bytes);

// Appends "\Zevrin.exe" to the folder in `path` when the result fits `capacity` characters.
bool AppendProgramName(wchar_t* path, size_t capacity);

// Fills `path` (kProgramPathChars characters) with the program's full path; false when the
// value is missing or unusable or the file does not exist.
bool FindProgram(wchar_t* path);

} // namespace nobrel
