#include "playlist/StartupPlaylist.h"

#include "playlist/PlaylistFile.h"

#include <windows.h>
#include <shlwapi.h>

namespace zevrin {

void OpenCommandLinePaths(IStartupPlaylist& playlist, const std::vector<std::wstring>& paths) {
    playlist.StopLoader();
    playlist.StopExtractors();
    playlist.SetPendingPlayIndex(-1);
    playlist.RemoveAll();
    int added = 0;
    for (const std::wstring& path : paths) {
        if (PathIsDirectoryW(path.c_str()))
            added += playlist.AddFolder(path, L"*", true);
        else
            added += playlist.AddPath(path);
    }
    if (added > 0) playlist.SetPendingPlayIndex(0);
    if (!playlist.IsLoaderRunning()) playlist.StartLoader();
}

std::wstring FileToStartAhead(const std::vector<std::wstring>& paths) {
    if (paths.empty()) return {};
    const std::wstring& path = paths.front();
    if (path.find(L"://") != std::wstring::npos || IsPlaylistFile(path) || IsImageFile(path)) return {};
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return path;
}

} // namespace zevrin
