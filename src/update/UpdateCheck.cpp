#include "update/UpdateCheck.h"

#include "services/AppInfo.h"
#include "framework/FrameWnd.h"
#include "framework/Registry.h"
#include "framework/WinApp.h"
#include "update/UpdateChecker.h"

#include <shellapi.h>

#include <ctime>
#include <memory>
#include <thread>

namespace zevrin {

namespace {

constexpr wchar_t kLastCheckValue[] = L"LastUpdateCheck";

std::wstring SettingsKey() { return std::wstring(kRegistryRoot) + L"\\Settings"; }

HWND MainWindow() {
    fw::CWinApp* app = fw::CWinApp::Get();
    return app && app->MainWnd() ? app->MainWnd()->Hwnd() : nullptr;
}

void OfferNewVersion(const CUpdateChecker& checker, IUpdateCheckView& view) {
    // Reading the file already refused any other address; this keeps the shell safe even so.
    if (view.OfferNewVersion(checker) && IsWebUrl(checker.found.downloadUrl))
        ShellExecuteW(nullptr, L"open", checker.found.downloadUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// What the user gets to see of a check; on the user-interface thread.
void Report(const CUpdateChecker& checker, CheckResult result, IUpdateCheckView& view) {
    switch (ReportFor(result, checker.automatic, checker.cancel != 0)) {
    case CheckReport::Nothing:
        break;
    case CheckReport::FailureMessage:
        view.ShowCheckFailed();
        break;
    case CheckReport::UpToDateMessage:
        view.ShowUpToDate();
        break;
    case CheckReport::NewVersionDialog:
        OfferNewVersion(checker, view);
        break;
    }
}

// The automatic check's thread: it makes no window, and hands its checker back to the main
// window when done (or drops it when there is none).
void RunAutomaticCheck(std::unique_ptr<CUpdateChecker> checker, HWND mainWindow) {
    checker->result = checker->Check();
    if (mainWindow &&
        PostMessageW(mainWindow, WM_UPDATE_CHECK, kUpdateCheckEnded, reinterpret_cast<LPARAM>(checker.get())))
        (void)checker.release(); // the main window owns it now
}

} // namespace

int StartUpdateCheck(const std::wstring& url, const std::wstring& currentVersion, int intervalDays, bool automatic,
                     IUpdateCheckView& view) {
    if (!automatic && view.BringProgressForward()) return 0;
    const int64_t now = _time64(nullptr);
    if (automatic) {
        const auto key = fw::RegKey::Open(HKEY_CURRENT_USER, SettingsKey());
        const int64_t last = key.ReadDword(kLastCheckValue).value_or(0);
        if (!IsUpdateCheckDue(now, last, intervalDays)) return 1;
    }
    fw::RegKey::Create(HKEY_CURRENT_USER, SettingsKey()).WriteDword(kLastCheckValue, static_cast<DWORD>(now));

    auto checker = std::make_unique<CUpdateChecker>(kAppName, currentVersion, url, automatic);
    if (automatic) {
        std::thread(RunAutomaticCheck, std::move(checker), MainWindow()).detach();
    } else {
        checker->result = view.CheckWithProgress(*checker);
        Report(*checker, checker->result, view);
    }
    return 0;
}

void FinishUpdateCheck(LPARAM endedChecker, IUpdateCheckView& view) {
    std::unique_ptr<CUpdateChecker> checker(reinterpret_cast<CUpdateChecker*>(endedChecker));
    if (checker) Report(*checker, checker->result, view);
}

} // namespace zevrin
