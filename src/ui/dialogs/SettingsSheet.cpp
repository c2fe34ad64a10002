#include "ui/dialogs/SettingsSheet.h"

namespace zevrin {

CSettingsSheet::CSettingsSheet(CAppSettings& settings)
    : COEPropertySheet(L"Settings", nullptr, 0), general(settings), fileAssociations(settings), history(settings) {
    AddPage(&general);
    AddPage(&fileAssociations);
    AddPage(&history);
}

} // namespace zevrin
