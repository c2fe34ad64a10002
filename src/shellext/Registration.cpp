#include "Registration.h"

#include "Module.h"
#include "NobrelResource.h"
#include "Nobrel_h.h"
#include "ProxyStub.h"
#include "Registrar.h"

#include <oleauto.h>

#include <cstdio>
#include <cwchar>
#include <new>

namespace nobrel {

namespace {

constexpr wchar_t kAppId[] = L"{C8DDD412-E112-4D0F-9B53-FBC12F82CF9D}";
constexpr wchar_t kUserClasses[] = L"Software\\Classes";

using TypeLibForUser = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using UnTypeLibForUser = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

// The thread locale is the system default's while registration reads and writes names.
class ThreadLocaleScope {
public:
    explicit ThreadLocaleScope(LCID locale) : saved_(GetThreadLocale()) { SetThreadLocale(locale); }
    ~ThreadLocaleScope() { SetThreadLocale(saved_); }
    ThreadLocaleScope(const ThreadLocaleScope&) = delete;
    ThreadLocaleScope& operator=(const ThreadLocaleScope&) = delete;

private:
    LCID saved_;
};

class KeyScope {
public:
    KeyScope() = default;
    ~KeyScope() {
        if (key_) RegCloseKey(key_);
    }
    KeyScope(const KeyScope&) = delete;
    KeyScope& operator=(const KeyScope&) = delete;
    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// At most 259 characters, as the registration has always taken them.
HRESULT ModulePath(std::wstring& path) {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(ModuleInstance(), buffer, MAX_PATH);
    if (length == 0) return HRESULT_FROM_WIN32(GetLastError());
    if (length >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    path.assign(buffer, length);
    return S_OK;
}

template <class Function>
Function OleAutomationFunction(const char* name) {
    HMODULE oleaut = GetModuleHandleW(L"oleaut32.dll");
    if (!oleaut) oleaut = LoadLibraryW(L"oleaut32.dll");
    void* address = oleaut ? reinterpret_cast<void*>(GetProcAddress(oleaut, name)) : nullptr;
    return reinterpret_cast<Function>(address);
}

// Runs both scripts' steps with the replacements and, per user, HKCR redirected.
class Scripts {
public:
    HRESULT Prepare(const std::wstring& module) {
        registrar_.AddReplacement(L"APPID", kAppId);
        registrar_.AddReplacement(L"MODULE", QuoteForScript(module));
        registrar_.AddReplacement(L"MODULE_RAW", module);
        if (PerUserRegistration()) {
            const LONG error = RegCreateKeyExW(HKEY_CURRENT_USER, kUserClasses, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                               nullptr, classes_.Out(), nullptr);
            if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(static_cast<DWORD>(error));
            registrar_.RedirectRoot(HKEY_CLASSES_ROOT, classes_.Get());
        }
        return S_OK;
    }
    HRESULT Run(UINT id, ScriptMode mode) const { return registrar_.RunResource(ModuleInstance(), id, mode); }

private:
    CRegistrar registrar_;
    KeyScope classes_;
};

HRESULT RegisterTypeLibrary(const std::wstring& module) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(module.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    std::wstring path = module;
    if (PerUserRegistration()) {
        auto forUser = OleAutomationFunction<TypeLibForUser>("RegisterTypeLibForUser");
        hr = forUser ? forUser(library, path.data(), nullptr) : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    } else {
        hr = RegisterTypeLib(library, path.data(), nullptr);
    }
    library->Release();
    return hr;
}

// Whether a type library of this id and version is registered. The classes root is the merged
// view, so a per-user registration counts too.
bool IsTypeLibraryRegistered(const TLIBATTR& library) {
    wchar_t guid[40] = L"";
    if (!StringFromGUID2(library.guid, guid, 40)) return false;
    wchar_t path[96];
    swprintf(path, 96, L"TypeLib\\%ls\\%x.%x", guid, library.wMajorVerNum, library.wMinorVerNum);
    KeyScope key;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ, key.Out()) == ERROR_SUCCESS;
}

HRESULT UnregisterTypeLibrary(const std::wstring& module) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(module.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (SUCCEEDED(hr)) {
        const TLIBATTR a = *attributes;
        library->ReleaseTLibAttr(attributes);
        if (!IsTypeLibraryRegistered(a)) {
            hr = S_OK; // as removed as it can be
        } else if (PerUserRegistration()) {
            auto forUser = OleAutomationFunction<UnTypeLibForUser>("UnRegisterTypeLibForUser");
            hr = forUser ? forUser(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind)
                         : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
        } else {
            hr = UnRegisterTypeLib(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
        }
    }
    library->Release();
    return hr;
}

} // namespace

std::wstring QuoteForScript(const std::wstring& path) {
    std::wstring out;
    for (wchar_t c : path) {
        out += c;
        if (c == L'\'') out += c;
    }
    return out;
}

HRESULT RegisterServer() {
    try {
        std::wstring module;
        HRESULT hr = ModulePath(module);
        if (FAILED(hr)) return hr;
        {
            ThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
            Scripts scripts;
            hr = scripts.Prepare(module);
            if (SUCCEEDED(hr)) hr = scripts.Run(IDR_NOBREL_APPID, ScriptMode::Register);
            if (SUCCEEDED(hr)) hr = scripts.Run(IDR_MYCONTEXTMENU, ScriptMode::Register);
            if (SUCCEEDED(hr)) hr = RegisterTypeLibrary(module);
        }
        if (FAILED(hr)) return hr;
        return NobrelProxyRegister(ModuleInstance());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer() {
    try {
        std::wstring module;
        HRESULT hr = ModulePath(module);
        if (FAILED(hr)) return hr;
        {
            ThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
            Scripts scripts;
            hr = scripts.Prepare(module);
            if (SUCCEEDED(hr)) hr = scripts.Run(IDR_MYCONTEXTMENU, ScriptMode::Unregister);
            if (SUCCEEDED(hr)) hr = UnregisterTypeLibrary(module);
            if (SUCCEEDED(hr)) hr = scripts.Run(IDR_NOBREL_APPID, ScriptMode::Unregister);
        }
        if (FAILED(hr)) return hr;
        // Registering first gives the removal of the proxy keys something complete to remove.
        const HRESULT registered = NobrelProxyRegister(ModuleInstance());
        const HRESULT unregistered = NobrelProxyUnregister(ModuleInstance());
        return FAILED(registered) ? registered : unregistered;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT InstallServer(BOOL install, const wchar_t* commandLine) {
    if (commandLine && _wcsnicmp(commandLine, L"user", 5) == 0) SetPerUserRegistration();
    if (!install) return UnregisterServer();
    const HRESULT hr = RegisterServer();
    if (FAILED(hr)) UnregisterServer(); // takes back what was written before the failure
    return hr;
}

} // namespace nobrel
