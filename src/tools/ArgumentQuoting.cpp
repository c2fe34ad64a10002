#include "tools/ArgumentQuoting.h"

namespace zevrin {

std::wstring EscapeInsideQuotes(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    size_t backslashes = 0;
    for (wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only right before a quote: there each must be doubled.
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    // A trailing run sits before the closing quote that the format adds.
    out.append(backslashes * 2, L'\\');
    return out;
}

std::wstring QuoteIfNeeded(const std::wstring& text) {
    if (text.empty()) return text;
    if (text.find_first_of(L" \t\n\v\"") == std::wstring::npos) return text;
    return L"\"" + EscapeInsideQuotes(text) + L"\"";
}

} // namespace zevrin
