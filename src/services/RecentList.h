#pragma once
// A most-recently-used list of paths (recent media files, recent playlists), kept in the
// registry as the values "01", "02", ... of its own key and shown in a menu in place of a
// placeholder item.
#include "framework/CmdUI.h"

#include <string>
#include <vector>

namespace zevrin {

class CRecentList {
public:
    // `rootKey` is the program's key below HKEY_CURRENT_USER; `section` the list's key below it.
    void Setup(std::wstring rootKey, std::wstring section, int maxCount, UINT firstCommandId);

    void Load();
    void Save() const;
    void Add(const std::wstring& path);
    void Remove(size_t index);
    void Clear() { entries_.clear(); }

    // Replaces the placeholder item the update runs for by the entries (ids base + i), or puts
    // the placeholder back, disabled, when the list is empty.
    void UpdateMenu(fw::CCmdUI& ui);

    const std::vector<std::wstring>& Entries() const { return entries_; }
    size_t Size() const { return entries_.size(); }
    int MaxCount() const { return maxCount_; }
    const std::wstring& Section() const { return section_; }

private:
    std::wstring KeyPath() const { return rootKey_ + L"\\" + section_; }
    std::wstring MenuText(const std::wstring& path) const;

    std::wstring rootKey_;
    std::wstring section_;
    std::wstring valueFormat_ = L"%02d";
    int maxCount_ = 0;
    bool showFullPath_ = true;
    UINT firstCommandId_ = 0;
    std::wstring placeholderText_;
    std::vector<std::wstring> entries_;
};

// Whether two paths name the same file: equal ignoring case, equal once made full and long,
// or two names of one existing file.
bool SamePath(const std::wstring& a, const std::wstring& b);

} // namespace zevrin
