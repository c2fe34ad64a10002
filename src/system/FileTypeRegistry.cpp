// The registry operations of a file type: its ProgID (description, icon, open command) and
// the extension's pointer to it. Every test reads the registry afresh; nothing is cached.
#include "services/FileTypeInfo.h"

#include "framework/Registry.h"
#include "framework/Text.h"
#include "system/ClassesKeys.h"
#include "system/FileAssociations.h"

#include <shellapi.h>

namespace zevrin {

namespace {

std::wstring IconKey(const std::wstring& progId) { return fw::Format(L"%s\\DefaultIcon", progId.c_str()); }
std::wstring CommandKey(const std::wstring& progId) {
    return fw::Format(L"%s\\shell\\open\\%s", progId.c_str(), L"command");
}

// "<program>,<index>" when the program holds that icon, "<program>,0" when it does not.
std::wstring IconReference(const std::wstring& programPath, int icon) {
    HICON extracted = ExtractIconW(GetModuleHandleW(nullptr), programPath.c_str(), static_cast<UINT>(icon));
    // ExtractIcon answers 1 for a file that is not a program or icon file at all.
    if (!extracted || extracted == reinterpret_cast<HICON>(1)) return programPath + L",0";
    DestroyIcon(extracted);
    return programPath + fw::Format(L",%d", icon);
}

} // namespace

std::wstring OpenCommand(const std::wstring& programPath) { return fw::Format(L"\"%s\" \"%%1\"", programPath.c_str()); }

bool CFileTypeInfo::IsAssociated() const {
    std::wstring owner;
    return Usable() && ReadDefaultValue(extension, owner) && owner == progId;
}

bool CFileTypeInfo::IsRegistered() const {
    std::wstring description;
    return Usable() && ReadDefaultValue(progId, description) && description == name;
}

bool CFileTypeInfo::Register(const std::wstring& programPath) const {
    if (!Usable()) return false;
    if (!WriteDefaultValue(progId, name)) return false;
    if (icon > 0 && !WriteDefaultValue(IconKey(progId), IconReference(programPath, icon))) return false;
    return WriteDefaultValue(CommandKey(progId), OpenCommand(programPath));
}

bool CFileTypeInfo::Unregister(const std::wstring&) const {
    if (!Usable()) return false;
    DeleteKeyChain(IconKey(progId));
    DeleteKeyChain(CommandKey(progId));
    DeleteKeyChain(progId);
    return true;
}

bool CFileTypeInfo::Associate(std::wstring& previous) const {
    previous.clear();
    if (!Usable()) return false;
    std::wstring owner;
    if (ReadDefaultValue(extension, owner)) previous = owner;
    // An old association of ours is cleared before it is written afresh.
    RestoreAssociation(L"");
    return WriteDefaultValue(extension, progId);
}

bool CFileTypeInfo::RestoreAssociation(const std::wstring& previous) const {
    // An extension another program has taken over in the meantime is left alone.
    if (!IsAssociated()) return false;
    if (!previous.empty() && previous != progId) {
        WriteDefaultValue(extension, previous);
        return true;
    }
    DeleteKeyChain(extension);
    // A key kept for its subkeys (OpenWithProgids and the like) must not go on naming a
    // ProgID that is about to disappear: its default value goes.
    if (IsAssociated()) {
        ClassesKeyPath where = ClassesKey(extension);
        fw::RegKey::Open(where.root, where.path, KEY_SET_VALUE).DeleteValue(nullptr);
    }
    return true;
}

} // namespace zevrin
