#include "services/RecentList.h"

#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Text.h"

#include <algorithm>

namespace zevrin {

namespace {

std::wstring NormalizedPath(const std::wstring& path) {
    wchar_t full[MAX_PATH * 4];
    DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    if (n == 0 || n >= std::size(full)) return path;
    wchar_t longName[MAX_PATH * 4];
    n = GetLongPathNameW(full, longName, static_cast<DWORD>(std::size(longName)));
    return n > 0 && n < std::size(longName) ? std::wstring(longName) : std::wstring(full);
}

bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    fw::UniqueFile file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && GetFileInformationByHandle(file.Get(), &info);
}

bool IsUrl(const std::wstring& path) { return path.find(L"://") != std::wstring::npos; }

} // namespace

bool SamePath(const std::wstring& a, const std::wstring& b) {
    if (fw::EqualsNoCase(a, b)) return true;
    if (IsUrl(a) || IsUrl(b)) return false;
    if (fw::EqualsNoCase(NormalizedPath(a), NormalizedPath(b))) return true;
    BY_HANDLE_FILE_INFORMATION ia, ib;
    return FileIdentity(a, ia) && FileIdentity(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow &&
           (ia.nFileIndexHigh | ia.nFileIndexLow) != 0;
}

void CRecentList::Setup(std::wstring rootKey, std::wstring section, int maxCount, UINT firstCommandId) {
    rootKey_ = std::move(rootKey);
    section_ = std::move(section);
    maxCount_ = std::max(0, maxCount);
    firstCommandId_ = firstCommandId;
    entries_.clear();
}

void CRecentList::Load() {
    entries_.clear();
    auto key = fw::RegKey::Open(HKEY_CURRENT_USER, KeyPath());
    for (int i = 1; i <= maxCount_; ++i) {
        std::wstring value = fw::Trim(key.ReadString(fw::Format(valueFormat_.c_str(), i).c_str()).value_or(L""));
        if (!value.empty()) entries_.push_back(std::move(value));
    }
    if (entries_.size() > static_cast<size_t>(maxCount_)) entries_.resize(static_cast<size_t>(maxCount_));
}

void CRecentList::Save() const {
    fw::RegKey::DeleteTree(HKEY_CURRENT_USER, KeyPath());
    if (entries_.empty()) return;
    auto key = fw::RegKey::Create(HKEY_CURRENT_USER, KeyPath());
    for (size_t i = 0; i < entries_.size(); ++i)
        key.WriteString(fw::Format(valueFormat_.c_str(), static_cast<int>(i) + 1).c_str(), entries_[i]);
}

void CRecentList::Add(const std::wstring& path) {
    std::wstring entry = fw::Trim(path);
    if (entry.empty()) return;
    auto same =
        std::find_if(entries_.begin(), entries_.end(), [&](const std::wstring& e) { return SamePath(e, entry); });
    if (same != entries_.end()) entries_.erase(same);
    entries_.insert(entries_.begin(), std::move(entry));
    if (entries_.size() > static_cast<size_t>(maxCount_)) entries_.resize(static_cast<size_t>(maxCount_));
}

void CRecentList::Remove(size_t index) {
    if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<ptrdiff_t>(index));
}

std::wstring CRecentList::MenuText(const std::wstring& path) const {
    std::wstring text = path;
    if (!showFullPath_) {
        size_t slash = text.find_last_of(L"\\/");
        if (slash != std::wstring::npos) text.erase(0, slash + 1);
    }
    // A path is shown as it is: an "&" in it must not turn into a mnemonic.
    for (size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 2)) text.insert(at, 1, L'&');
    return text;
}

void CRecentList::UpdateMenu(fw::CCmdUI& ui) {
    auto* item = dynamic_cast<fw::CMenuCmdUI*>(&ui);
    if (!item) {
        ui.Enable(!entries_.empty());
        return;
    }
    HMENU menu = item->Menu();
    if (placeholderText_.empty()) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, item->Index(), text, 256, MF_BYPOSITION);
        placeholderText_ = text;
    }
    // The old entries go, except the first item, which holds the placeholder's place when the
    // list is empty.
    UINT last = firstCommandId_ + static_cast<UINT>(std::max(maxCount_, 1)) - 1;
    for (UINT id = firstCommandId_ + 1; id <= last; ++id) DeleteMenu(menu, id, MF_BYCOMMAND);

    if (entries_.empty()) {
        ui.SetText(placeholderText_);
        ui.Enable(false);
        return;
    }
    UINT position = item->Index();
    DeleteMenu(menu, firstCommandId_, MF_BYCOMMAND);
    for (size_t i = 0; i < entries_.size(); ++i) {
        std::wstring text = MenuText(entries_[i]);
        InsertMenuW(menu, position + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                    firstCommandId_ + static_cast<UINT>(i), text.c_str());
    }
    // The menu update goes on after the entries just inserted.
    item->SetIndex(position + static_cast<UINT>(entries_.size()) - 1);
}

} // namespace zevrin
