#include "update/UpdateChecker.h"

#include "update/HttpDownload.h"

#include <windows.h>

namespace zevrin {

namespace {
constexpr int kRemoveTries = 50;
constexpr DWORD kRemoveRetryMs = 100;
} // namespace

CheckReport ReportFor(CheckResult result, bool automatic, bool cancelled) {
    if (cancelled) return CheckReport::Nothing;
    switch (result) {
    case CheckResult::Newer:
        return CheckReport::NewVersionDialog;
    case CheckResult::NotNewer:
        return automatic ? CheckReport::Nothing : CheckReport::UpToDateMessage;
    case CheckResult::Failed:
        return automatic ? CheckReport::Nothing : CheckReport::FailureMessage;
    }
    return CheckReport::Nothing;
}

CUpdateChecker::CUpdateChecker(std::wstring productName, std::wstring currentVersion, std::wstring url, bool automatic)
    : productName(std::move(productName)), currentVersion(std::move(currentVersion)), url(std::move(url)),
      automatic(automatic) {}

CheckResult CUpdateChecker::Check() {
    CTempDownloadFile file;
    if (file.Path().empty() || !Download(file.Path())) return CheckResult::Failed;
    std::optional<UpdateInfo> info = ReadUpdateInfoFile(file.Path());
    if (!info) return CheckResult::Failed;
    found = *info;
    return CompareVersions(found.version, currentVersion) > 0 ? CheckResult::Newer : CheckResult::NotNewer;
}

bool CUpdateChecker::Download(const std::wstring& path) {
    CHttpDownload download;
    download.options.maxBodyBytes = kMaxUpdateInfoBytes;
    download.options.inactivityTimeoutMs = inactivityTimeoutMs;
    download.SetCancelFlag(&cancel);
    return download.RunGet(url, path) == 0;
}

CTempDownloadFile::CTempDownloadFile() {
    wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH, folder);
    if (n == 0 || n > MAX_PATH || !GetTempFileNameW(folder, L"~FP", 0, name)) return;
    path_ = name;
}

CTempDownloadFile::~CTempDownloadFile() {
    if (path_.empty()) return;
    for (int i = 0; i < kRemoveTries; ++i) {
        if (DeleteFileW(path_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return;
        Sleep(kRemoveRetryMs);
    }
}

} // namespace zevrin
