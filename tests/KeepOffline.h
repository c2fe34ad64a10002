#pragma once
// Every test and benchmark that starts Zevrin.exe calls this right before: with its default
// settings the program checks the web site for updates after start-up, and a test run never
// leaves this machine. "UpdateURL" is pointed at a closed port here unless a test already points
// it at a server of its own on 127.0.0.1, and the automatic check is switched off unless a test
// set it (a refused connection still takes seconds under Wine). Tests wipe the program's key, so
// this runs before each start, not once per run. Plain Win32: the unit, GUI and extension tests
// all share it.
#include <windows.h>

#include <string>

namespace zevrin::test {

inline constexpr wchar_t kProgramSettingsKey[] = L"Software\\Tresk\\Zevrin\\Settings";
inline constexpr wchar_t kClosedUpdateUrl[] = L"http://127.0.0.1:9/zevrin/update.xml";

inline bool IsLoopbackUrl(const std::wstring& url) {
    for (const wchar_t* start : {L"http://127.0.0.1:", L"http://127.0.0.1/", L"https://127.0.0.1:", L"https://127.0.0.1/"})
        if (url.rfind(start, 0) == 0) return true;
    return false;
}

// False when the settings could not be written: the caller must not start the program then.
inline bool KeepUpdateCheckOffline() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kProgramSettingsKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    wchar_t url[1024] = L"";
    DWORD size = sizeof(url), type = 0;
    bool ok = true;
    if (RegQueryValueExW(key, L"UpdateURL", nullptr, &type, reinterpret_cast<BYTE*>(url), &size) != ERROR_SUCCESS ||
        type != REG_SZ || !IsLoopbackUrl(std::wstring(url, wcsnlen(url, size / sizeof(wchar_t))))) {
        ok = RegSetValueExW(key, L"UpdateURL", 0, REG_SZ, reinterpret_cast<const BYTE*>(kClosedUpdateUrl),
                            sizeof(kClosedUpdateUrl)) == ERROR_SUCCESS;
    }
    if (RegQueryValueExW(key, L"AutoCheckUpdate", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        const DWORD off = 0;
        ok = ok && RegSetValueExW(key, L"AutoCheckUpdate", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off),
                                  sizeof(off)) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return ok;
}

} // namespace zevrin::test
