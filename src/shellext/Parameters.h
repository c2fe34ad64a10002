#pragma once
// The command line Zevrin.exe receives from the menu item: every selected path in double quotes
// followed by a blank, and " /s" when Shift is held. The buffer has a fixed size; paths are only
// ever taken whole, and the line stops before the first quoted path that would not fit, so
// the program never receives a path cut in half.
#include "FileList.h"

#include <cstddef>

namespace nobrel {

// Wide characters of the parameter buffer, the terminator included.
constexpr size_t kParameterChars = 40960;
// The longest command line a started program receives, the terminator included. The system
// refuses a longer one (Wine cuts it short instead, in the middle of a path).
constexpr size_t kCommandLineChars = 32767;

// How much of the parameter buffer a line may fill when the program's path, quoted and followed
// by a blank, comes first on the command line.
size_t ParameterCapacity(size_t programLength);

struct ParameterLine {
    int pathsTaken = 0; // the first pathsTaken paths of the list are on the line
    size_t length = 0;  // characters written, the terminator not counted
};

// Writes the line into `buffer` (`capacity` characters, at least 4). Room for " /s" is kept
// back when `shift` is set, so the flag is never what gets lost.
ParameterLine BuildParameters(const CFileList& files, bool shift, wchar_t* buffer, size_t capacity);

} // namespace nobrel
