#pragma once
// The folder dialog's tree: the animated shell tree plus the shell's own context menu for the
// selected row (right click or the context-menu key). The shell carries out what is chosen.
#include "ui/dialogs/AnimatedShellTreeCtrl.h"
#include "ui/dialogs/ShellContextMenu.h"

namespace zevrin {

class CFolderTreeCtrl : public CAnimatedShellTreeCtrl {
public:
    // Shows the menu of the selected row at `screen` (a point of -1, -1: under the row).
    void ShowContextMenu(POINT screen);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CShellContextMenu contextMenu_;
};

} // namespace zevrin
