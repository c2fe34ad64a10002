#pragma once
// Nobrel's self-registration: the application id (script 101), the class with its ProgIDs and
// handler keys (script 102), the type library and the interface proxy, for the machine or,
// once DllInstall has switched to it, for the current user.
#include <windows.h>

#include <string>

namespace nobrel {

// The module path as the scripts' %MODULE% wants it: every single quote doubled.
std::wstring QuoteForScript(const std::wstring& path);

HRESULT RegisterServer();
HRESULT UnregisterServer();
// DllInstall: "user" (exactly, in any case) switches to per-user registration first.
HRESULT InstallServer(BOOL install, const wchar_t* commandLine);

} // namespace nobrel
