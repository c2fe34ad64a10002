#include "ui/dialogs/SettingsPage1.h"

#include "services/AppSettings.h"
#include "framework/Text.h"
#include "ui/dialogs/RefuseField.h"
#include "ui/dialogs/SettingsFields.h"
#include "res/resource.h"

#include <algorithm>

namespace zevrin {

namespace {
constexpr int kMaxRecent = 30;
}

CSettingsPage1::CSettingsPage1(CAppSettings& settings) : fw::CPropertyPage(IDD_SETTINGS_HISTORY), settings_(settings) {}

bool CSettingsPage1::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CSettingsPage1> commands[] = {
        {IDC_SAVE_RECENT_FILES, &CSettingsPage1::EnableNumbers},
        {IDC_CLEAR_RECENT_FILES, &CSettingsPage1::OnClearRecentFiles},
        {IDC_SAVE_RECENT_PLAYLISTS, &CSettingsPage1::EnableNumbers},
        {IDC_CLEAR_RECENT_PLAYLISTS, &CSettingsPage1::OnClearRecentPlaylists},
    };
    return fw::DispatchCommand(this, commands, id, ui) || fw::CPropertyPage::OnCmdMsg(id, ui);
}

bool CSettingsPage1::OnInitDialog() {
    maxRecentFiles = settings_.maxRecentFiles;
    saveRecentFiles = settings_.saveRecentFiles;
    maxRecentPlaylists = settings_.maxRecentPlaylists;
    saveRecentPlaylists = settings_.saveRecentPlaylists;
    SetChecked(IDC_SAVE_RECENT_FILES, saveRecentFiles);
    SetItemText(IDC_MAX_RECENT_FILES, fw::Format(L"%d", maxRecentFiles));
    SetChecked(IDC_SAVE_RECENT_PLAYLISTS, saveRecentPlaylists);
    SetItemText(IDC_MAX_RECENT_PLAYLISTS, fw::Format(L"%d", maxRecentPlaylists));
    EnableNumbers();
    return true;
}

void CSettingsPage1::EnableNumbers() {
    EnableWindow(Item(IDC_MAX_RECENT_FILES), IsChecked(IDC_SAVE_RECENT_FILES));
    EnableWindow(Item(IDC_MAX_RECENT_PLAYLISTS), IsChecked(IDC_SAVE_RECENT_PLAYLISTS));
}

// A disabled number is checked like an enabled one: it is stored all the same.
bool CSettingsPage1::ReadControls() {
    struct {
        int control;
        int* member;
    } numbers[] = {{IDC_MAX_RECENT_FILES, &maxRecentFiles}, {IDC_MAX_RECENT_PLAYLISTS, &maxRecentPlaylists}};
    for (auto& n : numbers) {
        FieldCheck check = CheckIntegerField(ItemText(n.control), 0, kMaxRecent);
        if (!check.Ok()) {
            RefuseField(Hwnd(), n.control, check.message);
            return false;
        }
        *n.member = static_cast<int>(check.value);
    }
    saveRecentFiles = IsChecked(IDC_SAVE_RECENT_FILES);
    saveRecentPlaylists = IsChecked(IDC_SAVE_RECENT_PLAYLISTS);
    return true;
}

bool CSettingsPage1::OnKillActive() { return ReadControls(); }

// The lengths reach the lists at the next start, when the lists are sized as they load.
void CSettingsPage1::OnApply() {
    if (!ReadControls()) return;
    settings_.maxRecentFiles = std::clamp(maxRecentFiles, 0, kMaxRecent);
    settings_.saveRecentFiles = saveRecentFiles;
    settings_.maxRecentPlaylists = std::clamp(maxRecentPlaylists, 0, kMaxRecent);
    settings_.saveRecentPlaylists = saveRecentPlaylists;
}

void CSettingsPage1::OnClearRecentFiles() { settings_.ClearRecentFiles(); }

void CSettingsPage1::OnClearRecentPlaylists() { settings_.recentPlaylists.Clear(); }

} // namespace zevrin
