#pragma once
// Starting an update check, from the Help menu (manual: a progress dialog, and a message for
// every outcome) or after start-up (automatic: at most once per interval, silent unless a newer
// version is out). Checks share only the settings: "LastUpdateCheck" is written when one
// starts. The network work runs on worker threads; every window of a check lives on the
// user-interface thread like all of the program's windows: the manual check shows its dialogs
// at once, the automatic one reports back to the main window when its thread is done.
#include <windows.h>

#include <string>

namespace zevrin {

// 1 when an automatic check is not due, else 0: an automatic check returns once its thread
// runs, a manual one when its dialogs are closed (or at once when another manual check's
// progress dialog was showing: that one is brought to the front instead).
int StartUpdateCheck(const std::wstring& url, const std::wstring& currentVersion, int intervalDays, bool automatic);

// The main window's WM_USER+440: wParam 0 starts a check (lParam 1 = automatic); wParam
// kUpdateCheckEnded brings an automatic check's outcome back (lParam: the ended check).
inline constexpr WPARAM kUpdateCheckEnded = 1;
void FinishUpdateCheck(LPARAM endedChecker);

} // namespace zevrin
