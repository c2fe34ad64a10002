#pragma once
// Modal dialogs from dialog-template resources. A dialog class lists its message handlers in a
// table like any window; messages it does not handle get the system's dialog processing.
#include "framework/Wnd.h"

namespace fw {

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

    // Shows the dialog and returns the code it ended with (IDOK, IDCANCEL...), -1 on failure.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    HWND Item(int id) const { return ::GetDlgItem(Hwnd(), id); }
    std::wstring ItemText(int id) const;
    void SetItemText(int id, const std::wstring& text) const { ::SetDlgItemTextW(Hwnd(), id, text.c_str()); }
    bool IsChecked(int id) const { return ::IsDlgButtonChecked(Hwnd(), id) == BST_CHECKED; }
    void SetChecked(int id, bool on) const { ::CheckDlgButton(Hwnd(), id, on ? BST_CHECKED : BST_UNCHECKED); }

protected:
    friend INT_PTR CALLBACK DialogProcThunk(HWND, UINT, WPARAM, LPARAM);

    // Return true to let the system set the focus to the first control.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT TemplateId() const { return templateId_; }
    // Whether the last message went unhandled to DefaultProc.
    bool defaulted_ = false;

private:
    UINT templateId_;
    HWND parent_;
};

INT_PTR CALLBACK DialogProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace fw
