#include "playlist/PlaylistStore.h"

#include "services/AppSettings.h"

#include <windows.h>
#include <shlwapi.h>

namespace zevrin {

std::vector<std::unique_ptr<CPlaylistEntry>> LoadPlaylistEntries(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    std::unique_ptr<CPlaylistFile> format = CreatePlaylistFile(path);
    CPlaylistFileList list;
    if (!format || format->Read(path, list) != 0) return {};
    return std::move(list.entries);
}

std::wstring PlaylistSavePath(const std::wstring& path) {
    const wchar_t* extension = PathFindExtensionW(path.c_str());
    return (extension && *extension) ? path : path + L".play";
}

int SavePlaylistEntries(const std::wstring& path, const std::vector<const CPlaylistEntry*>& entries) {
    std::unique_ptr<CPlaylistFile> format = CreatePlaylistFile(path);
    if (!format) return -1;
    CPlaylistFileList list;
    for (const CPlaylistEntry* entry : entries) list.entries.push_back(std::make_unique<CPlaylistEntry>(*entry));
    return format->Write(path, list) == 0 ? static_cast<int>(entries.size()) : -1;
}

void KeepLastPlaylist(CAppSettings& settings, const std::vector<const CPlaylistEntry*>& entries) {
    int saved = settings.loadLastPlaylist ? SavePlaylistEntries(settings.DefaultPlaylistPath(), entries) : 0;
    if (saved <= 0) settings.DeleteTempFolder();
}

} // namespace zevrin
