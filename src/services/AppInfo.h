#pragma once
// Who the program is: maker, name, version, and where its own files and data live.
#include "ZevrinVersion.h"

#include <string>

namespace zevrin {

inline constexpr wchar_t kMakerName[] = L"Tresk";
inline constexpr wchar_t kAppName[] = L"Zevrin";
inline constexpr wchar_t kVersion[] = ZEVRIN_VERSION_WTEXT;
// The maker's addresses, published with every release: the About dialog's links, "Web Site",
// "Email Us", the example of the URL dialogs and the update check's host all come from here.
inline constexpr wchar_t kHomePage[] = L"https://www.tresk.com";
inline constexpr wchar_t kProductPage[] = L"https://www.tresk.com/zevrin/";
inline constexpr wchar_t kSupportAddress[] = L"support@tresk.com";
inline constexpr wchar_t kExampleMediaUrl[] = L"https://www.tresk.com/zevrin/demo.3gp";
inline constexpr wchar_t kUpdateUrl[] = L"https://www.tresk.com/zevrin/update.xml";

// The program's key under HKEY_CURRENT_USER: settings, recent lists, file types, AppFolder.
inline constexpr wchar_t kRegistryRoot[] = L"Software\\Tresk\\Zevrin";

// The program's own full path.
std::wstring ModulePath();
// The install folder the installer recorded (value AppFolder); the executable's folder when
// the value is missing.
std::wstring AppFolder();
// "<per-user application data>\Tresk\Zevrin", created when missing; AppFolder() when the
// special folder can't be had.
std::wstring UserDataFolder();

// The folder part of a path, without the trailing backslash.
std::wstring FolderOf(const std::wstring& path);

} // namespace zevrin
