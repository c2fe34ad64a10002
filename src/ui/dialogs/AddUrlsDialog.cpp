#include "ui/dialogs/AddUrlsDialog.h"

#include "framework/Text.h"
#include "res/resource.h"
#include "ui/dialogs/OpenUrlDialog.h"

namespace zevrin {

std::vector<std::wstring> UrlLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        std::wstring piece = fw::Trim(
            std::wstring_view(text).substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (!piece.empty()) lines.push_back(std::move(piece));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return lines;
}

CAddUrlsDialog::CAddUrlsDialog(HWND parent) : fw::CDialog(IDD_ADD_URLS, parent) {}

bool CAddUrlsDialog::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CAddUrlsDialog> commands[] = {
        {IDC_EXAMPLE_LINK, &CAddUrlsDialog::OnExample},
    };
    return fw::DispatchCommand(this, commands, id, ui) || fw::CDialog::OnCmdMsg(id, ui);
}

bool CAddUrlsDialog::OnInitDialog() {
    SetUpExampleLink(example_, Hwnd());
    return true;
}

// The example takes the place of the whole text.
void CAddUrlsDialog::OnExample() { SetItemText(IDC_URLS_BOX, example_.Text()); }

void CAddUrlsDialog::OnOK() {
    urls = ItemText(IDC_URLS_BOX);
    EndDialog(IDOK);
}

} // namespace zevrin
