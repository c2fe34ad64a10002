#pragma once
// The settings record: every user preference, the recent lists and the file-type table. It is
// loaded once at start-up and written once, when it is destroyed at the end of the process;
// in between, the program changes it in memory only.
#include "services/FileTypeInfo.h"
#include "services/RecentList.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zevrin {

class CAppSettings {
public:
    explicit CAppSettings(std::wstring rootKey = L"Software\\Tresk\\Zevrin");
    ~CAppSettings();
    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = delete;

    int Load();
    void Save();
    const std::wstring& RootKey() const { return rootKey_; }

    // --- values of the "Settings" key, in their stored order ---
    int layout = 2;
    int viewStyle = 1;
    int alwaysOnTop = 0;
    int transparent = 0;
    int repeat = 0;         // 0 off, 1 the current item, 2 the whole playlist
    int transientState = 0; // kept in memory only
    int autoClose = 0;
    int autoShutdown = 0;
    int disableScreenSaver = 1;
    int showControlBarsInFullScreenMode = 0;
    int saveRecentFiles = 1;
    int maxRecentFiles = 10;
    int saveRecentPlaylists = 1;
    int maxRecentPlaylists = 10;
    int zoom = 100;
    int volume = 100;
    int mute = 0;
    int loadLastPlaylist = 1;
    int allowDuplicates = 1;
    int showDuration = 1;
    int showTitle = 1;
    int showIcon = 0;
    int thumbnailTime = 1000;
    int thumbnailCx = 160;
    int thumbnailCy = 90;
    int thumbnailDpi = 96; // not stored: the DPI the cells are drawn at, for thumbnails of their physical size
    int folderDialogFilterIndex = 0;
    std::wstring folderDialogLastFolder;
    int folderDialogScanSubfolders = 0;
    int autoCheckUpdate = 1;
    int autoCheckUpdateEvery = 7;
    std::wstring tempFolder; // read only: never written back

    CRecentList recentFiles;
    CRecentList recentPlaylists;
    CRecentList recentUrls; // the Open URL dialog's drop-down, most recent first
    std::vector<std::unique_ptr<CFileTypeInfo>> fileTypes;

    void AddFileType(const std::wstring& name, const std::wstring& extension, int icon);
    void AddRecentFile(const std::wstring& path) { recentFiles.Add(path); }
    void ClearRecentFiles() { recentFiles.Clear(); }
    void AddRecentPlaylist(const std::wstring& path) { recentPlaylists.Add(path); }
    void RemoveRecentPlaylist(size_t index) { recentPlaylists.Remove(index); }

    // --- the temporary folder, where thumbnails and probe results go ---
    std::wstring TempFolder() const;
    std::wstring TempPath(const std::wstring& name) const;
    // A path in the temporary folder that no file has yet: "name.ext", else "name (1).ext", ...
    std::wstring UniqueTempFile(const std::wstring& name, const std::wstring& extension);
    // "<user data folder>\Default.play", the playlist kept from one run to the next.
    std::wstring DefaultPlaylistPath() const;
    // Removes the temporary files at exit (see the definition for what exactly goes).
    void DeleteTempFolder();

private:
    void LoadValues();
    void SaveValues() const;
    void ApplyClamps();
    void LoadFileTypes();
    void SaveFileTypes() const;
    void SetupRecentLists();
    std::wstring SettingsKey() const { return rootKey_ + L"\\Settings"; }

    std::wstring rootKey_;
    bool loaded_ = false;
    std::mutex tempFilesLock_;
    std::vector<std::wstring> createdTempFiles_; // handed out by UniqueTempFile
};

// The process-wide settings record, published by the application object.
CAppSettings& Settings();
void PublishSettings(CAppSettings* settings);

} // namespace zevrin
