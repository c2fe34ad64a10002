#include "playlist/PlaylistFile.h"

#include "framework/Handles.h"
#include "framework/Text.h"

#include <windows.h>
#include <shlwapi.h>

namespace zevrin {

void CPlaylistFileList::AddPath(const std::wstring& path) {
    auto entry = std::make_unique<CPlaylistEntry>();
    entry->path = path;
    entries.push_back(std::move(entry));
}

namespace {

std::wstring Extension(const std::wstring& path) {
    const wchar_t* ext = PathFindExtensionW(path.c_str());
    return ext ? ext : L"";
}

} // namespace

std::unique_ptr<CPlaylistFile> CreatePlaylistFile(const std::wstring& path) {
    std::wstring ext = Extension(path);
    if (fw::EqualsNoCase(ext, L".play")) return std::make_unique<CPlayPlaylistFile>();
    if (fw::EqualsNoCase(ext, L".m3u")) return std::make_unique<CM3uPlaylistFile>();
    if (fw::EqualsNoCase(ext, L".pls")) return std::make_unique<CPlsPlaylistFile>();
    return nullptr;
}

bool IsPlaylistFile(const std::wstring& path) {
    std::wstring ext = Extension(path);
    return fw::EqualsNoCase(ext, L".play") || fw::EqualsNoCase(ext, L".m3u") || fw::EqualsNoCase(ext, L".pls");
}

bool IsImageFile(const std::wstring& path) {
    static const wchar_t* const kImageExtensions[] = {L".gif", L".jpg", L".jpeg", L".png",
                                                      L".ico", L".tif", L".tiff", L".bmp"};
    const std::wstring ext = Extension(path);
    for (const wchar_t* image : kImageExtensions)
        if (fw::EqualsNoCase(ext, image)) return true;
    return false;
}

bool IsExistingLocalFile(const std::wstring& path) {
    if (path.find(L"://") != std::wstring::npos) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ResolveEntryPath(const std::wstring& entry, const std::wstring& playlistPath) {
    if (entry.find(L"://") != std::wstring::npos || !PathIsRelativeW(entry.c_str())) return entry;
    std::wstring folder = playlistPath.substr(0, playlistPath.find_last_of(L"\\/") + 1);
    if (folder.empty()) return entry;
    std::wstring joined = folder + entry;
    wchar_t full[MAX_PATH * 4];
    DWORD n = GetFullPathNameW(joined.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    return n > 0 && n < std::size(full) ? std::wstring(full) : joined;
}

bool WriteFileSafely(const std::wstring& path, const std::string& bytes) {
    std::wstring temp = path + L".saving";
    {
        fw::UniqueFile file(
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD written = 0;
        bool ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && FlushFileBuffers(file.Get());
        if (!ok) {
            file.Reset();
            DeleteFileW(temp.c_str());
            return false;
        }
    }
    if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

} // namespace zevrin
