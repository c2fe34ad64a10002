#pragma once
// Where the folder dialog's controls go for a client size: everything keeps its distance to the
// right and bottom edges with 10-pixel margins (at 96 DPI), and the tree takes what is left. A pure function
// of sizes, so that the rules can be checked without a window.
#include <windows.h>

namespace zevrin {

struct FolderDialogSizes {
    SIZE button{75, 23};   // OK and Cancel
    SIZE check{120, 16};   // "Include subfolders"
    SIZE label{120, 14};   // "Add files matched:"
    int filterHeight = 21; // the filter box's edit part
    int presetWidth = 23;  // "..."
    int promptHeight = 16;
    SIZE grip{17, 17};
    bool presets = false; // the "..." button shows
    int dpi = 96;         // scales the margins and gaps below (the sizes above are measured)
};

struct FolderDialogRects {
    RECT prompt, tree, label, filter, presetButton, check, ok, cancel, grip;
};

inline constexpr int kFolderDialogMargin = 10;
inline constexpr int kFolderDialogGap = 6;
// The smallest the whole window may be made.
inline constexpr SIZE kFolderDialogMinSize{320, 280};

FolderDialogRects LayOutFolderDialog(SIZE client, const FolderDialogSizes& sizes);

} // namespace zevrin
