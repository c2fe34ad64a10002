#include "ui/dialogs/FileTypeDialog.h"

#include "ui/dialogs/FileTypeIcons.h"
#include "res/resource.h"

#include <commctrl.h>

namespace zevrin {

namespace {
// The entries of the icon box, in the order of their pictures.
constexpr const wchar_t* kIconNames[] = {L"Video with Audio", L"Video without Audio", L"Audio Only", L"Playlist"};
} // namespace

CFileTypeDialog::CFileTypeDialog(HWND parent) : fw::CDialog(IDD_FILE_TYPE, parent), icons_(CreateFileTypeImageList()) {}

bool CFileTypeDialog::OnInitDialog() {
    SetItemText(IDC_FILE_TYPE_EXTENSION, extension);
    SetItemText(IDC_FILE_TYPE_NAME, name);
    HWND box = Item(IDC_FILE_TYPE_ICON);
    ::SendMessageW(box, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons_.Get()));
    for (int i = 0; i < 4; ++i) {
        COMBOBOXEXITEMW entry{CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE};
        entry.iItem = i;
        entry.pszText = const_cast<wchar_t*>(kIconNames[i]);
        entry.iImage = entry.iSelectedImage = i;
        ::SendMessageW(box, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    }
    return true;
}

void CFileTypeDialog::OnOK() {
    extension = ItemText(IDC_FILE_TYPE_EXTENSION);
    name = ItemText(IDC_FILE_TYPE_NAME);
    LRESULT selected = SendDlgItemMessageW(Hwnd(), IDC_FILE_TYPE_ICON, CB_GETCURSEL, 0, 0);
    iconIndex = selected == CB_ERR ? -1 : static_cast<int>(selected);
    fw::CDialog::OnOK();
}

} // namespace zevrin
