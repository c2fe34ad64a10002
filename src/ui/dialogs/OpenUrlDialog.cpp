#include "ui/dialogs/OpenUrlDialog.h"

#include "services/AppInfo.h"
#include "res/resource.h"

namespace zevrin {

void SetUpExampleLink(CLinkButton& link, HWND dialog) {
    if (!link.SubclassDlgItem(IDC_EXAMPLE_LINK, dialog)) return;
    link.SetLink(L"", kExampleMediaUrl);
    UseDialogLinkLook(link);
}

COpenUrlDialog::COpenUrlDialog(std::vector<std::wstring> recentUrls, HWND parent)
    : fw::CDialog(IDD_OPEN_URL, parent), recentUrls_(std::move(recentUrls)) {}

bool COpenUrlDialog::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<COpenUrlDialog> commands[] = {
        {IDC_EXAMPLE_LINK, &COpenUrlDialog::OnExample},
    };
    return fw::DispatchCommand(this, commands, id, ui) || fw::CDialog::OnCmdMsg(id, ui);
}

bool COpenUrlDialog::OnInitDialog() {
    SetUpExampleLink(example_, Hwnd());
    HWND box = Item(IDC_URL_BOX);
    for (const std::wstring& recent : recentUrls_)
        ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(recent.c_str()));
    return true;
}

void COpenUrlDialog::OnExample() { SetItemText(IDC_URL_BOX, example_.Text()); }

void COpenUrlDialog::OnOK() {
    url = ItemText(IDC_URL_BOX);
    EndDialog(IDOK);
}

} // namespace zevrin
