#include "ui/dialogs/OEFileDialog.h"

#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

#include <algorithm>

namespace zevrin {

namespace {

// The single-file buffer: generous for one long path.
constexpr DWORD kSingleFileChars = MAX_PATH * 4;

OSVERSIONINFOW SystemVersion() {
    OSVERSIONINFOW os{sizeof(os)};
    GetVersionExW(&os);
    return os;
}

} // namespace

DWORD OpenFileNameSize(const OSVERSIONINFOW& os) {
    bool extended = os.dwPlatformId == VER_PLATFORM_WIN32_NT && os.dwMajorVersion > 4;
    return extended ? sizeof(OPENFILENAMEW) : OPENFILENAME_SIZE_VERSION_400W;
}

std::vector<std::wstring> SelectedPaths(const wchar_t* buffer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::wstring folder = parts[0];
    if (folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> paths;
    for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
    return paths;
}

COEFileDialog::COEFileDialog(bool open, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                             const wchar_t* filter, HWND parent, DWORD structSize)
    : open_(open) {
    if (filter) {
        filter_ = filter;
        std::replace(filter_.begin(), filter_.end(), L'|', L'\0');
    }
    if (defaultExtension) defaultExtension_ = defaultExtension;
    fileName_.assign((flags & OFN_ALLOWMULTISELECT) ? kMultiSelectChars : kSingleFileChars, L'\0');
    if (fileName) wcsncpy(fileName_.data(), fileName, fileName_.size() - 1);

    ofn.lStructSize = structSize ? structSize : OpenFileNameSize(SystemVersion());
    ofn.hwndOwner = parent;
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    ofn.lpstrFile = fileName_.data();
    ofn.nMaxFile = static_cast<DWORD>(fileName_.size());
    ofn.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
    ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR COEFileDialog::DoModal() {
    if (!ofn.hwndOwner) {
        fw::CWinApp* app = fw::CWinApp::Get();
        if (app && app->MainWnd()) ofn.hwndOwner = app->MainWnd()->Hwnd();
    }
    BOOL chosen = open_ ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    return chosen ? IDOK : IDCANCEL;
}

std::wstring COEFileDialog::PathName() const {
    std::vector<std::wstring> paths = PathNames();
    return paths.empty() ? std::wstring() : paths.front();
}

std::vector<std::wstring> COEFileDialog::PathNames() const {
    if (!(ofn.Flags & OFN_ALLOWMULTISELECT))
        return fileName_[0] ? std::vector<std::wstring>{fileName_.data()} : std::vector<std::wstring>{};
    return SelectedPaths(fileName_.data());
}

} // namespace zevrin
