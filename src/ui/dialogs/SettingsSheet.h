#pragma once
// "Settings": the sheet where the user edits the stored preferences, the file associations and
// the Explorer extension switch. Pages are filled when first shown and applied on OK; a page
// never shown changes nothing.
#include "ui/dialogs/OEPropertySheet.h"
#include "ui/dialogs/SettingsPage1.h"
#include "ui/dialogs/SettingsPage2.h"
#include "ui/dialogs/SettingsPage3.h"

namespace zevrin {

class CSettingsSheet : public COEPropertySheet {
public:
    explicit CSettingsSheet(CAppSettings& settings);

    CSettingsPage3 general;
    CSettingsPage2 fileAssociations;
    CSettingsPage1 history;
};

} // namespace zevrin
