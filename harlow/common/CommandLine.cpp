#include "CommandLine.h"

#include <windows.h>
#include <cstdlib>

#include <cerrno>
#include <cmath>
#include <cwchar>

namespace harlow {

namespace {

bool LooksLikeOption(const std::wstring& token) {
    // "-5" is a value, "-ss" an option.
    return token.size() > 1 && token[0] == L'-' && !iswdigit(token[1]) && token[1] != L'.';
}

} // namespace

CommandLine::CommandLine(const std::vector<std::wstring>& tokens, const std::set<std::wstring>& flags,
                         const std::set<std::wstring>& valued) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::wstring& token = tokens[i];
        if (!LooksLikeOption(token)) {
            positional_.push_back(token);
            arguments_.push_back({L"", token});
        } else if (flags.contains(token)) {
            arguments_.push_back({token, L""});
        } else if (valued.contains(token)) {
            // A known option always takes the next token, even one that starts with '-'.
            if (i + 1 < tokens.size()) arguments_.push_back({token, tokens[++i]});
        } else {
            // An unknown option may or may not have a value. Take the next token as its value when
            // it does not look like an option and is not the last token, which callers use for the
            // positional output path.
            ignored_.push_back(token);
            if (i + 2 < tokens.size() && !LooksLikeOption(tokens[i + 1])) ignored_.push_back(tokens[++i]);
        }
    }
}

// The C runtime has split the command line already, by the same quoting rules as the shell's
// splitter; taking its copy spares every tool start the loading of the shell library.
std::vector<std::wstring> CommandLine::SplitProcessCommandLine() {
    std::vector<std::wstring> tokens;
    if (!__wargv) return tokens;
    for (int i = 1; i < __argc && __wargv[i]; ++i) tokens.emplace_back(__wargv[i]);
    return tokens;
}

bool CommandLine::Has(const std::wstring& name) const {
    for (const Argument& a : arguments_)
        if (a.name == name) return true;
    return false;
}

std::optional<std::wstring> CommandLine::Value(const std::wstring& name) const {
    std::optional<std::wstring> found;
    for (const Argument& a : arguments_)
        if (a.name == name) found = a.value;
    return found;
}

std::vector<std::wstring> CommandLine::Values(const std::wstring& name) const {
    std::vector<std::wstring> found;
    for (const Argument& a : arguments_)
        if (a.name == name) found.push_back(a.value);
    return found;
}

std::optional<long long> ParseInteger(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    wchar_t* end = nullptr;
    errno = 0;
    const long long v = std::wcstoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != L'\0') return std::nullopt;
    return v;
}

std::optional<double> ParseNumber(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    wchar_t* end = nullptr;
    const double v = std::wcstod(text.c_str(), &end);
    if (end == text.c_str() || *end != L'\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<long long> ParseTime(const std::wstring& text) {
    std::wstring rest = text;
    bool negative = false;
    if (!rest.empty() && rest[0] == L'-') {
        negative = true;
        rest.erase(0, 1);
    }
    // Up to three fields separated by ':', the last one may carry a fraction.
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = rest.find(L':', start);
        fields.push_back(rest.substr(start, colon - start));
        if (colon == std::wstring::npos) break;
        start = colon + 1;
    }
    if (fields.size() > 3) return std::nullopt;
    double seconds = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const bool last = i + 1 == fields.size();
        std::optional<double> v;
        if (last)
            v = ParseNumber(fields[i]);
        else if (const std::optional<long long> whole = ParseInteger(fields[i]))
            v = static_cast<double>(*whole);
        if (!v || *v < 0) return std::nullopt;
        seconds = seconds * 60 + *v;
    }
    if (seconds > 1e9) return std::nullopt;
    const long long us = std::llround(seconds * 1e6);
    return negative ? -us : us;
}

} // namespace harlow
