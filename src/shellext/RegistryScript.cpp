#include "RegistryScript.h"

#include <cwchar>
#include <cwctype>

namespace nobrel {

namespace {

bool SameText(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

struct Token {
    std::wstring text;
    bool quoted = false;
    bool Is(std::wstring_view word) const { return !quoted && SameText(text, word); }
};

class Tokens {
public:
    explicit Tokens(std::wstring_view text) : text_(text) {}

    // The next token; false at the end or on a quote left open (then Broken() is true).
    bool Next(Token& token) {
        while (pos_ < text_.size() && std::iswspace(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) return false;
        token = Token{};
        if (text_[pos_] == L'\'') {
            token.quoted = true;
            for (++pos_;; ++pos_) {
                if (pos_ >= text_.size()) {
                    broken_ = true;
                    return false;
                }
                if (text_[pos_] != L'\'') {
                    token.text += text_[pos_];
                } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == L'\'') {
                    token.text += L'\'';
                    ++pos_;
                } else {
                    ++pos_;
                    return true;
                }
            }
        }
        while (pos_ < text_.size() && !std::iswspace(text_[pos_])) token.text += text_[pos_++];
        return true;
    }
    bool Broken() const { return broken_; }

private:
    std::wstring_view text_;
    size_t pos_ = 0;
    bool broken_ = false;
};

class Parser {
public:
    explicit Parser(std::wstring_view text) : tokens_(text) { Advance(); }

    std::optional<std::vector<ScriptRoot>> Script() {
        std::vector<ScriptRoot> roots;
        while (more_) {
            ScriptRoot root;
            root.root = current_.quoted ? nullptr : RootKeyOf(current_.text);
            if (!root.root) return std::nullopt;
            Advance();
            if (!Expect(L"{") || !Keys(root.keys, false)) return std::nullopt;
            roots.push_back(std::move(root));
        }
        if (tokens_.Broken()) return std::nullopt;
        return roots;
    }

private:
    void Advance() { more_ = tokens_.Next(current_); }
    bool Expect(std::wstring_view word) {
        if (!more_ || !current_.Is(word)) return false;
        Advance();
        return true;
    }

    // Keys (and, inside a key, named values) up to and including the closing brace.
    bool Keys(std::vector<ScriptKey>& keys, bool valuesAllowed, ScriptKey* owner = nullptr) {
        while (more_ && !current_.Is(L"}")) {
            if (valuesAllowed && current_.Is(L"val")) {
                Advance();
                if (!more_ || current_.Is(L"{") || current_.Is(L"}")) return false;
                std::wstring name = current_.text;
                Advance();
                ScriptValue value;
                if (!Expect(L"=") || !Value(value)) return false;
                owner->values.emplace_back(std::move(name), std::move(value));
                continue;
            }
            ScriptKey key;
            if (!Key(key)) return false;
            keys.push_back(std::move(key));
        }
        return Expect(L"}");
    }

    bool Key(ScriptKey& key) {
        if (current_.Is(L"NoRemove"))
            key.marker = KeyMarker::NoRemove;
        else if (current_.Is(L"ForceRemove"))
            key.marker = KeyMarker::ForceRemove;
        if (key.marker != KeyMarker::None) Advance();
        if (!more_ || current_.Is(L"{") || current_.Is(L"}") || current_.Is(L"=") || current_.text.empty())
            return false;
        key.name = current_.text;
        Advance();
        if (more_ && current_.Is(L"=")) {
            Advance();
            key.value.emplace();
            if (!Value(*key.value)) return false;
        }
        if (more_ && current_.Is(L"{")) {
            Advance();
            return Keys(key.subkeys, true, &key);
        }
        return true;
    }

    bool Value(ScriptValue& value) {
        if (!more_ || current_.quoted) return false;
        if (current_.Is(L"s"))
            value.type = REG_SZ;
        else if (current_.Is(L"e"))
            value.type = REG_EXPAND_SZ;
        else if (current_.Is(L"d"))
            value.type = REG_DWORD;
        else
            return false;
        Advance();
        if (!more_) return false;
        if (value.type == REG_DWORD) {
            wchar_t* end = nullptr;
            const unsigned long long number = std::wcstoull(current_.text.c_str(), &end, 0);
            if (current_.text.empty() || *end != L'\0' || number > 0xFFFFFFFFull) return false;
            value.number = static_cast<DWORD>(number);
        } else {
            if (!current_.quoted) return false;
            value.text = current_.text;
        }
        Advance();
        return true;
    }

    Tokens tokens_;
    Token current_;
    bool more_ = false;
};

} // namespace

std::optional<std::wstring> ExpandReplacements(std::wstring_view text, const Replacements& replacements) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            out += text[i];
            continue;
        }
        const size_t close = text.find(L'%', i + 1);
        if (close == std::wstring_view::npos) return std::nullopt;
        const std::wstring_view name = text.substr(i + 1, close - i - 1);
        if (name.empty()) {
            out += L'%';
        } else {
            const std::wstring* found = nullptr;
            for (const auto& [key, value] : replacements)
                if (SameText(key, name)) found = &value;
            if (!found) return std::nullopt;
            out += *found;
        }
        i = close;
    }
    return out;
}

std::optional<std::vector<ScriptRoot>> ParseScript(std::wstring_view text) { return Parser(text).Script(); }

HKEY RootKeyOf(std::wstring_view name) {
    struct Root {
        const wchar_t* shortName;
        const wchar_t* longName;
        HKEY key;
    };
    static const Root roots[] = {
        {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {L"HKU", L"HKEY_USERS", HKEY_USERS},
    };
    for (const Root& root : roots)
        if (SameText(name, root.shortName) || SameText(name, root.longName)) return root.key;
    return nullptr;
}

} // namespace nobrel
