#include "ui/dialogs/AboutDialog.h"

#include "services/AppInfo.h"
#include "services/AppResources.h"
#include "framework/Text.h"
#include "res/resource.h"
#include "ui/dialogs/ComposeMail.h"

namespace zevrin {

CAboutDialog::CAboutDialog(HWND parent) : fw::CDialog(IDD_ABOUT, parent) {}

bool CAboutDialog::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CAboutDialog> commands[] = {
        {IDC_ABOUT_MAIL_LINK, &CAboutDialog::OnMailLink},
    };
    return fw::DispatchCommand(this, commands, id, ui) || fw::CDialog::OnCmdMsg(id, ui);
}

bool CAboutDialog::OnInitDialog() {
    SetText(Text() + L" " + kAppName);
    if (HFONT large = Resources().largeFont.Get())
        ::SendMessageW(Item(IDC_ABOUT_NAME), WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
    SetItemText(IDC_ABOUT_NAME, kAppName);
    SetItemText(IDC_ABOUT_VERSION, fw::Format(L"Version %s", kVersion));
    // The web site opens from the link itself; the address has no url, so its click comes here.
    if (webLink_.SubclassDlgItem(IDC_ABOUT_WEB_LINK, Hwnd())) {
        webLink_.SetLink(kHomePage, kHomePage);
        UseDialogLinkLook(webLink_);
    }
    if (mailLink_.SubclassDlgItem(IDC_ABOUT_MAIL_LINK, Hwnd())) {
        mailLink_.SetLink(L"", kSupportAddress);
        UseDialogLinkLook(mailLink_);
    }
    // OK has the focus, not the first link: Enter or Escape closes the dialog.
    SetFocus(Item(IDOK));
    return false;
}

void CAboutDialog::OnMailLink() { ComposeSupportMail(); }

} // namespace zevrin
