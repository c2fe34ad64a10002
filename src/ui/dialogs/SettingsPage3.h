#pragma once
// The "General" page of the settings: the Explorer extension switch, the thumbnail size and
// four preferences. The switch is not a stored setting: it reads and sets the extension's
// handler keys, and every OK sets it again, whether or not the box was changed.
#include "framework/PropertySheet.h"

namespace zevrin {

class CAppSettings;

class CSettingsPage3 : public fw::CPropertyPage {
public:
    explicit CSettingsPage3(CAppSettings& settings);

    int explorerExtension = 0; // handler keys present, 0..2; any non-zero shows as checked
    unsigned thumbWidth = 0;
    unsigned thumbHeight = 0;
    int loadLastPlaylist = 0;
    int allowDuplicates = 0;
    int showBarsFullScreen = 0;
    int autoCheckUpdate = 0;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    void OnApply() override;

private:
    // Reads every control into the members; false (after telling the user) on a refused field.
    bool ReadControls();

    CAppSettings& settings_;
};

} // namespace zevrin
