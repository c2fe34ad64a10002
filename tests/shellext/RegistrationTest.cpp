// Registration as the system's registration tool does it, in the throwaway prefix the test
// script made: machine-wide with "regsvr32 /s" (exactly the scripts' keys, once, however often),
// removal with "/u" (the shared parents stay), per user with "/i:user /n", DllInstall's command
// line, a module path with a quote in it, and one too long to register.
#include "HostSupport.h"
#include "Nobrel_h.h"

#include <gtest/gtest.h>

#include <set>

namespace nobrel::test {
namespace {

constexpr wchar_t kClsid[] = L"{473D1FB7-9497-4184-9B7F-368F870ACF42}";
constexpr wchar_t kIid[] = L"{F852022D-7821-4E48-9043-E024297EB64F}";
constexpr wchar_t kLibid[] = L"{E1BF5585-66E9-49DC-BE1A-2B851ECFF0F7}";
constexpr wchar_t kAppId[] = L"{C8DDD412-E112-4D0F-9B53-FBC12F82CF9D}";

// The keys scripts 101 and 102 write, with their values, for a library at `module`.
RegistryDump ScriptKeys(const std::wstring& module) {
    const std::wstring clsid = std::wstring(L"CLSID\\") + kClsid;
    return {
        {std::wstring(L"AppID\\") + kAppId, {{L"", L"MyNobrel"}}},
        {L"AppID\\Nobrel.DLL", {{L"AppID", kAppId}}},
        {L"Tresk.Zevrin.ShellContextMenu.1", {{L"", L"Zevrin.ShellContextMenu"}}},
        {L"Tresk.Zevrin.ShellContextMenu.1\\CLSID", {{L"", kClsid}}},
        {L"Tresk.Zevrin.ShellContextMenu", {{L"", L"Zevrin.ShellContextMenu"}}},
        {L"Tresk.Zevrin.ShellContextMenu\\CLSID", {{L"", kClsid}}},
        {L"Tresk.Zevrin.ShellContextMenu\\CurVer", {{L"", L"Tresk.Zevrin.ShellContextMenu.1"}}},
        {clsid, {{L"", L"Zevrin.ShellContextMenu"}}},
        {clsid + L"\\ProgID", {{L"", L"Tresk.Zevrin.ShellContextMenu.1"}}},
        {clsid + L"\\VersionIndependentProgID", {{L"", L"Tresk.Zevrin.ShellContextMenu"}}},
        {clsid + L"\\Programmable", {}},
        {clsid + L"\\InprocServer32", {{L"", module}, {L"ThreadingModel", L"Apartment"}}},
        {clsid + L"\\TypeLib", {{L"", kLibid}}},
        {L"*\\ShellEx\\ContextMenuHandlers\\Tresk.Zevrin", {{L"", kClsid}}},
        {L"Folder\\ShellEx\\ContextMenuHandlers\\Tresk.Zevrin", {{L"", kClsid}}},
    };
}

const std::set<std::wstring> kSharedParents = {
    L"appid", L"clsid", L"*", L"*\\shellex", L"*\\shellex\\contextmenuhandlers",
    L"folder", L"folder\\shellex", L"folder\\shellex\\contextmenuhandlers"};

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) { return Lower(text).rfind(Lower(prefix), 0) == 0; }

// Key names as the registry compares them (without regard to case), leaving out the 32-bit
// view under Wow6432Node, into which Wine mirrors some of the keys.
RegistryDump Normalized(const RegistryDump& dump) {
    RegistryDump out;
    for (const auto& [key, values] : dump)
        if (!StartsWith(key, L"Wow6432Node\\")) out[Lower(key)] = values;
    return out;
}

// Keys of `after` that are new or whose values differ from `before`.
RegistryDump Changed(const RegistryDump& before, const RegistryDump& after) {
    RegistryDump out;
    for (const auto& [key, values] : after) {
        auto it = before.find(key);
        if (it == before.end() || it->second != values) out[key] = values;
    }
    return out;
}

std::set<std::wstring> Removed(const RegistryDump& before, const RegistryDump& after) {
    std::set<std::wstring> out;
    for (const auto& [key, values] : before)
        if (!after.count(key)) out.insert(key);
    return out;
}

// What the type library and the proxy/stub add besides the scripts.
bool IsTypeLibraryOrProxyKey(const std::wstring& key) {
    return StartsWith(key, std::wstring(L"TypeLib\\") + kLibid) || StartsWith(key, std::wstring(L"Interface\\") + kIid) ||
           StartsWith(key, std::wstring(L"CLSID\\") + kIid);
}

std::string Describe(const RegistryDump& dump) {
    std::string out;
    for (const auto& [key, values] : dump) {
        out += Utf8(key) + "\n";
        for (const auto& [name, value] : values) out += "    " + Utf8(name) + " = " + Utf8(value) + "\n";
    }
    return out;
}

TEST(Registration, Regsvr32WritesExactlyTheScriptKeysOnceAndRemovalLeavesTheSharedParents) {
    const std::wstring library = InstalledLibrary();
    ASSERT_FALSE(library.empty()) << "NOBREL_DLL is not set";
    EXPECT_EQ(Regsvr32(L"/u /s", library), 0) << "removing what is not there";
    const RegistryDump before = Normalized(DumpKey(HKEY_CLASSES_ROOT, L""));

    ASSERT_EQ(Regsvr32(L"/s", library), 0);
    const RegistryDump first = Normalized(DumpKey(HKEY_CLASSES_ROOT, L""));
    RegistryDump changed = Changed(before, first);
    EXPECT_TRUE(Removed(before, first).empty());
    RegistryDump fromScripts, others;
    for (const auto& [key, values] : changed) {
        if (IsTypeLibraryOrProxyKey(key)) others[key] = values;
        else if (!kSharedParents.count(key)) fromScripts[key] = values;
    }
    EXPECT_EQ(Describe(fromScripts), Describe(Normalized(ScriptKeys(library))));
    // The type library and the proxy: the interface marshalled by our own proxy/stub.
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kLibid + L"\\1.0"), L"MyNobrel 1.0 Type Library");
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, std::wstring(L"Interface\\") + kIid + L"\\ProxyStubClsid32"), kIid);
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kIid + L"\\InprocServer32"), library);
    EXPECT_FALSE(others.empty());

    // Twice: the same keys, once.
    ASSERT_EQ(Regsvr32(L"/s", library), 0);
    EXPECT_EQ(Describe(Changed(first, Normalized(DumpKey(HKEY_CLASSES_ROOT, L"")))), "");

    // Removal: everything it wrote goes, the NoRemove parents stay.
    ASSERT_EQ(Regsvr32(L"/u /s", library), 0);
    const RegistryDump removed = Normalized(DumpKey(HKEY_CLASSES_ROOT, L""));
    for (const auto& [key, values] : Changed(before, removed)) EXPECT_TRUE(kSharedParents.count(key)) << Utf8(key);
    EXPECT_TRUE(Removed(before, removed).empty());
    for (const auto& parent : kSharedParents) EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, parent)) << Utf8(parent);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"*\\ShellEx\\ContextMenuHandlers\\Tresk.Zevrin"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Folder\\ShellEx\\ContextMenuHandlers\\Tresk.Zevrin"));
}

