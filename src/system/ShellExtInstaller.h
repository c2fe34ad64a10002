#pragma once
// Switches the Explorer context-menu extension (Nobrel.dll) on and off from the program.
// On runs the system's COM registration tool on the library, which applies the library's own
// registration scripts; off deletes only the two handler keys through which Explorer finds it,
// so the class stays registered and can be switched on again. Whether it is on is read back
// from the same two keys.
#include <windows.h>

#include <functional>
#include <string>

namespace zevrin {

class CShellExtInstaller {
public:
    // Starts a program without waiting for it: file and parameters.
    using Launcher = std::function<void(const std::wstring& file, const std::wstring& parameters)>;

    // The library is looked for in `folder` (the install folder by default); the handler keys
    // under `classesRoot` (HKEY_CLASSES_ROOT by default).
    CShellExtInstaller();
    CShellExtInstaller(std::wstring folder, HKEY classesRoot, Launcher launcher);
    virtual ~CShellExtInstaller() = default;

    // How many of the two handler keys exist: 0, 1 or 2.
    int InstalledCount() const;
    int SetInstalled(int on) { return on ? Install() : Uninstall(); }
    // 0 when the registration tool was started, -1 when the library file is missing.
    int Install();
    // The number of handler keys deleted, 0 to 2.
    int Uninstall();

    std::wstring libraryName = L"Nobrel.dll";

private:
    std::wstring folder_;
    HKEY classesRoot_;
    Launcher launcher_;
};

// The handler keys' parents: "*" (every file) and "Folder".
inline constexpr const wchar_t* kContextMenuHandlerParents[] = {
    L"*\\ShellEx\\ContextMenuHandlers",
    L"Folder\\ShellEx\\ContextMenuHandlers",
};
// The handler name the library's registration script writes: maker and application.
inline constexpr wchar_t kContextMenuHandlerName[] = L"Tresk.Zevrin";

} // namespace zevrin
