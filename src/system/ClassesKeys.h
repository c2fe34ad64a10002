#pragma once
// The keys the shell reads file types from, and the three primitives the association code
// writes them with. On Vista and later the program writes the current user's classes
// (HKEY_CURRENT_USER\Software\Classes), which needs no rights; older systems have only the
// merged HKEY_CLASSES_ROOT. Every name below is relative to that classes root.
#include <windows.h>

#include <string>

namespace zevrin {

struct ClassesKeyPath {
    HKEY root;
    std::wstring path;
};

// Where a class key lives: "Software\Classes\<name>" under HKEY_CURRENT_USER when perUser,
// else <name> under HKEY_CLASSES_ROOT.
ClassesKeyPath ClassesKey(const std::wstring& name, bool perUser);
// Whether the running system keeps the program's class keys per user: NT 6 and later (from
// the shared resources), except under Wine, whose shell reads HKEY_CLASSES_ROOT only.
bool PerUserClasses();
// Where a class key lives on the running system.
ClassesKeyPath ClassesKey(const std::wstring& name);

// The default value of a class key, read whole; false when the key is missing or the value is
// not text. A key without a default value reads as "".
bool ReadDefaultValue(const std::wstring& name, std::wstring& text);
// Sets the default value (REG_SZ), creating the key when missing.
bool WriteDefaultValue(const std::wstring& name, const std::wstring& text);
// Deletes the key, then each parent left without subkeys, innermost first. It never climbs
// above the classes root itself, and stops at the first key that still has subkeys, so a
// key another program added to is kept. Always true.
bool DeleteKeyChain(const std::wstring& name);

} // namespace zevrin
