#include "framework/WinApp.h"

#include "framework/FrameWnd.h"
#include "framework/Ids.h"
#include "framework/Registry.h"
#include "framework/Text.h"

namespace fw {

namespace {
CWinApp* theApp = nullptr;
}

CWinApp::CWinApp() { theApp = this; }

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

CWinApp* CWinApp::Get() { return theApp; }

int CWinApp::Run() {
    if (appName_.empty()) appName_ = LoadResourceString(IDS_APP_TITLE);
    if (!InitInstance()) {
        if (mainWnd_) mainWnd_->DestroyWindow();
        return ExitInstance(1);
    }
    MSG msg{};
    long idleCount = 0;
    for (;;) {
        while (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) break;
        }
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // Input and paint mean something may have changed that bars show.
        if (msg.message != WM_TIMER && msg.message != WM_NULL) idleCount = 0;
    }
    // The frame may already be gone; the template still owns the document.
    if (template_) template_->CloseDocument();
    return ExitInstance(static_cast<int>(msg.wParam));
}

bool CWinApp::OnIdle(long count) {
    if (count == 0 && mainWnd_ && mainWnd_->Hwnd()) {
        mainWnd_->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
    return false;
}

// Offers a message to the windows from its target up to the top-level window, innermost
// first, and finally to the main frame (whose accelerators apply to all its children).
bool CWinApp::PreTranslateMessage(MSG& msg) {
    for (HWND h = msg.hwnd; h; h = GetParent(h)) {
        if (CWnd* wnd = CWnd::FromHandle(h); wnd && wnd->PreTranslateMessage(msg)) return true;
        if (mainWnd_ && h == mainWnd_->Hwnd()) return false;
    }
    // A message for a window outside the frame (a popup, a dialog of another thread) still
    // gets the frame's accelerators when the frame is active.
    if (mainWnd_ && msg.hwnd && GetAncestor(msg.hwnd, GA_ROOT) == mainWnd_->Hwnd())
        return mainWnd_->PreTranslateMessage(msg);
    return false;
}

void CWinApp::SetRegistryKey(const wchar_t* company) {
    registryKey_ = company;
    if (appName_.empty()) appName_ = LoadResourceString(IDS_APP_TITLE);
}

std::wstring CWinApp::ProfileKeyPath(const std::wstring& section) const {
    std::wstring path = L"Software\\" + registryKey_ + L"\\" + appName_;
    if (!section.empty()) path += L"\\" + section;
    return path;
}

int CWinApp::GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const {
    auto value = RegKey::Open(HKEY_CURRENT_USER, ProfileKeyPath(section)).ReadDword(entry);
    return value ? static_cast<int>(*value) : defaultValue;
}

bool CWinApp::WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) const {
    return RegKey::Create(HKEY_CURRENT_USER, ProfileKeyPath(section)).WriteDword(entry, static_cast<DWORD>(value));
}

std::wstring CWinApp::GetProfileString(const wchar_t* section, const wchar_t* entry,
                                       const wchar_t* defaultValue) const {
    auto value = RegKey::Open(HKEY_CURRENT_USER, ProfileKeyPath(section)).ReadString(entry);
    return value ? *value : std::wstring(defaultValue ? defaultValue : L"");
}

bool CWinApp::WriteProfileString(const wchar_t* section, const wchar_t* entry, const std::wstring& value) const {
    return RegKey::Create(HKEY_CURRENT_USER, ProfileKeyPath(section)).WriteString(entry, value);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
    fw::ParseCommandLine(info, SplitCommandLine(GetCommandLineW()));
}

bool CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.shellCommand) {
    case CCommandLineInfo::FileNew:
        return template_ && template_->OpenDocumentFile(L"") != nullptr;
    case CCommandLineInfo::FileOpen:
        return template_ && template_->OpenDocumentFile(info.fileName) != nullptr;
    case CCommandLineInfo::AppRegister:
        RegisterShellFileTypes(true);
        return false; // registration only: the program ends
    case CCommandLineInfo::AppUnregister:
    case CCommandLineInfo::FileNothing:
        return false;
    case CCommandLineInfo::FileDDE:
        // No DDE conversation is served (no file type names one): "/dde" starts with an empty
        // document, as a start without files does.
        return template_ && template_->OpenDocumentFile(L"") != nullptr;
    }
    return false;
}

bool CWinApp::OnCmdMsg(UINT id, CCmdUI* ui) {
    static const Command<CWinApp> commands[] = {
        {ID_APP_EXIT, &CWinApp::OnAppExit},
    };
    return DispatchCommand(this, commands, id, ui);
}

// Exit closes the main window the way its close box does, so everything that runs on close
// (stopping work, saving the playlist) runs on this road too.
void CWinApp::OnAppExit() {
    if (mainWnd_) mainWnd_->SendMessage(WM_CLOSE);
}

void CWinApp::OnFileNew() {
    if (template_) template_->OpenDocumentFile(L"");
}

} // namespace fw
