#include "system/FileAssociations.h"

#include "services/AppInfo.h"
#include "services/AppSettings.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "system/ClassesKeys.h"

#include <shlobj.h>

namespace zevrin {

namespace {

// The settings section of a type: FileTypes\<extension> under the program's key.
std::wstring TypeSection(const std::wstring& settingsRoot, const CFileTypeInfo& type) {
    return fw::Format(L"%s\\%s\\%s", settingsRoot.c_str(), L"FileTypes", type.extension.c_str());
}

void RememberOwner(const std::wstring& settingsRoot, const CFileTypeInfo& type, const std::wstring& previous) {
    // An empty owner, or our own ProgID, keeps whatever was remembered before.
    if (previous.empty() || previous == type.progId) return;
    fw::RegKey::Create(HKEY_CURRENT_USER, TypeSection(settingsRoot, type))
        .WriteString(type.extension.c_str(), previous);
}

void Take(const std::wstring& settingsRoot, const CFileTypeInfo& type, const std::wstring& programPath) {
    type.Register(programPath);
    std::wstring previous;
    type.Associate(previous);
    RememberOwner(settingsRoot, type, previous);
}

void GiveBack(const std::wstring& settingsRoot, const CFileTypeInfo& type, const std::wstring& programPath) {
    type.Unregister(programPath);
    type.RestoreAssociation(RememberedOwner(settingsRoot, type));
}

std::wstring ReadCommand(const CFileTypeInfo& type) {
    std::wstring command;
    ReadDefaultValue(type.progId + L"\\shell\\open\\command", command);
    return command;
}

} // namespace

std::wstring RememberedOwner(const std::wstring& settingsRoot, const CFileTypeInfo& type) {
    std::wstring owner = fw::RegKey::Open(HKEY_CURRENT_USER, TypeSection(settingsRoot, type))
                             .ReadString(type.extension.c_str())
                             .value_or(L"");
    return owner == type.progId ? std::wstring() : owner;
}

void ApplyFileTypeChoices(CAppSettings& settings, const std::vector<FileTypeChoice>& choices,
                          const std::wstring& programPath) {
    settings.fileTypes.clear();
    for (const FileTypeChoice& choice : choices) {
        auto type = std::make_unique<CFileTypeInfo>(choice.type);
        if (choice.checked)
            Take(settings.RootKey(), *type, programPath);
        else
            GiveBack(settings.RootKey(), *type, programPath);
        settings.fileTypes.push_back(std::move(type));
    }
    NotifyAssociationsChanged();
}

void RemoveFileType(const std::wstring& settingsRoot, const CFileTypeInfo& type, const std::wstring& programPath) {
    bool changed = false;
    if (type.IsRegistered()) changed = type.Unregister(programPath);
    if (type.IsAssociated()) changed = type.RestoreAssociation(RememberedOwner(settingsRoot, type)) || changed;
    if (changed) NotifyAssociationsChanged();
}

bool RegisterPlaylistDocumentType(const std::wstring& programPath) {
    CFileTypeInfo playlist(L"Playlist", L".play", 1);
    bool current =
        playlist.IsRegistered() && playlist.IsAssociated() && ReadCommand(playlist) == OpenCommand(programPath);
    playlist.Register(programPath);
    std::wstring previous; // not remembered: ".play" is the program's own type
    playlist.Associate(previous);
    return !current;
}

void NotifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

} // namespace zevrin
