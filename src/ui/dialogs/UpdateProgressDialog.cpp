#include "ui/dialogs/UpdateProgressDialog.h"

#include "services/AppInfo.h"
#include "services/AppResources.h"
#include "framework/Text.h"
#include "res/resource.h"

#include <commctrl.h>

namespace zevrin {

namespace {
constexpr int kStatusText = 1023;
constexpr int kProgressBar = 1099;
constexpr int kAutoCheckBox = 1100;
constexpr UINT_PTR kRunTimer = 1;
constexpr UINT kRunTimerMs = 100;
} // namespace

int NextRunningPosition(int position) { return position + 2 > 100 ? 0 : position + 2; }

CUpdateProgressDialog::CUpdateProgressDialog(std::function<int()> check, std::atomic<int>& cancel, HWND parent)
    : fw::CDialog(IDD_UPDATE_PROGRESS, parent), check_(std::move(check)), cancel_(cancel) {}

// The thread has always ended before the dialog does; this only covers a dialog that failed
// to open after starting it.
CUpdateProgressDialog::~CUpdateProgressDialog() {
    if (thread_.joinable()) thread_.join();
}

LRESULT CUpdateProgressDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CUpdateProgressDialog> messages[] = {
        {WM_TIMER, &CUpdateProgressDialog::OnTimer},
        {WM_CHECK_DONE, &CUpdateProgressDialog::OnCheckDone},
        {WM_DESTROY, &CUpdateProgressDialog::OnDestroy},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CDialog::WindowProc(message, wParam, lParam);
}

bool CUpdateProgressDialog::OnInitDialog() {
    if (Text().empty()) SetText(kAppName);
    if (Resources().boldFont)
        ::SendMessageW(Item(kStatusText), WM_SETFONT, reinterpret_cast<WPARAM>(Resources().boldFont.Get()), FALSE);
    ::SendMessageW(Item(kProgressBar), PBM_SETRANGE32, 0, 100);
    SetChecked(kAutoCheckBox, autoCheck);
    showing_ = Hwnd();

    cancel_ = 0;
    SetTimer(Hwnd(), kRunTimer, kRunTimerMs, nullptr);
    SetItemText(kStatusText, fw::LoadResourceString(IDS_UPDATE_CHECKING));
    const HWND self = Hwnd();
    thread_ = std::thread([this, self] {
        result = check_();
        ::PostMessageW(self, WM_CHECK_DONE, 0, 0);
    });
    return true;
}

LRESULT CUpdateProgressDialog::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kRunTimer) return DefaultProc(WM_TIMER, wParam, 0);
    const HWND bar = Item(kProgressBar);
    const int position = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
    ::SendMessageW(bar, PBM_SETPOS, NextRunningPosition(position), 0);
    return 0;
}

// Cancel (the button, Escape or the close box) asks the check to stop; the check's end
// closes the dialog.
void CUpdateProgressDialog::OnCancel() {
    cancel_ = 2;
    KillTimer(Hwnd(), kRunTimer);
}

LRESULT CUpdateProgressDialog::OnCheckDone(WPARAM, LPARAM) {
    if (thread_.joinable()) thread_.join();
    KillTimer(Hwnd(), kRunTimer);
    EndDialog(cancel_ != 0 ? IDCANCEL : IDOK);
    return 0;
}

LRESULT CUpdateProgressDialog::OnDestroy(WPARAM, LPARAM) {
    autoCheck = IsChecked(kAutoCheckBox);
    HWND self = Hwnd();
    showing_.compare_exchange_strong(self, nullptr);
    return DefaultProc(WM_DESTROY, 0, 0);
}

} // namespace zevrin
