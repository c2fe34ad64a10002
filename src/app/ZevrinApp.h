#pragma once
// The application object of Zevrin.exe: start-up, the two process-wide records (settings and
// shared resources) and the application-level commands.
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "app/MultiFileCommandLineInfo.h"
#include "framework/WinApp.h"

namespace zevrin {

class IStartupPlaylist;

class CZevrinApp : public fw::CWinApp {
public:
    CZevrinApp();
    ~CZevrinApp() override;

    static CZevrinApp* Get() { return static_cast<CZevrinApp*>(fw::CWinApp::Get()); }

    bool InitInstance() override;
    int ExitInstance(int exitCode) override;
    void OnEndSession() override;
    void RegisterShellFileTypes(bool compat) override;
    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;

    CAppResources resources;
    CAppSettings settings;
    int startEmpty = 1; // 1 until the command line has been processed

private:
    bool ProcessShellCommand(fw::CCommandLineInfo& info) override;
    IStartupPlaylist* PlaylistPane() const;

    void OnAbout();
    void OnSettings();
    void OnWebSite();
    void OnEmailUs();
    void OnCheckUpdates();
    void OnClearRecentFiles();
    void OnUpdateClearRecentFiles(fw::CCmdUI& ui);
    void OnRecentFile(UINT id);
    void OnUpdateRecentFile(fw::CCmdUI& ui);

    CMultiFileCommandLineInfo commandLine_;
    bool comInitialized_ = false;
};

} // namespace zevrin
