#include "system/ShellExtInstaller.h"

#include "services/AppInfo.h"
#include "framework/Registry.h"
#include "framework/Text.h"

#include <shellapi.h>
#include <shlwapi.h>

namespace zevrin {

namespace {

// The registration tool runs hidden and on its own: its outcome shows the next time the
// handler keys are read.
void ShellExecuteHidden(const std::wstring& file, const std::wstring& parameters) {
    ShellExecuteW(nullptr, nullptr, file.c_str(), parameters.c_str(), nullptr, SW_HIDE);
}

} // namespace

CShellExtInstaller::CShellExtInstaller() : CShellExtInstaller(AppFolder(), HKEY_CLASSES_ROOT, ShellExecuteHidden) {}

CShellExtInstaller::CShellExtInstaller(std::wstring folder, HKEY classesRoot, Launcher launcher)
    : folder_(std::move(folder)), classesRoot_(classesRoot), launcher_(std::move(launcher)) {}

int CShellExtInstaller::InstalledCount() const {
    int count = 0;
    for (const wchar_t* parent : kContextMenuHandlerParents)
        if (fw::RegKey::Open(classesRoot_, fw::Format(L"%s\\%s", parent, kContextMenuHandlerName))) ++count;
    return count;
}

int CShellExtInstaller::Install() {
    std::wstring path = fw::Format(L"%s\\%s", folder_.c_str(), libraryName.c_str());
    if (!PathFileExistsW(path.c_str())) return -1;
    launcher_(L"regsvr32.exe", fw::Format(L"/s /c \"%s\"", path.c_str()));
    return 0;
}

int CShellExtInstaller::Uninstall() {
    int deleted = 0;
    for (const wchar_t* parent : kContextMenuHandlerParents) {
        fw::RegKey key = fw::RegKey::Open(classesRoot_, parent, KEY_WRITE);
        if (key && RegDeleteKeyW(key.Get(), kContextMenuHandlerName) == ERROR_SUCCESS) ++deleted;
    }
    return deleted;
}

} // namespace zevrin
