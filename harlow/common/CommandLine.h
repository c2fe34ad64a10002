// Command-line parsing shared by the tools. Options a tool does not know are skipped, so that older
// and newer callers keep working; options it knows are looked up by name.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace harlow {

struct Argument {
    std::wstring name;  // "-ss"; empty for a positional argument
    std::wstring value; // empty for a flag
};

class CommandLine {
public:
    // flags: known options without a value; valued: known options that take the next token.
    CommandLine(const std::vector<std::wstring>& tokens, const std::set<std::wstring>& flags,
                const std::set<std::wstring>& valued);

    static std::vector<std::wstring> SplitProcessCommandLine(); // argv[1..] of this process

    bool Has(const std::wstring& name) const;
    std::optional<std::wstring> Value(const std::wstring& name) const; // the last one given
    std::vector<std::wstring> Values(const std::wstring& name) const;  // all, in order
    const std::vector<std::wstring>& Positional() const { return positional_; }
    const std::vector<Argument>& Arguments() const { return arguments_; } // known ones, in order
    const std::vector<std::wstring>& Ignored() const { return ignored_; }

private:
    std::vector<Argument> arguments_;
    std::vector<std::wstring> positional_;
    std::vector<std::wstring> ignored_;
};

// Number parsing that rejects trailing garbage instead of reading a prefix.
std::optional<long long> ParseInteger(const std::wstring& text);
std::optional<double> ParseNumber(const std::wstring& text);

// "h:mm:ss.fff", "mm:ss", "ss.fff" or "ss" to microseconds; negative values allowed.
std::optional<long long> ParseTime(const std::wstring& text);

} // namespace harlow
