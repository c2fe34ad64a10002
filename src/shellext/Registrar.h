#pragma once
// Applies registration scripts (RegistryScript.h) to the registry, for registration or removal.
//
// Registration creates every key the script names and writes its values; a ForceRemove key is
// deleted with all it holds first, so a stale key is replaced rather than merged. Removal
// deletes the named values and keys, leaving NoRemove keys in place: a ForceRemove key goes
// with everything under it, any other key only when nothing the script did not name is left
// under it. A root may be redirected, which is how per-user registration puts HKCR's keys under
// HKCU\Software\Classes (and how tests keep scripts inside a key of their own).
#include "RegistryScript.h"

#include <windows.h>

#include <string>

namespace nobrel {

enum class ScriptMode { Register, Unregister };

class CRegistrar {
public:
    void AddReplacement(std::wstring name, std::wstring value);
    // Keys the script puts under `root` go under `target` instead; `target` stays the caller's.
    void RedirectRoot(HKEY root, HKEY target);

    // Runs a script; S_OK, or the first failure: E_OUTOFMEMORY, HRESULT_FROM_WIN32 of a
    // registry error, or of ERROR_INVALID_DATA for a script that does not parse.
    HRESULT Run(std::wstring_view script, ScriptMode mode) const;
    // Runs the REGISTRY resource `id` of `module` (UTF-8 text); a resource that can't be
    // found or converted fails with the last system error.
    HRESULT RunResource(HMODULE module, UINT id, ScriptMode mode) const;

private:
    HKEY Target(HKEY root) const;

    Replacements replacements_;
    std::vector<std::pair<HKEY, HKEY>> redirects_;
};

} // namespace nobrel
