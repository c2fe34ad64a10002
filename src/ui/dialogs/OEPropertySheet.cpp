#include "ui/dialogs/OEPropertySheet.h"

#include "services/AppResources.h"

namespace zevrin {

void COEPropertySheet::OnInitSheet(HWND sheet) {
    HFONT font = Resources().normalFont.Get();
    if (!font) return;
    auto setFont = [font](HWND hwnd) { SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); };
    setFont(sheet);
    for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) setFont(child);
}

} // namespace zevrin
