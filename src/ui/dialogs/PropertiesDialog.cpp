#include "ui/dialogs/PropertiesDialog.h"

#include "services/AppResources.h"
#include "framework/Dpi.h"
#include "playlist/PlaylistItem.h"
#include "ui/dialogs/PropertyRows.h"
#include "res/resource.h"

#include <commctrl.h>

namespace zevrin {

namespace {
constexpr int kPathEdit = 1041;
constexpr int kList = 1033;
constexpr int kLabelWidth = 100;
} // namespace

CPropertiesDialog::CPropertiesDialog(CPlaylistItem& item, ToolPaths tools, HWND parent)
    : fw::CDialog(IDD_PROPERTIES, parent), item_(item), tools_(std::move(tools)) {}

LRESULT CPropertiesDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CPropertiesDialog> messages[] = {
        {WM_NOTIFY, &CPropertiesDialog::OnNotify},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CDialog::WindowProc(message, wParam, lParam);
}

bool CPropertiesDialog::OnInitDialog() {
    list_ = Item(kList);
    SetUpList();
    const std::wstring& path = item_.path;
    size_t slash = path.find_last_of(L"\\/");
    SetText(slash == std::wstring::npos ? path : path.substr(slash + 1));
    SetItemText(kPathEdit, path);
    // Opened before the background work reached the item: its information is read now.
    if (!(item_.flags & EntryFlag::InfoLoaded)) item_.LoadInfo(tools_);
    FillList();
    ListView_EnsureVisible(list_, 0, FALSE);
    return true;
}

void CPropertiesDialog::SetUpList() {
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    RECT rc;
    GetClientRect(list_, &rc);
    LVCOLUMNW column{LVCF_WIDTH | LVCF_TEXT};
    column.pszText = const_cast<wchar_t*>(L"");
    const int labelWidth = fw::ScaleTo(kLabelWidth, fw::DpiOf(list_));
    column.cx = labelWidth;
    ListView_InsertColumn(list_, 0, &column);
    column.cx = rc.right - GetSystemMetrics(SM_CXVSCROLL) - labelWidth;
    ListView_InsertColumn(list_, 1, &column);
}

void CPropertiesDialog::FillList() {
    if (!(item_.flags & EntryFlag::InfoLoaded)) return;
    int row = 0;
    for (const PropertyRow& r : MediaPropertyRows(item_.path, item_.info)) {
        LVITEMW entry{LVIF_TEXT};
        entry.iItem = row;
        entry.pszText = const_cast<wchar_t*>(r.label.c_str());
        ListView_InsertItem(list_, &entry);
        ListView_SetItemText(list_, row, 1, const_cast<wchar_t*>(r.value.c_str()));
        ++row;
    }
}

// The file's first row and each stream's first row stand out: bold on the button face.
LRESULT CPropertiesDialog::OnNotify(WPARAM wParam, LPARAM lParam) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->idFrom != kList || hdr->code != NM_CUSTOMDRAW) return DefaultProc(WM_NOTIFY, wParam, lParam);
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        if (IsBoldPropertyRow(static_cast<int>(draw->nmcd.dwItemSpec))) {
            if (Resources().boldFont) SelectObject(draw->nmcd.hdc, Resources().boldFont.Get());
            draw->clrTextBk = GetSysColor(COLOR_BTNFACE);
            return CDRF_NEWFONT;
        }
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

} // namespace zevrin
