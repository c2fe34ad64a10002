#include "framework/PropertySheet.h"

#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

#include <commctrl.h>

#include <utility>

namespace fw {

// Pages get their object from the PROPSHEETPAGE the sheet hands to WM_INITDIALOG; from then
// on they are dialogs like any other.
INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG && !CWnd::FromHandle(hwnd)) {
        auto* page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
        page->Attach(hwnd);
        return page->OnInitDialog() ? TRUE : FALSE;
    }
    return DialogProcThunk(hwnd, message, wParam, lParam);
}

PROPSHEETPAGEW CPropertyPage::Describe() {
    PROPSHEETPAGEW psp{sizeof(psp)};
    psp.dwFlags = PSP_DEFAULT;
    psp.hInstance = GetModuleHandleW(nullptr);
    psp.pszTemplate = MAKEINTRESOURCEW(TemplateId());
    psp.pfnDlgProc = PageProc;
    psp.lParam = reinterpret_cast<LPARAM>(this);
    return psp;
}

LRESULT CPropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) return OnNotify(wParam, lParam);
    return CDialog::WindowProc(message, wParam, lParam);
}

LRESULT CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    switch (hdr->code) {
    case PSN_SETACTIVE:
        return OnSetActive() ? 0 : -1;
    case PSN_KILLACTIVE:
        return OnKillActive() ? FALSE : TRUE;
    case PSN_APPLY:
        OnApply();
        return PSNRET_NOERROR;
    default:
        return DefaultProc(WM_NOTIFY, wParam, lParam);
    }
}

namespace {
thread_local CPropertySheet* showing = nullptr;
}

int CALLBACK CPropertySheet::SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && showing) showing->OnInitSheet(sheet);
    return 0;
}

INT_PTR CPropertySheet::DoModal(int startPage) {
    std::vector<PROPSHEETPAGEW> pages;
    for (CPropertyPage* page : pages_) pages.push_back(page->Describe());
    HWND owner = parent_;
    if (!owner) {
        CWinApp* app = CWinApp::Get();
        if (app && app->MainWnd()) owner = app->MainWnd()->Hwnd();
    }
    PROPSHEETHEADERW psh{sizeof(psh)};
    psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    psh.pfnCallback = SheetCallback;
    psh.hwndParent = owner;
    psh.hInstance = GetModuleHandleW(nullptr);
    psh.pszCaption = caption_.c_str();
    psh.nPages = static_cast<UINT>(pages.size());
    psh.nStartPage = static_cast<UINT>(startPage);
    psh.ppsp = pages.data();
    CPropertySheet* outer = std::exchange(showing, this);
    INT_PTR result = PropertySheetW(&psh);
    showing = outer;
    return result > 0 ? IDOK : result == 0 ? IDCANCEL : -1;
}

} // namespace fw
