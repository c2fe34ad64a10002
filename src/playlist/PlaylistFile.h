#pragma once
// Playlist files: the neutral list the formats read and write, and the three formats.
#include "playlist/PlaylistEntry.h"

#include <memory>
#include <string>
#include <vector>

namespace zevrin {

struct CPlaylistFileList {
    std::vector<std::unique_ptr<CPlaylistEntry>> entries;
    uint32_t flags = 0;
    std::wstring title;
    std::wstring artwork;

    void AddPath(const std::wstring& path);
};

class CPlaylistFile {
public:
    virtual ~CPlaylistFile() = default;
    // 0 on success, -1 on failure.
    virtual int Read(const std::wstring& path, CPlaylistFileList& list) = 0;
    virtual int Write(const std::wstring& path, const CPlaylistFileList& list) = 0;
};

// Plain lists of paths in the ANSI code page, one per line.
class CM3uPlaylistFile : public CPlaylistFile {
public:
    int Read(const std::wstring& path, CPlaylistFileList& list) override;
    int Write(const std::wstring& path, const CPlaylistFileList& list) override;
};

// INI files: NumberOfEntries and File1, File2, ... in the section "Playlist".
class CPlsPlaylistFile : public CPlaylistFile {
public:
    int Read(const std::wstring& path, CPlaylistFileList& list) override;
    int Write(const std::wstring& path, const CPlaylistFileList& list) override;
};

// The program's own XML format, which keeps durations, titles, artwork and flags.
class CPlayPlaylistFile : public CPlaylistFile {
public:
    int Read(const std::wstring& path, CPlaylistFileList& list) override;
    int Write(const std::wstring& path, const CPlaylistFileList& list) override;
};

// The format for a path's extension (".play", ".m3u", ".pls", any case), or none.
std::unique_ptr<CPlaylistFile> CreatePlaylistFile(const std::wstring& path);
bool IsPlaylistFile(const std::wstring& path);
// A still picture by its extension: the playlist never takes one as media.
bool IsImageFile(const std::wstring& path);
// A file that exists on a local or network drive: not a URL, not a folder.
bool IsExistingLocalFile(const std::wstring& path);

// A playlist entry as a path: relative entries are taken relative to the playlist's folder,
// URLs and absolute paths are kept.
std::wstring ResolveEntryPath(const std::wstring& entry, const std::wstring& playlistPath);

// Replaces `path` by `bytes` so that a crash or power loss leaves either the old file or the
// new one, never a half-written one.
bool WriteFileSafely(const std::wstring& path, const std::string& bytes);

} // namespace zevrin
