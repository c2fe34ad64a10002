#include "ui/dialogs/SettingsPage3.h"

#include "services/AppSettings.h"
#include "framework/Text.h"
#include "system/ShellExtInstaller.h"
#include "ui/dialogs/RefuseField.h"
#include "ui/dialogs/SettingsFields.h"
#include "res/resource.h"

namespace zevrin {

namespace {
struct SizeField {
    int control;
    long long min, max;
};
constexpr SizeField kWidth{IDC_THUMBNAIL_WIDTH, 40, 400};
constexpr SizeField kHeight{IDC_THUMBNAIL_HEIGHT, 30, 300};
} // namespace

CSettingsPage3::CSettingsPage3(CAppSettings& settings) : fw::CPropertyPage(IDD_SETTINGS_GENERAL), settings_(settings) {}

bool CSettingsPage3::OnInitDialog() {
    loadLastPlaylist = settings_.loadLastPlaylist;
    allowDuplicates = settings_.allowDuplicates;
    showBarsFullScreen = settings_.showControlBarsInFullScreenMode;
    autoCheckUpdate = settings_.autoCheckUpdate;
    thumbWidth = static_cast<unsigned>(settings_.thumbnailCx);
    thumbHeight = static_cast<unsigned>(settings_.thumbnailCy);
    explorerExtension = CShellExtInstaller().InstalledCount();

    SetChecked(IDC_EXPLORER_EXTENSION, explorerExtension != 0);
    SetItemText(IDC_THUMBNAIL_WIDTH, fw::Format(L"%u", thumbWidth));
    SetItemText(IDC_THUMBNAIL_HEIGHT, fw::Format(L"%u", thumbHeight));
    SetChecked(IDC_LOAD_LAST_PLAYLIST, loadLastPlaylist);
    SetChecked(IDC_ALLOW_DUPLICATES, allowDuplicates);
    SetChecked(IDC_SHOW_BARS_FULL_SCREEN, showBarsFullScreen);
    SetChecked(IDC_AUTO_CHECK_UPDATE, autoCheckUpdate);
    return true;
}

bool CSettingsPage3::ReadControls() {
    unsigned* sizes[] = {&thumbWidth, &thumbHeight};
    const SizeField* fields[] = {&kWidth, &kHeight};
    for (int i = 0; i < 2; ++i) {
        FieldCheck check = CheckUnsignedField(ItemText(fields[i]->control), fields[i]->min, fields[i]->max);
        if (!check.Ok()) {
            RefuseField(Hwnd(), fields[i]->control, check.message);
            return false;
        }
        *sizes[i] = static_cast<unsigned>(check.value);
    }
    explorerExtension = IsChecked(IDC_EXPLORER_EXTENSION) ? 1 : 0;
    loadLastPlaylist = IsChecked(IDC_LOAD_LAST_PLAYLIST);
    allowDuplicates = IsChecked(IDC_ALLOW_DUPLICATES);
    showBarsFullScreen = IsChecked(IDC_SHOW_BARS_FULL_SCREEN);
    autoCheckUpdate = IsChecked(IDC_AUTO_CHECK_UPDATE);
    return true;
}

bool CSettingsPage3::OnKillActive() { return ReadControls(); }

void CSettingsPage3::OnApply() {
    if (!ReadControls()) return;
    settings_.loadLastPlaylist = loadLastPlaylist;
    settings_.allowDuplicates = allowDuplicates;
    settings_.showControlBarsInFullScreenMode = showBarsFullScreen;
    settings_.autoCheckUpdate = autoCheckUpdate;
    settings_.thumbnailCx = static_cast<int>(thumbWidth);
    settings_.thumbnailCy = static_cast<int>(thumbHeight);
    CShellExtInstaller().SetInstalled(explorerExtension);
}

} // namespace zevrin
