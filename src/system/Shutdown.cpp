#include "system/Shutdown.h"

#include "framework/Handles.h"

namespace zevrin {

int ShutDownComputer(UINT flags) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return 0;
    fw::UniqueKernelHandle owned(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Succeeding without granting the privilege still lets the system decide below.
    if (!AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr)) return 0;
    return ExitWindowsEx(flags, 0) ? 1 : 0;
}

bool SuppressesScreenSaver(const MSG& msg, bool disableScreenSaver, PlayerState playerState) {
    return msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_SCREENSAVE && disableScreenSaver &&
           playerState == PlayerState::Playing;
}

} // namespace zevrin
