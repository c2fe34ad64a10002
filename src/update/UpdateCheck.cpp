#include "update/UpdateCheck.h"

#include "app/AppInfo.h"
#include "app/AppSettings.h"
#include "framework/FrameWnd.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "ui/dialogs/NewVersionDialog.h"
#include "ui/dialogs/UpdateProgressDialog.h"
#include "update/UpdateChecker.h"

#include <shellapi.h>

#include <ctime>
#include <memory>
#include <thread>

namespace zevrin {

namespace {

constexpr wchar_t kLastCheckValue[] = L"LastUpdateCheck";
constexpr UINT kUpdateCheckMessage = WM_USER + 440;  // the main window's

std::wstring SettingsKey() { return std::wstring(kRegistryRoot) + L"\\Settings"; }

HWND MainWindow() {
    fw::CWinApp* app = fw::CWinApp::Get();
    return app && app->MainWnd() ? app->MainWnd()->Hwnd() : nullptr;
}

void ShowMessage(UINT textId, UINT icon) {
    MessageBoxW(MainWindow(), fw::LoadResourceString(textId).c_str(), kAppName, MB_OK | icon);
}

CheckResult CheckWithProgress(CUpdateChecker& checker) {
    CUpdateProgressDialog dialog([&checker] { return static_cast<int>(checker.Check()); }, checker.cancel, nullptr);
    dialog.autoCheck = Settings().autoCheckUpdate != 0;
    dialog.DoModal();
    Settings().autoCheckUpdate = dialog.autoCheck ? 1 : 0;
    return static_cast<CheckResult>(dialog.result);
}

void OfferNewVersion(const CUpdateChecker& checker) {
    CNewVersionDialog dialog({checker.productName, checker.found.version, checker.currentVersion,
                              checker.found.description},
                             nullptr);
    dialog.autoCheck = Settings().autoCheckUpdate != 0;
    const INT_PTR answer = dialog.DoModal();
    Settings().autoCheckUpdate = dialog.autoCheck ? 1 : 0;
    // Reading the file already refused any other address; this keeps the shell safe even so.
    if (answer == IDOK && IsWebUrl(checker.found.downloadUrl))
        ShellExecuteW(nullptr, L"open", checker.found.downloadUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// What the user gets to see of a check; on the user-interface thread.
void Report(const CUpdateChecker& checker, CheckResult result) {
    switch (ReportFor(result, checker.automatic, checker.cancel != 0)) {
    case CheckReport::Nothing:
        break;
    case CheckReport::FailureMessage:
        ShowMessage(IDS_UPDATE_FAILED, MB_ICONEXCLAMATION);
        break;
    case CheckReport::UpToDateMessage:
        ShowMessage(IDS_UPDATE_NEWEST, MB_ICONINFORMATION);
        break;
    case CheckReport::NewVersionDialog:
        OfferNewVersion(checker);
        break;
    }
}

// The automatic check's thread: it makes no window, and hands its checker back to the main
// window when done (or drops it when there is none).
void RunAutomaticCheck(std::unique_ptr<CUpdateChecker> checker, HWND mainWindow) {
    checker->result = checker->Check();
    if (mainWindow && PostMessageW(mainWindow, kUpdateCheckMessage, kUpdateCheckEnded,
                                   reinterpret_cast<LPARAM>(checker.get())))
        (void)checker.release();  // the main window owns it now
}

} // namespace

int StartUpdateCheck(const std::wstring& url, const std::wstring& currentVersion, int intervalDays, bool automatic) {
    if (!automatic) {
        if (HWND showing = CUpdateProgressDialog::Showing(); showing && IsWindow(showing)) {
            SetForegroundWindow(showing);
            BringWindowToTop(showing);
            return 0;
        }
    }
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
        checker->result = CheckWithProgress(*checker);
        Report(*checker, checker->result);
    }
    return 0;
}

void FinishUpdateCheck(LPARAM endedChecker) {
    std::unique_ptr<CUpdateChecker> checker(reinterpret_cast<CUpdateChecker*>(endedChecker));
    if (checker) Report(*checker, checker->result);
}

} // namespace zevrin
