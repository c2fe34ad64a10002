#pragma once
// Tool command lines are built from tables of option rows: each row names an option as the tool
// spells it and says how its value is written. Every option lands on the line as a blank, its
// name, a blank and its value; a positional row (no name) as a blank and its value.
#include "tools/ArgumentQuoting.h"

#include "framework/Text.h"

#include <string>
#include <type_traits>
#include <utility>

namespace zevrin {

// What a row's value is. Documentation only: the builder goes by the format.
enum class ToolOptionKind { Flag, Integer, Text, Time, Size, Ratio, StreamMap, Integer64 };

struct CToolOption {
    const wchar_t* name; // as typed on the command line, e.g. L"-ss"; nullptr for a positional row
    ToolOptionKind kind;
    const wchar_t* format; // printf-style, nullptr for a flag
};

// Appends text preceded by one blank (none at the very start); empty text adds nothing.
void AppendArgument(std::wstring& commandLine, const std::wstring& text);

// The first token of every tool command line: the tool's path in double quotes.
std::wstring QuotedToolPath(const std::wstring& toolPath);

namespace detail {

// Text values are made safe for the row's format before printf sees them: inside a quoted
// format their quotes and trailing backslashes are escaped, in a bare one the value is quoted
// when it would otherwise split into several arguments.
inline const wchar_t* PassValue(const std::wstring& text, bool quotedFormat, std::wstring& storage) {
    storage = quotedFormat ? EscapeInsideQuotes(text) : QuoteIfNeeded(text);
    return storage.c_str();
}
inline const wchar_t* PassValue(const wchar_t* text, bool quotedFormat, std::wstring& storage) {
    return PassValue(std::wstring(text ? text : L""), quotedFormat, storage);
}
template <class T>
requires std::is_arithmetic_v<T> T PassValue(T value, bool, std::wstring&) { return value; }

bool IsQuotedFormat(const wchar_t* format);

template <size_t... I, class... Values>
std::wstring FormatValues(const wchar_t* format, std::index_sequence<I...>, const Values&... values) {
    [[maybe_unused]] const bool quoted = IsQuotedFormat(format);
    [[maybe_unused]] std::wstring storage[sizeof...(Values) + 1]; // keeps prepared texts alive for the call
    return fw::Format(format, PassValue(values, quoted, storage[I])...);
}

} // namespace detail

// Appends the row's name, then its values written with the row's format. The value is never
// cut short: a long path must reach the tool whole or not at all.
template <class... Values>
void AppendOption(std::wstring& commandLine, const CToolOption& option, const Values&... values) {
    if (option.name) AppendArgument(commandLine, option.name);
    if (option.format)
        AppendArgument(commandLine,
                       detail::FormatValues(option.format, std::index_sequence_for<Values...>{}, values...));
}

} // namespace zevrin
