#include "services/AppInfo.h"

#include "framework/Registry.h"

#include <windows.h>
#include <shlobj.h>

namespace zevrin {

std::wstring ModulePath() {
    wchar_t path[1024];
    DWORD n = GetModuleFileNameW(nullptr, path, 1023);
    path[n < 1023 ? n : 1023] = L'\0';
    return path;
}

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring AppFolder() {
    auto folder = fw::RegKey::Open(HKEY_CURRENT_USER, kRegistryRoot).ReadString(L"AppFolder");
    if (folder && !folder->empty()) {
        while (folder->size() > 3 && (folder->back() == L'\\' || folder->back() == L'/')) folder->pop_back();
        return *folder;
    }
    return FolderOf(ModulePath());
}

std::wstring UserDataFolder() {
    wchar_t appData[MAX_PATH];
    if (!SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, TRUE)) return AppFolder();
    std::wstring folder = std::wstring(appData) + L"\\" + kMakerName + L"\\" + kAppName;
    int rc = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (rc != ERROR_SUCCESS && rc != ERROR_ALREADY_EXISTS && rc != ERROR_FILE_EXISTS) return AppFolder();
    return folder;
}

} // namespace zevrin
