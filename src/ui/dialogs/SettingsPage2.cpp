#include "ui/dialogs/SettingsPage2.h"

#include "services/AppInfo.h"
#include "services/AppSettings.h"
#include "system/FileAssociations.h"
#include "ui/dialogs/FileTypeDialog.h"
#include "ui/dialogs/FileTypeIcons.h"
#include "ui/dialogs/SettingsFields.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

namespace zevrin {

namespace {
constexpr int kExtensionWidth = 100;
}

CSettingsPage2::CSettingsPage2(CAppSettings& settings)
    : fw::CPropertyPage(IDD_SETTINGS_ASSOCIATIONS), settings_(settings), icons_(CreateFileTypeImageList()) {}

bool CSettingsPage2::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CSettingsPage2> commands[] = {
        {IDC_FILE_TYPE_ADD, &CSettingsPage2::OnAdd},
        {IDC_FILE_TYPE_DELETE, &CSettingsPage2::OnDelete},
    };
    return fw::DispatchCommand(this, commands, id, ui) || fw::CPropertyPage::OnCmdMsg(id, ui);
}

LRESULT CSettingsPage2::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->idFrom == IDC_FILE_TYPE_LIST)
        return OnNotify(wParam, lParam);
    return fw::CPropertyPage::WindowProc(message, wParam, lParam);
}

LRESULT CSettingsPage2::OnNotify(WPARAM wParam, LPARAM lParam) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code == LVN_DELETEITEM) {
        auto* record = reinterpret_cast<CFileTypeInfo*>(reinterpret_cast<NMLISTVIEW*>(lParam)->lParam);
        std::erase_if(records_, [record](const auto& r) { return r.get() == record; });
        return 0;
    }
    return DefaultProc(WM_NOTIFY, wParam, lParam);
}

// The list shows each type's state as the registry has it now: checked when the type is both
// registered and associated with the program.
bool CSettingsPage2::OnInitDialog() {
    list_ = Item(IDC_FILE_TYPE_LIST);
    SetUpList();
    for (const auto& type : settings_.fileTypes) {
        CFileTypeInfo copy = *type;
        copy.associationState1 = copy.IsRegistered();
        copy.associationState2 = copy.IsAssociated();
        AddRow(copy, copy.associationState1 && copy.associationState2);
    }
    return true;
}

void CSettingsPage2::SetUpList() {
    ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    ListView_SetImageList(list_, icons_.Get(), LVSIL_SMALL);
    RECT rc;
    GetClientRect(list_, &rc);
    LVCOLUMNW column{LVCF_WIDTH | LVCF_TEXT};
    column.pszText = const_cast<wchar_t*>(L"Extension");
    const int extensionWidth = fw::ScaleTo(kExtensionWidth, fw::DpiOf(list_));
    column.cx = extensionWidth;
    ListView_InsertColumn(list_, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"Name");
    column.cx = rc.right - extensionWidth - GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(list_, 1, &column);
}

void CSettingsPage2::AddRow(const CFileTypeInfo& type, bool checked) {
    records_.push_back(std::make_unique<CFileTypeInfo>(type));
    CFileTypeInfo* record = records_.back().get();
    LVITEMW item{LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM};
    item.iItem = ListView_GetItemCount(list_);
    item.pszText = record->extension.data();
    item.iImage = record->icon - 2;
    item.lParam = reinterpret_cast<LPARAM>(record);
    int row = ListView_InsertItem(list_, &item);
    if (row < 0) {
        records_.pop_back();
        return;
    }
    ListView_SetItemText(list_, row, 1, record->name.data());
    ListView_SetCheckState(list_, row, checked);
}

CFileTypeInfo* CSettingsPage2::RowType(int row) const {
    LVITEMW item{LVIF_PARAM};
    item.iItem = row;
    if (!ListView_GetItem(list_, &item)) return nullptr;
    return reinterpret_cast<CFileTypeInfo*>(item.lParam);
}

void CSettingsPage2::OnAdd() {
    CFileTypeDialog dialog(Hwnd());
    if (dialog.DoModal() != IDOK) return;
    if (auto type = NewFileType(dialog.name, dialog.extension, dialog.iconIndex)) AddRow(*type, true);
}

void CSettingsPage2::OnDelete() {
    int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (row < 0) return;
    if (CFileTypeInfo* type = RowType(row)) RemoveFileType(settings_.RootKey(), *type, ModulePath());
    ListView_DeleteItem(list_, row);
}

void CSettingsPage2::OnApply() {
    std::vector<FileTypeChoice> choices;
    int rows = ListView_GetItemCount(list_);
    for (int row = 0; row < rows; ++row)
        if (CFileTypeInfo* type = RowType(row)) choices.push_back({*type, ListView_GetCheckState(list_, row) != 0});
    ApplyFileTypeChoices(settings_, choices, ModulePath());
}

} // namespace zevrin