TEST(Registration, PerUserInstallWritesTheScriptsUnderTheUsersClassesAndUserMustBeTheWholeCommandLine) {
    const std::wstring library = InstalledLibrary();
    ASSERT_FALSE(library.empty());
    Regsvr32(L"/u /s", library);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\Tresk.Zevrin.ShellContextMenu");
    const std::wstring userClsid = std::wstring(L"Software\\Classes\\CLSID\\") + kClsid;

    // The per-user scripts write their keys under HKCU\Software\Classes (Wine 8 does not show them
    // in HKCR, so they are read where they are).
    ASSERT_EQ(Regsvr32(L"/s /i:user /n", library), 0);
    const RegistryDump user = Normalized(DumpKey(HKEY_CURRENT_USER, L"Software\\Classes"));
    for (const auto& [key, values] : Normalized(ScriptKeys(library))) {
        auto it = user.find(key);
        ASSERT_NE(it, user.end()) << Utf8(key);
        EXPECT_EQ(it->second, values) << Utf8(key);
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Classes\\CLSID\\") + kClsid))
        << "the class went to the machine";
    ASSERT_EQ(Regsvr32(L"/u /s /i:user /n", library), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userClsid));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\*\\ShellEx\\ContextMenuHandlers\\Tresk.Zevrin"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\*\\ShellEx\\ContextMenuHandlers"));

    // DllInstall in this process: "users" is not "user", "User" is.
    HMODULE module = LoadLibraryW(library.c_str());
    ASSERT_NE(module, nullptr);
    using Install = HRESULT(WINAPI*)(BOOL, LPCWSTR);
    auto install = reinterpret_cast<Install>(reinterpret_cast<void*>(GetProcAddress(module, "DllInstall")));
    ASSERT_NE(install, nullptr);
    // The registration switches the thread locale for its work and puts the caller's back.
    const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
    SetThreadLocale(german);
    EXPECT_EQ(install(TRUE, L"users"), S_OK);
    EXPECT_EQ(GetThreadLocale(), german);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Classes\\CLSID\\") + kClsid));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userClsid));
    EXPECT_EQ(install(FALSE, nullptr), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Classes\\CLSID\\") + kClsid));
    EXPECT_EQ(install(TRUE, L"User"), S_OK);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, userClsid));
    EXPECT_EQ(install(FALSE, L"anything"), S_OK) << "per user stays on for the process";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, userClsid));
    FreeLibrary(module);
}

TEST(Registration, ModulePathsWithAQuoteRegisterAsTheyAreAndTooLongOnesFailWithoutAKeyLeft) {
    const std::wstring work = WorkFolder();
    ASSERT_FALSE(work.empty());
    const std::wstring folder = work + L"\\It's here";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\Nobrel.dll";
    ASSERT_TRUE(CopyFileW(InstalledLibrary().c_str(), copy.c_str(), FALSE));
    ASSERT_EQ(Regsvr32(L"/s", copy), 0);
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid + L"\\InprocServer32"), copy);
    ASSERT_EQ(Regsvr32(L"/u /s", copy), 0);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid));

    // 260 characters or more: registration fails with the insufficient-buffer code and DllInstall
    // takes back whatever was written.
    std::wstring deep = L"\\\\?\\" + work;
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(40, L'd');
        CreateDirectoryW(deep.c_str(), nullptr);
    }
    const std::wstring deepCopy = deep + L"\\Nobrel.dll";
    ASSERT_TRUE(CopyFileW(InstalledLibrary().c_str(), deepCopy.c_str(), FALSE));
    HMODULE module = LoadLibraryW(deepCopy.c_str());
    ASSERT_NE(module, nullptr);
    using Install = HRESULT(WINAPI*)(BOOL, LPCWSTR);
    using Register = HRESULT(WINAPI*)();
    auto install = reinterpret_cast<Install>(reinterpret_cast<void*>(GetProcAddress(module, "DllInstall")));
    auto registerServer = reinterpret_cast<Register>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    EXPECT_EQ(registerServer(), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(install(TRUE, nullptr), HRESULT(0x8007007A));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppId));
    FreeLibrary(module);
}

} // namespace
} // namespace nobrel::test
