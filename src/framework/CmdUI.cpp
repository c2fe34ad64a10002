#include "framework/CmdUI.h"

namespace fw {

void CMenuCmdUI::Enable(bool on) {
    EnableMenuItem(menu_, index_, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

void CMenuCmdUI::SetCheck(int check) {
    MENUITEMINFOW info{sizeof(info), MIIM_FTYPE};
    GetMenuItemInfoW(menu_, index_, TRUE, &info);
    info.fMask = MIIM_FTYPE;
    info.fType &= ~MFT_RADIOCHECK;
    SetMenuItemInfoW(menu_, index_, TRUE, &info);
    CheckMenuItem(menu_, index_, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetRadio(bool on) {
    MENUITEMINFOW info{sizeof(info), MIIM_FTYPE};
    GetMenuItemInfoW(menu_, index_, TRUE, &info);
    info.fMask = MIIM_FTYPE;
    info.fType |= MFT_RADIOCHECK;
    SetMenuItemInfoW(menu_, index_, TRUE, &info);
    CheckMenuItem(menu_, index_, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetText(const std::wstring& text) {
    MENUITEMINFOW info{sizeof(info), MIIM_STRING};
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu_, index_, TRUE, &info);
}

} // namespace fw
