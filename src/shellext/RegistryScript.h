#pragma once
// The registration script language Nobrel carries as REGISTRY resources, read into a tree:
//
//   HKCR
//   {
//       NoRemove CLSID                        key that removal leaves in place
//       {
//           ForceRemove {guid} = s 'text'     key replaced whole on registration
//           {
//               InprocServer32 = s '%MODULE%' default value
//               {
//                   val ThreadingModel = s 'Apartment'   named value
//               }
//           }
//       }
//   }
//
// Tokens are separated by white space; a token in single quotes may hold anything, a quote
// being written twice. Value types: s (string), e (expandable string), d (number). %NAME% is
// replaced before reading, %% gives one percent sign. A script that does not follow the
// language is refused as a whole, so nothing of it is applied.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nobrel {

struct ScriptValue {
    DWORD type = REG_SZ; // REG_SZ, REG_EXPAND_SZ or REG_DWORD
    std::wstring text;
    DWORD number = 0;
};

enum class KeyMarker { None, NoRemove, ForceRemove };

struct ScriptKey {
    std::wstring name;
    KeyMarker marker = KeyMarker::None;
    std::optional<ScriptValue> value; // the default value
    std::vector<std::pair<std::wstring, ScriptValue>> values;
    std::vector<ScriptKey> subkeys;
};

struct ScriptRoot {
    HKEY root = nullptr; // one of the predefined keys
    std::vector<ScriptKey> keys;
};

using Replacements = std::vector<std::pair<std::wstring, std::wstring>>;

// The text with every %NAME% replaced; nullopt when a name has no replacement or a percent
// sign is left open. Names are compared without regard to case.
std::optional<std::wstring> ExpandReplacements(std::wstring_view text, const Replacements& replacements);

// The roots of a script (already expanded); nullopt when it does not follow the language.
std::optional<std::vector<ScriptRoot>> ParseScript(std::wstring_view text);

// The predefined key a root name stands for ("HKCR", "HKEY_CLASSES_ROOT", ...), or nullptr.
HKEY RootKeyOf(std::wstring_view name);

} // namespace nobrel
