#pragma once
// Starting an update check, from the Help menu (manual: a progress dialog, and a message for
// every outcome) or after start-up (automatic: at most once per interval, silent unless a newer
// version is out). Checks share only the settings: "LastUpdateCheck" is written when one
// starts. The network work runs on worker threads; every window of a check lives on the
// user-interface thread like all of the program's windows: the manual check shows its dialogs
// at once, the automatic one reports back to the main window when its thread is done.
#include "update/UpdateCheckView.h"

#include <windows.h>

#include <string>

namespace zevrin {

// The main window's update-check message: wParam kUpdateCheckStart starts a check (lParam 1 =
// automatic; start-up posts it); wParam kUpdateCheckEnded brings an automatic check's outcome
// back (lParam: the ended check).
inline constexpr UINT WM_UPDATE_CHECK = WM_USER + 440;
inline constexpr WPARAM kUpdateCheckStart = 0;
inline constexpr WPARAM kUpdateCheckEnded = 1;

// 1 when an automatic check is not due, else 0: an automatic check returns once its thread
// runs, a manual one when its dialogs are closed (or at once when another manual check's
// progress dialog was showing: that one is brought to the front instead). `view` shows what
// the user gets to see; the automatic check uses it only once its outcome is back.
int StartUpdateCheck(const std::wstring& url, const std::wstring& currentVersion, int intervalDays, bool automatic,
                     IUpdateCheckView& view);

void FinishUpdateCheck(LPARAM endedChecker, IUpdateCheckView& view);

} // namespace zevrin
