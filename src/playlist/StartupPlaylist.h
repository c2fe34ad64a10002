#pragma once
// What start-up asks of the playlist pane to put the command line's paths into the playlist.
#include <string>
#include <vector>

namespace zevrin {

class IStartupPlaylist {
public:
    virtual ~IStartupPlaylist() = default;

    virtual void StopLoader() = 0;
    virtual void StopExtractors() = 0;
    virtual void RemoveAll() = 0;
    // The index to play as soon as its item has been loaded; -1 for none.
    virtual void SetPendingPlayIndex(int index) = 0;
    // Queue a file, URL or playlist file; returns how many entries it added.
    virtual int AddPath(const std::wstring& path) = 0;
    // Queue what a folder holds that matches the patterns (";"-separated); returns the count.
    virtual int AddFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse) = 0;
    virtual bool IsLoaderRunning() const = 0;
    virtual void StartLoader() = 0;
};

// Empties the playlist and queues the command line's paths in order: a folder with everything
// below it, anything else as one entry. The first entry becomes the one to play.
void OpenCommandLinePaths(IStartupPlaylist& playlist, const std::vector<std::wstring>& paths);

// The command line's first path when it will be the playlist's first entry as it stands: an
// existing local file that is neither a playlist file nor a picture. Its playback can start
// while the window is still being made; empty when there is none.
std::wstring FileToStartAhead(const std::vector<std::wstring>& paths);

} // namespace zevrin
