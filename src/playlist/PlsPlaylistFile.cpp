// .pls: an INI file whose section "Playlist" holds NumberOfEntries and File1 ... FileN.
#include "playlist/PlaylistFile.h"

#include "framework/Handles.h"
#include "framework/Text.h"

#include <windows.h>

#include <map>

namespace zevrin {

namespace {

constexpr wchar_t kSection[] = L"Playlist";

// A value as the profile functions give it: trimmed, one pair of enclosing quotes (double or
// single) taken off, at most 1023 characters.
std::wstring ProfileValue(const std::wstring& raw) {
    std::wstring value = fw::Trim(raw);
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > 1023) value.resize(1023);
    return value;
}

// The number N of a key named exactly "FileN" (any case, N written as "%d" writes it: "File01"
// and "File+1" are other keys); 0 for any other key.
long FileKeyNumber(const std::wstring& key) {
    if (key.size() < 5 || key.size() > 13 || !fw::EqualsNoCase(key.substr(0, 4), L"File") || key[4] == L'0') return 0;
    for (size_t i = 4; i < key.size(); ++i)
        if (key[i] < L'0' || key[i] > L'9') return 0;
    return wcstol(key.c_str() + 4, nullptr, 10);
}

// The "FileN" keys of the section by their number, the first of a repeated key winning as it
// does for the profile functions. Reading the section once keeps a file that claims billions
// of entries from keeping the program busy for hours.
std::map<long, std::wstring> FileKeys(const std::wstring& path) {
    std::map<long, std::wstring> files;
    std::wstring buffer(65536, L'\0');
    for (;;) {
        DWORD n = GetPrivateProfileSectionW(kSection, buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
        if (n + 2 < buffer.size() || buffer.size() >= (1u << 26)) {
            buffer.resize(n);
            break;
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
    for (size_t at = 0; at < buffer.size();) {
        size_t end = buffer.find(L'\0', at);
        if (end == std::wstring::npos) end = buffer.size();
        std::wstring line = buffer.substr(at, end - at);
        at = end + 1;
        size_t eq = line.find(L'=');
        if (eq == std::wstring::npos) continue;
        if (long number = FileKeyNumber(fw::Trim(line.substr(0, eq))))
            files.emplace(number, ProfileValue(line.substr(eq + 1)));
    }
    return files;
}

} // namespace

int CPlsPlaylistFile::Read(const std::wstring& path, CPlaylistFileList& list) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return -1;
    int count = static_cast<int>(GetPrivateProfileIntW(kSection, L"NumberOfEntries", -1, path.c_str()));
    if (count == -1) return -1;
    for (const auto& [number, value] : FileKeys(path)) {
        if (number > count) break;
        std::wstring entry = fw::Trim(value);
        if (!entry.empty()) list.AddPath(ResolveEntryPath(entry, path));
    }
    return 0;
}

int CPlsPlaylistFile::Write(const std::wstring& path, const CPlaylistFileList& list) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        fw::UniqueFile created(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!created) return -1;
    }
    if (!WritePrivateProfileStringW(kSection, nullptr, nullptr, path.c_str())) return -1;
    if (!WritePrivateProfileStringW(kSection, L"NumberOfEntries",
                                    fw::Format(L"%d", static_cast<int>(list.entries.size())).c_str(), path.c_str()))
        return -1;
    for (size_t i = 0; i < list.entries.size(); ++i) {
        std::wstring key = fw::Format(L"File%d", static_cast<int>(i) + 1);
        if (!WritePrivateProfileStringW(kSection, key.c_str(), list.entries[i]->path.c_str(), path.c_str())) return -1;
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str()); // flush the profile cache
    return 0;
}

} // namespace zevrin
