#pragma once
// The system's file-open and file-save dialogs, used for every file choice of the program.
// A multiple selection gets a buffer of 262,144 characters, so that many long names chosen
// together arrive whole instead of failing for want of room.
#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

namespace zevrin {

class COEFileDialog {
public:
    static constexpr DWORD kMultiSelectChars = 0x40000;

    // `filter`: pairs of description and patterns, each part ended by "|", the whole by "||"
    // ("Playlist Files (*.m3u)|*.m3u||"). `structSize` 0: the size the system understands.
    COEFileDialog(bool open, const wchar_t* defaultExtension = nullptr, const wchar_t* fileName = nullptr,
                  DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr,
                  HWND parent = nullptr, DWORD structSize = 0);
    COEFileDialog(const COEFileDialog&) = delete;
    COEFileDialog& operator=(const COEFileDialog&) = delete;

    // IDOK when the user chose, IDCANCEL when not (or when the dialog failed).
    INT_PTR DoModal();

    // The chosen path; the first of a multiple selection.
    std::wstring PathName() const;
    // Every chosen path, in the dialog's order.
    std::vector<std::wstring> PathNames() const;

    OPENFILENAMEW ofn{}; // set up by the constructor; callers may change title, filter index...

private:
    bool open_;
    std::wstring filter_;
    std::wstring defaultExtension_;
    std::vector<wchar_t> fileName_;
};

// OPENFILENAMEW's size for the system: the extended layout on NT 5 and later, the older one
// before.
DWORD OpenFileNameSize(const OSVERSIONINFOW& os);

// The paths in a dialog's result buffer: one full path, or (a multiple selection) the folder
// followed by the names, each ended by a null, the whole by a second null.
std::vector<std::wstring> SelectedPaths(const wchar_t* buffer);

} // namespace zevrin
