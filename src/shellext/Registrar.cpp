#include "Registrar.h"

#include <new>

namespace nobrel {

namespace {

HRESULT FromWin32(LONG error) { return HRESULT_FROM_WIN32(static_cast<DWORD>(error)); }

HRESULT LastError() {
    const DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

LONG SetValue(HKEY key, const wchar_t* name, const ScriptValue& value) {
    if (value.type == REG_DWORD)
        return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number), sizeof(DWORD));
    const DWORD bytes = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, value.type, reinterpret_cast<const BYTE*>(value.text.c_str()), bytes);
}

bool IsGone(LONG error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

HRESULT RegisterKey(HKEY parent, const ScriptKey& key) {
    if (key.marker == KeyMarker::ForceRemove) {
        const LONG error = RegDeleteTreeW(parent, key.name.c_str());
        if (error != ERROR_SUCCESS && !IsGone(error)) return FromWin32(error);
    }
    Key opened;
    LONG error =
        RegCreateKeyExW(parent, key.name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, opened.Out(), nullptr);
    if (error != ERROR_SUCCESS) return FromWin32(error);
    if (key.value && (error = SetValue(opened.Get(), nullptr, *key.value)) != ERROR_SUCCESS) return FromWin32(error);
    for (const auto& [name, value] : key.values)
        if ((error = SetValue(opened.Get(), name.c_str(), value)) != ERROR_SUCCESS) return FromWin32(error);
    for (const ScriptKey& subkey : key.subkeys) {
        HRESULT hr = RegisterKey(opened.Get(), subkey);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT UnregisterKey(HKEY parent, const ScriptKey& key) {
    if (key.marker == KeyMarker::ForceRemove) {
        const LONG error = RegDeleteTreeW(parent, key.name.c_str());
        return error == ERROR_SUCCESS || IsGone(error) ? S_OK : FromWin32(error);
    }
    DWORD subkeysLeft = 0;
    {
        Key opened;
        LONG error = RegOpenKeyExW(parent, key.name.c_str(), 0, KEY_READ | KEY_WRITE, opened.Out());
        if (IsGone(error)) return S_OK; // nothing of it to remove
        if (error != ERROR_SUCCESS) return FromWin32(error);
        for (const ScriptKey& subkey : key.subkeys) {
            HRESULT hr = UnregisterKey(opened.Get(), subkey);
            if (FAILED(hr)) return hr;
        }
        if (key.marker == KeyMarker::NoRemove) return S_OK;
        for (const auto& [name, value] : key.values) {
            error = RegDeleteValueW(opened.Get(), name.c_str());
            if (error != ERROR_SUCCESS && !IsGone(error)) return FromWin32(error);
        }
        error = RegQueryInfoKeyW(opened.Get(), nullptr, nullptr, nullptr, &subkeysLeft, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr);
        if (error != ERROR_SUCCESS) return FromWin32(error);
    }
    if (subkeysLeft > 0) return S_OK; // holds keys of someone else's
    const LONG error = RegDeleteKeyW(parent, key.name.c_str());
    return error == ERROR_SUCCESS || IsGone(error) ? S_OK : FromWin32(error);
}

} // namespace

void CRegistrar::AddReplacement(std::wstring name, std::wstring value) {
    replacements_.emplace_back(std::move(name), std::move(value));
}

void CRegistrar::RedirectRoot(HKEY root, HKEY target) { redirects_.emplace_back(root, target); }

HKEY CRegistrar::Target(HKEY root) const {
    for (const auto& [from, to] : redirects_)
        if (from == root) return to;
    return root;
}

HRESULT CRegistrar::Run(std::wstring_view script, ScriptMode mode) const {
    try {
        const std::optional<std::wstring> expanded = ExpandReplacements(script, replacements_);
        if (!expanded) return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
        const std::optional<std::vector<ScriptRoot>> roots = ParseScript(*expanded);
        if (!roots) return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
        for (const ScriptRoot& root : *roots) {
            const HKEY target = Target(root.root);
            for (const ScriptKey& key : root.keys) {
                HRESULT hr = mode == ScriptMode::Register ? RegisterKey(target, key) : UnregisterKey(target, key);
                if (FAILED(hr)) return hr;
            }
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CRegistrar::RunResource(HMODULE module, UINT id, ScriptMode mode) const {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"REGISTRY");
    if (!resource) return LastError();
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!text || size == 0 || size > 0x100000) return LastError();
    const int chars = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, static_cast<int>(size), nullptr, 0);
    if (chars <= 0) return LastError();
    try {
        std::wstring script(static_cast<size_t>(chars), L'\0');
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, static_cast<int>(size), script.data(), chars);
        return Run(script, mode);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace nobrel
