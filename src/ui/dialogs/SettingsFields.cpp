#include "ui/dialogs/SettingsFields.h"

#include "framework/Text.h"

#include <cwctype>

namespace zevrin {

namespace {

// Blanks around the number are allowed, nothing else beside it; too many digits fail.
std::optional<long long> ParseWhole(const std::wstring& text, bool allowSign) {
    std::wstring t = fw::Trim(text);
    size_t i = 0;
    bool negative = false;
    if (allowSign && i < t.size() && (t[i] == L'-' || t[i] == L'+')) negative = t[i++] == L'-';
    if (i == t.size() || t.size() - i > 12) return std::nullopt;
    long long value = 0;
    for (; i < t.size(); ++i) {
        if (!std::iswdigit(t[i])) return std::nullopt;
        value = value * 10 + (t[i] - L'0');
    }
    return negative ? -value : value;
}

FieldCheck InRange(long long value, long long min, long long max) {
    if (value < min || value > max)
        return {value, fw::Format(L"Please enter an integer between %lld and %lld.", min, max)};
    return {value, {}};
}

} // namespace

FieldCheck CheckUnsignedField(const std::wstring& text, long long min, long long max) {
    auto value = ParseWhole(text, false);
    if (!value) return {0, L"Please enter a positive integer."};
    return InRange(*value, min, max);
}

FieldCheck CheckIntegerField(const std::wstring& text, long long min, long long max) {
    auto value = ParseWhole(text, true);
    if (!value) return {0, L"Please enter an integer."};
    return InRange(*value, min, max);
}

std::optional<CFileTypeInfo> NewFileType(const std::wstring& name, const std::wstring& extension, int iconEntry) {
    std::wstring n = fw::Trim(name), e = fw::Trim(extension);
    if (n.empty() || e.empty() || iconEntry < 0) return std::nullopt;
    if (e.front() != L'.') e.insert(e.begin(), L'.');
    return CFileTypeInfo(n, e, iconEntry + 2);
}

} // namespace zevrin
