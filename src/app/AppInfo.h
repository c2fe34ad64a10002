#pragma once
// Who the program is: maker, name, version, and where its own files and data live.
#include <string>

namespace zevrin {

inline constexpr wchar_t kMakerName[] = L"Tresk";
inline constexpr wchar_t kAppName[] = L"Zevrin";
inline constexpr wchar_t kVersion[] = L"3.0.0";
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
