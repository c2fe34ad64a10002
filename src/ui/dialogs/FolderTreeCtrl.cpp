#include "ui/dialogs/FolderTreeCtrl.h"

#include "framework/Wnd.h"

namespace zevrin {

LRESULT CFolderTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CONTEXTMENU:
        ShowContextMenu(fw::MousePoint(lParam));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && LOWORD(wParam) >= CShellContextMenu::kFirstId &&
            LOWORD(wParam) <= CShellContextMenu::kLastId) {
            contextMenu_.InvokeCommand(LOWORD(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return CAnimatedShellTreeCtrl::WindowProc(message, wParam, lParam);
}

void CFolderTreeCtrl::ShowContextMenu(POINT screen) {
    HTREEITEM selected = TreeView_GetSelection(Hwnd());
    ShellItem* item = ItemOf(selected);
    if (!item) return;
    if (screen.x == -1 && screen.y == -1) {
        RECT row{};
        TreeView_GetItemRect(Hwnd(), selected, &row, TRUE);
        screen = POINT{row.left, row.bottom};
        ::ClientToScreen(Hwnd(), &screen);
    }
    if (!contextMenu_.Create(item->parent, PidlLast(item->absolute.Get()))) return;
    fw::UniqueMenu menu(::CreatePopupMenu());
    if (!menu || !contextMenu_.FillMenu(menu.Get(), 0, CShellContextMenu::kFirstId, CShellContextMenu::kLastId,
                                        CShellContextMenu::kTreeFlags))
        return;
    contextMenu_.Attach(Hwnd());
    ::TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Hwnd(), nullptr);
    contextMenu_.Attach(nullptr);
}

} // namespace zevrin
