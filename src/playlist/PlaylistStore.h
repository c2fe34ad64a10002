#pragma once
// Playlists to and from files, as the playlist view uses them: loading a file's entries,
// saving the items, and keeping the playlist from one run of the program to the next.
#include "playlist/PlaylistFile.h"

#include <string>
#include <vector>

namespace zevrin {

class CAppSettings;

// Reads the playlist file at `path` by its extension. Empty when the file does not exist, has
// no known format or can't be read.
std::vector<std::unique_ptr<CPlaylistEntry>> LoadPlaylistEntries(const std::wstring& path);

// The path a playlist is saved to: ".play" is appended when the name has no extension.
std::wstring PlaylistSavePath(const std::wstring& path);

// Writes the entries in order (list flags 0, no title or artwork) in the format of the path's
// extension; the number written, or -1 when there is no format or the write failed.
int SavePlaylistEntries(const std::wstring& path, const std::vector<const CPlaylistEntry*>& entries);

// At exit: with "LoadLastPlaylist" the playlist goes to "Default.play"; the temporary folder
// goes unless that file now refers to its thumbnails (a non-empty playlist was saved).
void KeepLastPlaylist(CAppSettings& settings, const std::vector<const CPlaylistEntry*>& entries);

} // namespace zevrin
