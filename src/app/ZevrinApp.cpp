#include "app/ZevrinApp.h"

#include "services/AppInfo.h"
#include "playlist/StartupPlaylist.h"
#include "services/UpdateUrl.h"
#include "framework/FrameWnd.h"
#include "framework/Text.h"
#include "framework/View.h"
#include "playlist/ZevrinDoc.h"
#include "system/FileAssociations.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/ComposeMail.h"
#include "ui/dialogs/SettingsSheet.h"
#include "ui/dialogs/UpdateCheckDialogs.h"
#include "ui/frame/MainFrame.h"
#include "ui/playlist/PlaylistView.h"
#include "update/UpdateCheck.h"

#include <ole2.h>
#include "res/resource.h"

#include <commctrl.h>
#include <shellapi.h>

namespace zevrin {

CZevrinApp::CZevrinApp() {
    PublishResources(&resources);
    PublishSettings(&settings);
}

// The settings record writes itself when it is destroyed, after this body; the resources go
// after it.
CZevrinApp::~CZevrinApp() = default;

bool CZevrinApp::InitInstance() {
    // The shell's namespace objects (the folder dialog's tree, its context menu) live in this
    // thread's apartment; workers that use the shell join one of their own.
    comInitialized_ = SUCCEEDED(::OleInitialize(nullptr));
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&icc);

    SetRegistryKey(kMakerName);
    ParseCommandLine(commandLine_);

    resources.Init();
    settings.Load();

    AddDocTemplate(std::make_unique<fw::CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CZevrinDoc>(); },
        [this] {
            auto* frame = new CMainFrame;
            frame->SetToolPaths(resources.Tools());
            if (startEmpty == 0) frame->SetFileToStartAhead(FileToStartAhead(commandLine_.files));
            return frame;
        },
        [this] {
            // Made while the command line is processed: startEmpty already says whether it named files.
            auto* view = new CPlaylistView;
            view->SetStartedWithFiles(startEmpty == 0);
            return view;
        }));

    RegisterShellFileTypes(true);

    if (!ProcessShellCommand(commandLine_)) return false;

    MainWnd()->Show(SW_SHOW);
    UpdateWindow(MainWnd()->Hwnd());
    DragAcceptFiles(MainWnd()->Hwnd(), TRUE);

    if (settings.autoCheckUpdate) MainWnd()->PostMessage(WM_UPDATE_CHECK, kUpdateCheckStart, 1);
    return true;
}

int CZevrinApp::ExitInstance(int exitCode) {
    int result = fw::CWinApp::ExitInstance(exitCode);
    if (comInitialized_) ::OleUninitialize();
    comInitialized_ = false;
    return result;
}

// The settings record is written when it is destroyed, which a process ended with the session
// never reaches; the frame has closed by now, so the views have given their values back.
void CZevrinApp::OnEndSession() { settings.Save(); }

// A file named on the command line is not opened as a document: the document starts empty
// and the playlist pane queues every path the command line named.
bool CZevrinApp::ProcessShellCommand(fw::CCommandLineInfo& info) {
    if (info.shellCommand == fw::CCommandLineInfo::FileOpen) {
        info.shellCommand = fw::CCommandLineInfo::FileNew;
        startEmpty = 0;
    }
    if (!fw::CWinApp::ProcessShellCommand(info)) return false;
    if (startEmpty == 0) {
        if (IStartupPlaylist* playlist = PlaylistPane()) OpenCommandLinePaths(*playlist, commandLine_.files);
    }
    startEmpty = 0;
    return true;
}

IStartupPlaylist* CZevrinApp::PlaylistPane() const {
    fw::CSingleDocTemplate* docTemplate = DocTemplate();
    if (!docTemplate || !docTemplate->Document()) return nullptr;
    for (fw::CView* view : docTemplate->Document()->Views())
        if (auto* playlist = dynamic_cast<IStartupPlaylist*>(view)) return playlist;
    return nullptr;
}

// The playlist document type ".play" is registered at every start (and by "/Register"), so a
// playlist file always opens with the program that is running now.
void CZevrinApp::RegisterShellFileTypes(bool) {
    if (RegisterPlaylistDocumentType(ModulePath())) NotifyAssociationsChanged();
}

bool CZevrinApp::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CZevrinApp> commands[] = {
        {ID_APP_ABOUT, &CZevrinApp::OnAbout},
        {ID_SETTINGS, &CZevrinApp::OnSettings},
        {ID_WEB_SITE, &CZevrinApp::OnWebSite},
        {ID_EMAIL_US, &CZevrinApp::OnEmailUs},
        {ID_CHECK_UPDATES, &CZevrinApp::OnCheckUpdates},
        {ID_RECENT_FILES_CLEAR, &CZevrinApp::OnClearRecentFiles, &CZevrinApp::OnUpdateClearRecentFiles},
        {ID_RECENT_FILE_FIRST, ID_RECENT_FILE_LAST, &CZevrinApp::OnRecentFile, &CZevrinApp::OnUpdateRecentFile},
    };
    return fw::DispatchCommand(this, commands, id, ui) || fw::CWinApp::OnCmdMsg(id, ui);
}

void CZevrinApp::OnAbout() { CAboutDialog().DoModal(); }
void CZevrinApp::OnSettings() {
    CSettingsSheet sheet(settings);
    sheet.DoModal();
}

void CZevrinApp::OnWebSite() { ShellExecuteW(nullptr, L"open", kHomePage, nullptr, nullptr, SW_SHOWNORMAL); }

void CZevrinApp::OnEmailUs() { ComposeSupportMail(); }

void CZevrinApp::OnCheckUpdates() {
    CUpdateCheckDialogs dialogs;
    StartUpdateCheck(UpdateUrl(), kVersion, 0, false, dialogs);
}

void CZevrinApp::OnClearRecentFiles() { settings.ClearRecentFiles(); }

void CZevrinApp::OnUpdateClearRecentFiles(fw::CCmdUI& ui) { ui.Enable(settings.recentFiles.Size() > 0); }

void CZevrinApp::OnRecentFile(UINT id) {
    size_t index = id - ID_RECENT_FILE_FIRST;
    if (index >= settings.recentFiles.Size()) return;
    std::wstring path = settings.recentFiles.Entries()[index];
    if (!DocTemplate() || !DocTemplate()->OpenDocumentFile(path)) settings.recentFiles.Remove(index);
}

void CZevrinApp::OnUpdateRecentFile(fw::CCmdUI& ui) { settings.recentFiles.UpdateMenu(ui); }

} // namespace zevrin
