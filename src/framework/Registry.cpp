#include "framework/Registry.h"

namespace fw {

RegKey RegKey::Open(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
    return RegKey(key);
}

RegKey RegKey::Create(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr) != ERROR_SUCCESS) return {};
    return RegKey(key);
}

std::optional<DWORD> RegKey::ReadDword(const wchar_t* name) const {
    DWORD type = 0, value = 0, size = sizeof(value);
    if (!key_ ||
        RegQueryValueExW(key_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

std::optional<std::wstring> RegKey::ReadString(const wchar_t* name) const {
    DWORD type = 0, size = 0;
    if (!key_ || RegQueryValueExW(key_.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    // Room for a terminator the stored value may lack.
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

bool RegKey::WriteDword(const wchar_t* name, DWORD value) const {
    return key_ && RegSetValueExW(key_.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof(value)) == ERROR_SUCCESS;
}

bool RegKey::WriteString(const wchar_t* name, const std::wstring& value) const {
    auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return key_ && RegSetValueExW(key_.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
                       ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const wchar_t* name) const {
    return key_ && RegDeleteValueW(key_.Get(), name) == ERROR_SUCCESS;
}

std::vector<std::wstring> RegKey::SubKeyNames() const {
    std::vector<std::wstring> names;
    if (!key_) return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[257];
        DWORD length = 257;
        LONG rc = RegEnumKeyExW(key_.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.emplace_back(name, length);
    }
    return names;
}

bool RegKey::DeleteTree(HKEY root, const std::wstring& path) {
    LONG rc = RegDeleteTreeW(root, path.c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
        RegDeleteKeyW(root, path.c_str()); // RegDeleteTreeW leaves the named key itself on some systems
        return !Open(root, path);
    }
    return false;
}

} // namespace fw
