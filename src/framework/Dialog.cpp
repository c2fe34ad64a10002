#include "framework/Dialog.h"

#include "framework/WinApp.h"
#include "framework/FrameWnd.h"

#include <utility>

namespace fw {

namespace {
thread_local CDialog* initializing = nullptr;
}

// The system calls this for every dialog message. WM_INITDIALOG ties the window to its
// object; after that the object's WindowProc handles messages, and whatever it leaves to
// DefaultProc is reported back as unhandled so the dialog manager does its own work.
INT_PTR CALLBACK DialogProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dlg = static_cast<CDialog*>(CWnd::FromHandle(hwnd));
    if (!dlg && message == WM_INITDIALOG && initializing) {
        dlg = std::exchange(initializing, nullptr);
        dlg->Attach(hwnd);
        return dlg->OnInitDialog() ? TRUE : FALSE;
    }
    if (!dlg) return FALSE;
    // Handlers can run nested (a message box inside a notification): each message keeps its
    // own "went unhandled" answer.
    bool outer = std::exchange(dlg->defaulted_, false);
    LRESULT result = dlg->WindowProc(message, wParam, lParam);
    bool defaulted = std::exchange(dlg->defaulted_, outer);
    if (message == WM_NCDESTROY) {
        dlg->Detach();
        dlg->PostNcDestroy();
        return FALSE;
    }
    if (defaulted) return FALSE;
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    HWND owner = parent_;
    if (!owner) {
        CWinApp* app = CWinApp::Get();
        if (app && app->MainWnd()) owner = app->MainWnd()->Hwnd();
    }
    initializing = this;
    INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, DialogProcThunk, 0);
    initializing = nullptr;
    return result;
}

void CDialog::EndDialog(INT_PTR result) { ::EndDialog(Hwnd(), result); }

std::wstring CDialog::ItemText(int id) const {
    HWND item = Item(id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return CWnd::OnCommand(wParam, lParam);
    }
}

LRESULT CDialog::DefaultProc(UINT, WPARAM, LPARAM) {
    defaulted_ = true;
    return 0;
}

} // namespace fw
