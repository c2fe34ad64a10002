#include "system/ClassesKeys.h"

#include "services/AppResources.h"
#include "framework/Registry.h"

namespace zevrin {

namespace {
constexpr wchar_t kUserClasses[] = L"Software\\Classes";

// Wine reports a current Windows but its shell reads file types from HKEY_CLASSES_ROOT alone:
// the current user's classes are written there and never looked at.
bool RunningUnderWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}
} // namespace

ClassesKeyPath ClassesKey(const std::wstring& name, bool perUser) {
    if (perUser) return {HKEY_CURRENT_USER, std::wstring(kUserClasses) + L"\\" + name};
    return {HKEY_CLASSES_ROOT, name};
}

bool PerUserClasses() { return Resources().IsVistaOrLater() && !RunningUnderWine(); }

ClassesKeyPath ClassesKey(const std::wstring& name) { return ClassesKey(name, PerUserClasses()); }

bool ReadDefaultValue(const std::wstring& name, std::wstring& text) {
    ClassesKeyPath where = ClassesKey(name);
    fw::RegKey key = fw::RegKey::Open(where.root, where.path);
    if (!key) return false;
    DWORD type = 0;
    if (RegQueryValueExW(key.Get(), nullptr, nullptr, &type, nullptr, nullptr) == ERROR_FILE_NOT_FOUND) {
        text.clear(); // the key has no default value: as the shell reads it, an empty one
        return true;
    }
    auto value = key.ReadString(nullptr);
    if (!value) return false;
    text = std::move(*value);
    return true;
}

bool WriteDefaultValue(const std::wstring& name, const std::wstring& text) {
    ClassesKeyPath where = ClassesKey(name);
    return fw::RegKey::Create(where.root, where.path, KEY_WRITE).WriteString(nullptr, text);
}

bool DeleteKeyChain(const std::wstring& name) {
    std::wstring chain = name;
    while (!chain.empty()) {
        ClassesKeyPath where = ClassesKey(chain);
        {
            fw::RegKey key = fw::RegKey::Open(where.root, where.path);
            if (!key) break;
            wchar_t subkey[256];
            if (RegEnumKeyW(key.Get(), 0, subkey, 256) != ERROR_NO_MORE_ITEMS) break;
        }
        RegDeleteKeyW(where.root, where.path.c_str());
        size_t slash = chain.find_last_of(L'\\');
        if (slash == std::wstring::npos) break;
        chain.resize(slash);
    }
    return true;
}

} // namespace zevrin
