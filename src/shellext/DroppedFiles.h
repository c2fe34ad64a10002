#pragma once
// Reads the paths of a CF_HDROP block into a file list. The block comes from whatever program
// started the drag or the selection, so it is checked first: a header that fits, a path list
// that starts inside the block and ends (two terminators) before the block does. A path longer
// than the 1022 characters a slot takes is left out rather than passed on cut short.
#include "FileList.h"

#include <windows.h>

namespace nobrel {

// Characters of the buffer one dropped path is read into, the terminator included.
constexpr UINT kDroppedPathChars = 1023;

bool IsWellFormedDrop(HGLOBAL drop);

// Empties `files`, sizes it for the dropped paths and adds them in order. S_OK, E_INVALIDARG
// for a malformed block, E_OUTOFMEMORY (with `files` empty) when memory runs out.
HRESULT ReadDroppedFiles(HGLOBAL drop, CFileList& files);

} // namespace nobrel
