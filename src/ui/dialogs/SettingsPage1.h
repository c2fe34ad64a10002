#pragma once
// The "History" page of the settings: whether the recent files and recent playlists are kept
// and how many, plus two buttons that empty the lists at once (Cancel does not bring them back).
#include "framework/PropertySheet.h"

namespace zevrin {

class CAppSettings;

class CSettingsPage1 : public fw::CPropertyPage {
public:
    explicit CSettingsPage1(CAppSettings& settings);

    int saveRecentFiles = 0;
    int maxRecentFiles = 0;
    int saveRecentPlaylists = 0;
    int maxRecentPlaylists = 0;

    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    void OnApply() override;

private:
    bool ReadControls();
    // Each number edit is usable only while its box is checked.
    void EnableNumbers();
    void OnClearRecentFiles();
    void OnClearRecentPlaylists();

    CAppSettings& settings_;
};

} // namespace zevrin
