#pragma once
// Making the program the opener of the file types the user checks, and giving each extension
// back to the program that had it before. The previous owner of an extension is remembered in
// the program's own settings key, FileTypes\<extension>, as a string value named after the
// extension. The shell is told once after a batch of changes, so Explorer shows the new icons
// without the user logging off.
#include "services/FileTypeInfo.h"

#include <string>
#include <vector>

namespace zevrin {

class CAppSettings;

// One row of the settings page's list: a copy of the type and its check mark.
struct FileTypeChoice {
    CFileTypeInfo type;
    bool checked;
};

// The open command written for every type: "\"<program>\" \"%1\"".
std::wstring OpenCommand(const std::wstring& programPath);

// The ProgID the extension named before the program took it; "" when none was remembered or
// the remembered one is our own. `settingsRoot` is the program's key under HKEY_CURRENT_USER.
std::wstring RememberedOwner(const std::wstring& settingsRoot, const CFileTypeInfo& type);

// Registers and associates every checked type, unregisters and gives back every unchecked
// one, and makes the settings' table exactly the listed types in list order. Tells the shell.
void ApplyFileTypeChoices(CAppSettings& settings, const std::vector<FileTypeChoice>& choices,
                          const std::wstring& programPath);

// Takes one type away at once: its ProgID goes and the extension returns to its previous owner.
void RemoveFileType(const std::wstring& settingsRoot, const CFileTypeInfo& type, const std::wstring& programPath);

// The playlist document type ".play", registered and associated at every start; the previous
// owner is not remembered. True when the registry had to change.
bool RegisterPlaylistDocumentType(const std::wstring& programPath);

// One SHCNE_ASSOCCHANGED notification for the shell.
void NotifyAssociationsChanged();

} // namespace zevrin
