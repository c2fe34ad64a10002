#include "services/AppSettings.h"

#include "services/AppInfo.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "res/resource.h"

#include <algorithm>

namespace zevrin {

namespace {

CAppSettings* published = nullptr;

// The integer values of the "Settings" key in their stored order. Booleans are written as
// 0 or 1, other integers as they are.
struct IntValue {
    const wchar_t* name;
    int CAppSettings::*member;
    bool boolean;
};

constexpr IntValue kIntValuesBeforeFolder[] = {
    {L"Layout", &CAppSettings::layout, false},
    {L"ViewStyle", &CAppSettings::viewStyle, false},
    {L"AlwaysOnTop", &CAppSettings::alwaysOnTop, true},
    {L"Transparent", &CAppSettings::transparent, true},
    {L"Repeat", &CAppSettings::repeat, false},
    {L"AutoClose", &CAppSettings::autoClose, true},
    {L"AutoShutdown", &CAppSettings::autoShutdown, true},
    {L"DisableScreenSaver", &CAppSettings::disableScreenSaver, true},
    {L"ShowControlBarsInFullScreenMode", &CAppSettings::showControlBarsInFullScreenMode, true},
    {L"SaveRecentFiles", &CAppSettings::saveRecentFiles, true},
    {L"MaxRecentFiles", &CAppSettings::maxRecentFiles, false},
    {L"SaveRecentPlaylists", &CAppSettings::saveRecentPlaylists, true},
    {L"MaxRecentPlaylists", &CAppSettings::maxRecentPlaylists, false},
    {L"Zoom", &CAppSettings::zoom, false},
    {L"Volume", &CAppSettings::volume, false},
    {L"Mute", &CAppSettings::mute, true},
    {L"LoadLastPlaylist", &CAppSettings::loadLastPlaylist, true},
    {L"AllowDuplicates", &CAppSettings::allowDuplicates, true},
    {L"ShowDuration", &CAppSettings::showDuration, true},
    {L"ShowTitle", &CAppSettings::showTitle, true},
    {L"ShowIcon", &CAppSettings::showIcon, true},
    {L"Thumbnail.Time", &CAppSettings::thumbnailTime, false},
    {L"Thumbnail.cx", &CAppSettings::thumbnailCx, false},
    {L"Thumbnail.cy", &CAppSettings::thumbnailCy, false},
    {L"FolderDialog.FilterIndex", &CAppSettings::folderDialogFilterIndex, false},
};

constexpr IntValue kIntValuesAfterFolder[] = {
    {L"FolderDialog.ScanSubfolders", &CAppSettings::folderDialogScanSubfolders, true},
    {L"AutoCheckUpdate", &CAppSettings::autoCheckUpdate, true},
    {L"AutoCheckUpdate.Every", &CAppSettings::autoCheckUpdateEvery, false},
};

constexpr wchar_t kLastFolder[] = L"FolderDialog.LastFolder";
constexpr wchar_t kTempFolder[] = L"TempFolder";

struct DefaultFileType {
    const wchar_t* name;
    const wchar_t* extension;
    int icon;
};

constexpr DefaultFileType kDefaultFileTypes[] = {
    {L"Playlist", L".m3u", 5},  {L"Playlist", L".pls", 5},  {L"FLV Video", L".flv", 2},   {L"MP4 Video", L".mp4", 2},
    {L"ASF Video", L".asf", 2}, {L"3GP Video", L".3gp", 2}, {L"3G2 Video", L".3g2", 2},   {L"AVI Video", L".avi", 2},
    {L"MPG Video", L".mpg", 2}, {L"VOB Video", L".vob", 2}, {L"WEBM Video", L".webm", 2}, {L"WMV Video", L".wmv", 2},
    {L"MOV Video", L".mov", 2}, {L"MP3 Audio", L".mp3", 4}, {L"MP2 Audio", L".mp2", 4},   {L"WAV Audio", L".wav", 4},
    {L"AAC Audio", L".aac", 4}, {L"AC3 Audio", L".ac3", 4}, {L"AMR Audio", L".amr", 4},   {L"MMF Audio", L".mmf", 4},
    {L"OGG Audio", L".ogg", 4}, {L"WMA Audio", L".wma", 4}, {L"Flash", L".swf", 2},
};

constexpr wchar_t kFileTypesKey[] = L"FileTypes";
constexpr int kMaxRecentUrls = 8;

} // namespace

CAppSettings& Settings() { return *published; }
void PublishSettings(CAppSettings* settings) { published = settings; }

CAppSettings::CAppSettings(std::wstring rootKey) : rootKey_(std::move(rootKey)) {}

// Writing happens here, once, at the end of the process. A record that was never loaded
// holds only defaults and must not overwrite what the user has stored.
CAppSettings::~CAppSettings() {
    if (loaded_) Save();
}

int CAppSettings::Load() {
    LoadValues();
    ApplyClamps();
    LoadFileTypes();
    SetupRecentLists();
    tempFolder = fw::RegKey::Open(HKEY_CURRENT_USER, SettingsKey()).ReadString(kTempFolder).value_or(L"");
    loaded_ = true;
    return 0;
}

void CAppSettings::Save() {
    SaveValues();
    SaveFileTypes();
    recentFiles.Save();
    recentPlaylists.Save();
    recentUrls.Save();
}

void CAppSettings::LoadValues() {
    auto key = fw::RegKey::Open(HKEY_CURRENT_USER, SettingsKey());
    auto read = [&](const IntValue& v) {
        if (auto value = key.ReadDword(v.name)) this->*v.member = static_cast<int>(*value);
    };
    std::for_each(std::begin(kIntValuesBeforeFolder), std::end(kIntValuesBeforeFolder), read);
    folderDialogLastFolder = key.ReadString(kLastFolder).value_or(folderDialogLastFolder);
    std::for_each(std::begin(kIntValuesAfterFolder), std::end(kIntValuesAfterFolder), read);
}

void CAppSettings::SaveValues() const {
    auto key = fw::RegKey::Create(HKEY_CURRENT_USER, SettingsKey());
    auto write = [&](const IntValue& v) {
        int value = this->*v.member;
        key.WriteDword(v.name, static_cast<DWORD>(v.boolean ? (value != 0) : value));
    };
    std::for_each(std::begin(kIntValuesBeforeFolder), std::end(kIntValuesBeforeFolder), write);
    key.WriteString(kLastFolder, folderDialogLastFolder);
    std::for_each(std::begin(kIntValuesAfterFolder), std::end(kIntValuesAfterFolder), write);
}

void CAppSettings::ApplyClamps() {
    maxRecentFiles = std::clamp(maxRecentFiles, 0, 30);
    maxRecentPlaylists = std::clamp(maxRecentPlaylists, 0, 30);
    if (thumbnailCx < 40 || thumbnailCy < 30 || thumbnailCx > 400 || thumbnailCy > 300) {
        thumbnailCx = 160;
        thumbnailCy = 90;
    }
}

void CAppSettings::AddFileType(const std::wstring& name, const std::wstring& extension, int icon) {
    fileTypes.push_back(std::make_unique<CFileTypeInfo>(name, extension, icon));
}

void CAppSettings::LoadFileTypes() {
    fileTypes.clear();
    auto types = fw::RegKey::Open(HKEY_CURRENT_USER, rootKey_ + L"\\" + kFileTypesKey);
    for (const std::wstring& sub : types.SubKeyNames()) {
        auto key = fw::RegKey::Open(HKEY_CURRENT_USER,
                                    fw::Format(L"%s\\%s\\%s", rootKey_.c_str(), kFileTypesKey, sub.c_str()));
        std::wstring name = key.ReadString(L"Name").value_or(L"");
        std::wstring extension = key.ReadString(L"Extension").value_or(L"");
        int icon = static_cast<int>(key.ReadDword(L"Icon").value_or(static_cast<DWORD>(-1)));
        if (!name.empty() && !extension.empty() && icon != -1) AddFileType(name, extension, icon);
    }
    if (fileTypes.empty())
        for (const DefaultFileType& t : kDefaultFileTypes) AddFileType(t.name, t.extension, t.icon);
}

void CAppSettings::SaveFileTypes() const {
    for (const auto& type : fileTypes) {
        auto key = fw::RegKey::Create(
            HKEY_CURRENT_USER, fw::Format(L"%s\\%s\\%s", rootKey_.c_str(), kFileTypesKey, type->extension.c_str()));
        key.WriteString(L"Name", type->name);
        key.WriteString(L"Extension", type->extension);
        key.WriteDword(L"Icon", static_cast<DWORD>(type->icon));
    }
}

void CAppSettings::SetupRecentLists() {
    recentFiles.Setup(rootKey_, L"Recent\\Files", saveRecentFiles ? maxRecentFiles : 0, ID_RECENT_FILE_FIRST);
    recentPlaylists.Setup(rootKey_, L"Recent\\Playlists", saveRecentPlaylists ? maxRecentPlaylists : 0,
                          ID_RECENT_PLAYLIST_FIRST);
    if (recentFiles.MaxCount() > 0) recentFiles.Load();
    if (recentPlaylists.MaxCount() > 0) recentPlaylists.Load();
    // The URLs opened before: a handful, kept while recent files are.
    recentUrls.Setup(rootKey_, L"Recent\\Urls", saveRecentFiles ? kMaxRecentUrls : 0, 0);
    if (recentUrls.MaxCount() > 0) recentUrls.Load();
}

} // namespace zevrin
