#pragma once
// One update check: download the update information into a temporary file, read it and
// compare its version with the program's. Created per check and owned by the thread that runs
// it; the only thing another thread touches is the cancel flag.
#include "update/UpdateInfo.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace zevrin {

// The update information is small; a bigger answer is not it.
inline constexpr int64_t kMaxUpdateInfoBytes = 1 << 20;

enum class CheckResult { Failed = -1, NotNewer = 0, Newer = 1 };

// What the user gets to see after a check.
enum class CheckReport { Nothing, FailureMessage, UpToDateMessage, NewVersionDialog };
CheckReport ReportFor(CheckResult result, bool automatic, bool cancelled);

class CUpdateChecker {
public:
    CUpdateChecker(std::wstring productName, std::wstring currentVersion, std::wstring url, bool automatic);

    CheckResult Check();

    const std::wstring productName;
    const std::wstring currentVersion;
    const std::wstring url;
    const bool automatic;

    UpdateInfo found; // valid after a check that did not fail
    CheckResult result = CheckResult::Failed;
    std::atomic<int> cancel{0}; // 2 = stop, set by the progress dialog
    DWORD inactivityTimeoutMs = 30000;

private:
    bool Download(const std::wstring& path);
};

// A temporary file removed when this goes; a file still held elsewhere is retried for a few
// seconds at most.
class CTempDownloadFile {
public:
    CTempDownloadFile();
    ~CTempDownloadFile();
    CTempDownloadFile(const CTempDownloadFile&) = delete;
    CTempDownloadFile& operator=(const CTempDownloadFile&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

} // namespace zevrin
