#include "ui/dialogs/UpdateCheckDialogs.h"

#include "services/AppInfo.h"
#include "services/AppSettings.h"
#include "framework/FrameWnd.h"
#include "framework/Text.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "ui/dialogs/NewVersionDialog.h"
#include "ui/dialogs/UpdateProgressDialog.h"

namespace zevrin {

namespace {

HWND MainWindow() {
    fw::CWinApp* app = fw::CWinApp::Get();
    return app && app->MainWnd() ? app->MainWnd()->Hwnd() : nullptr;
}

void ShowMessage(UINT textId, UINT icon) {
    MessageBoxW(MainWindow(), fw::LoadResourceString(textId).c_str(), kAppName, MB_OK | icon);
}

} // namespace

bool CUpdateCheckDialogs::BringProgressForward() {
    HWND showing = CUpdateProgressDialog::Showing();
    if (!showing || !IsWindow(showing)) return false;
    SetForegroundWindow(showing);
    BringWindowToTop(showing);
    return true;
}

CheckResult CUpdateCheckDialogs::CheckWithProgress(CUpdateChecker& checker) {
    CUpdateProgressDialog dialog([&checker] { return static_cast<int>(checker.Check()); }, checker.cancel, nullptr);
    dialog.autoCheck = Settings().autoCheckUpdate != 0;
    dialog.DoModal();
    Settings().autoCheckUpdate = dialog.autoCheck ? 1 : 0;
    return static_cast<CheckResult>(dialog.result);
}

void CUpdateCheckDialogs::ShowCheckFailed() { ShowMessage(IDS_UPDATE_FAILED, MB_ICONEXCLAMATION); }

void CUpdateCheckDialogs::ShowUpToDate() { ShowMessage(IDS_UPDATE_NEWEST, MB_ICONINFORMATION); }

bool CUpdateCheckDialogs::OfferNewVersion(const CUpdateChecker& checker) {
    CNewVersionDialog dialog(
        {checker.productName, checker.found.version, checker.currentVersion, checker.found.description}, nullptr);
    dialog.autoCheck = Settings().autoCheckUpdate != 0;
    const INT_PTR answer = dialog.DoModal();
    Settings().autoCheckUpdate = dialog.autoCheck ? 1 : 0;
    return answer == IDOK;
}

} // namespace zevrin
