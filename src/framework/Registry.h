#pragma once
// A registry key opened for reading or writing, with the typed reads and writes the program
// uses. Missing keys and values are not errors here: reads return the caller's default.
#include "framework/Handles.h"

#include <optional>
#include <string>
#include <vector>

namespace fw {

class RegKey {
public:
    RegKey() = default;
    static RegKey Open(HKEY root, const std::wstring& path, REGSAM access = KEY_READ);
    static RegKey Create(HKEY root, const std::wstring& path, REGSAM access = KEY_READ | KEY_WRITE);

    explicit operator bool() const { return static_cast<bool>(key_); }
    HKEY Get() const { return key_.Get(); }

    std::optional<DWORD> ReadDword(const wchar_t* name) const;
    std::optional<std::wstring> ReadString(const wchar_t* name) const;
    bool WriteDword(const wchar_t* name, DWORD value) const;
    bool WriteString(const wchar_t* name, const std::wstring& value) const;
    bool DeleteValue(const wchar_t* name) const;
    std::vector<std::wstring> SubKeyNames() const;

    // Deletes a key with everything below it; true when it is gone afterwards.
    static bool DeleteTree(HKEY root, const std::wstring& path);

private:
    explicit RegKey(HKEY key) : key_(key) {}
    UniqueKey key_;
};

} // namespace fw
