#include "ui/dialogs/RefuseField.h"

#include "services/AppInfo.h"
#include "framework/WinApp.h"

namespace zevrin {

void RefuseField(HWND dialog, int control, const std::wstring& message) {
    fw::CWinApp* app = fw::CWinApp::Get();
    std::wstring caption = app && !app->AppName().empty() ? app->AppName() : std::wstring(kAppName);
    MessageBoxW(dialog, message.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    HWND field = GetDlgItem(dialog, control);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

} // namespace zevrin
