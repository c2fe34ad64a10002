#pragma once
// The application object: start-up and shut-down, the message loop with idle processing and
// message pre-translation, the profile (settings) functions over the current user's registry,
// command-line processing and the document template. There is one per process.
#include "framework/CmdTarget.h"
#include "framework/CommandLineInfo.h"
#include "framework/DocTemplate.h"

#include <memory>
#include <string>

namespace fw {

class CFrameWnd;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    static CWinApp* Get();

    // The whole life of the program: InitInstance, the message loop, ExitInstance.
    int Run();

    virtual bool InitInstance() { return true; }
    virtual int ExitInstance(int exitCode) { return exitCode; }
    // Background work while the message queue is empty; return true to be called again.
    virtual bool OnIdle(long count);
    virtual bool PreTranslateMessage(MSG& msg);
    // The user's session ends: the main frame has closed, and the process will be ended
    // without returning from Run. Write here what the normal exit writes later.
    virtual void OnEndSession() {}

    CFrameWnd* MainWnd() const { return mainWnd_; }
    void SetMainWnd(CFrameWnd* frame) { mainWnd_ = frame; }

    // The application name (string resource IDS_APP_TITLE unless set).
    const std::wstring& AppName() const { return appName_; }
    void SetAppName(const std::wstring& name) { appName_ = name; }

    // Profile functions: values under HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
    void SetRegistryKey(const wchar_t* company);
    std::wstring ProfileKeyPath(const std::wstring& section = {}) const;
    int GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const;
    bool WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) const;
    std::wstring GetProfileString(const wchar_t* section, const wchar_t* entry,
                                  const wchar_t* defaultValue = L"") const;
    bool WriteProfileString(const wchar_t* section, const wchar_t* entry, const std::wstring& value) const;

    void ParseCommandLine(CCommandLineInfo& info) const;
    // Creates the document and frame for the command: a new document or an opened file.
    virtual bool ProcessShellCommand(CCommandLineInfo& info);

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate) { template_ = std::move(docTemplate); }
    CSingleDocTemplate* DocTemplate() const { return template_.get(); }

    virtual void RegisterShellFileTypes(bool compat) { (void)compat; }

    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    void OnAppExit();
    void OnFileNew();

private:
    std::wstring appName_;
    std::wstring registryKey_;
    CFrameWnd* mainWnd_ = nullptr;
    std::unique_ptr<CSingleDocTemplate> template_;
};

} // namespace fw
