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
    if (!IsExistingLocalFile(path) || IsPlaylistFile(path) || IsImageFile(path)) return {};
    return path;
}

} // namespace zevrin
