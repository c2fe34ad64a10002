// The temporary folder of CAppSettings: where probe results and thumbnails are written.
#include "services/AppInfo.h"
#include "services/AppSettings.h"
#include "framework/Text.h"

#include <algorithm>
#include <mutex>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace zevrin {

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EnsureFolder(const std::wstring& folder) {
    if (IsFolder(folder)) return true;
    int rc = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return rc == ERROR_SUCCESS || IsFolder(folder);
}

// Deletes a file or a whole folder without asking and without any error window.
void ShellDelete(const std::wstring& path) {
    std::wstring from = path;
    from.push_back(L'\0'); // the list of paths ends with an empty one
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    SHFileOperationW(&op);
}

} // namespace

std::wstring CAppSettings::TempFolder() const {
    if (!tempFolder.empty()) return tempFolder;
    return UserDataFolder() + L"\\Temp";
}

std::wstring CAppSettings::TempPath(const std::wstring& name) const { return TempFolder() + L"\\" + name; }

std::wstring CAppSettings::DefaultPlaylistPath() const { return UserDataFolder() + L"\\Default.play"; }

std::wstring CAppSettings::UniqueTempFile(const std::wstring& name, const std::wstring& extension) {
    std::wstring folder = TempFolder();
    if (!EnsureFolder(folder)) {
        wchar_t systemTemp[MAX_PATH], file[MAX_PATH];
        GetTempPathW(MAX_PATH, systemTemp);
        if (!GetTempFileNameW(systemTemp, L"~FP", 0, file)) return {};
        return file;
    }
    // Worker threads ask for names at the same time: a name handed out stays taken even before
    // its file exists.
    std::lock_guard lock(tempFilesLock_);
    auto taken = [&](const std::wstring& path) {
        return Exists(path) || std::any_of(createdTempFiles_.begin(), createdTempFiles_.end(),
                                           [&](const std::wstring& f) { return fw::EqualsNoCase(f, path); });
    };
    std::wstring candidate = fw::Format(L"%s\\%s%s", folder.c_str(), name.c_str(), extension.c_str());
    for (int n = 1; taken(candidate); ++n) {
        std::wstring numbered = fw::Format(L"%s (%d)", name.c_str(), n);
        candidate = fw::Format(L"%s\\%s%s", folder.c_str(), numbered.c_str(), extension.c_str());
    }
    createdTempFiles_.push_back(candidate);
    return candidate;
}

// The program's own temporary folder goes as a whole. A folder the user named in "TempFolder"
// may hold files that are not the program's, so there only the files handed out by
// UniqueTempFile during this run are deleted.
void CAppSettings::DeleteTempFolder() {
    std::lock_guard lock(tempFilesLock_);
    if (tempFolder.empty()) {
        std::wstring folder = TempFolder();
        if (IsFolder(folder)) ShellDelete(folder);
    } else {
        for (const std::wstring& file : createdTempFiles_)
            if (Exists(file)) ShellDelete(file);
    }
    createdTempFiles_.clear();
}

} // namespace zevrin
