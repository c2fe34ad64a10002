#include "ProgramLocator.h"

#include <shlwapi.h>

#include <cwchar>

namespace nobrel {

namespace {
constexpr wchar_t kKey[] = L"Software\\Tresk\\Zevrin";
constexpr wchar_t kValue[] = L"AppFolder";
constexpr wchar_t kProgram[] = L"\\Zevrin.exe";

class KeyCloser {
public:
    explicit KeyCloser(HKEY key) : key_(key) {}
    ~KeyCloser() { RegCloseKey(key_); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    HKEY key_;
};
} // namespace

bool IsUsableFolderValue(DWORD type, const wchar_t* data, DWORD bytes) {
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return false;
    if (!data || bytes < 2 * sizeof(wchar_t) || bytes % sizeof(wchar_t) != 0) return false;
    return data[bytes / sizeof(wchar_t) - 1] == L'\0' && data[0] != L'\0';
}

bool AppendProgramName(wchar_t* path, size_t capacity) {
    const size_t length = wcsnlen(path, capacity);
    const size_t added = sizeof(kProgram) / sizeof(wchar_t); // with the terminator
    if (length >= capacity || length + added > capacity) return false;
    std::wmemcpy(path + length, kProgram, added);
    return true;
}

bool FindProgram(wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    KeyCloser closer(key);
    std::wmemset(path, L'\0', kProgramPathChars);
    DWORD type = 0;
    DWORD bytes = kProgramPathChars * sizeof(wchar_t);
    if (RegQueryValueExW(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(path), &bytes) != ERROR_SUCCESS ||
        !IsUsableFolderValue(type, path, bytes)) {
        path[0] = L'\0';
        return false;
    }
    return AppendProgramName(path, kProgramPathChars) && PathFileExistsW(path);
}

} // namespace nobrel
