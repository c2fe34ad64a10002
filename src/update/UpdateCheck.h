#pragma once
// Starting an update check, from the Help menu (manual: a progress dialog, and a message for
// every outcome) or after start-up (automatic: at most once per interval, silent unless a newer
// version is out). Each check runs on its own thread to the end of its dialogs; nothing waits
// for it. Checks share only the settings: "LastUpdateCheck" is written when one starts.
#include <string>

namespace zevrin {

// 1 when an automatic check is not due; else 0 once the check's thread runs (or a manual check
// found another one's progress dialog and brought it to the front).
int StartUpdateCheck(const std::wstring& url, const std::wstring& currentVersion, int intervalDays, bool automatic);

} // namespace zevrin
