#pragma once
// Modal property sheets made of pages from dialog-template resources. A page copies its values
// in when it is first shown (OnInitDialog) and writes them back in OnApply when the sheet
// closes with OK; a page never shown is never applied.
#include "framework/Dialog.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

namespace fw {

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId, nullptr) {}

    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return true; }
    virtual void OnApply() {}

    PROPSHEETPAGEW Describe();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnNotify(WPARAM, LPARAM);
};

class CPropertySheet {
public:
    explicit CPropertySheet(std::wstring caption, HWND parent = nullptr)
        : caption_(std::move(caption)), parent_(parent) {}
    virtual ~CPropertySheet() = default;

    void AddPage(CPropertyPage* page) { pages_.push_back(page); }
    // Shows the sheet; returns IDOK or IDCANCEL (-1 on failure).
    INT_PTR DoModal(int startPage = 0);

protected:
    // Runs once the sheet window and its first page exist.
    virtual void OnInitSheet(HWND sheet) { (void)sheet; }

private:
    static int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM);

    std::wstring caption_;
    HWND parent_;
    std::vector<CPropertyPage*> pages_;
};

} // namespace fw
