#pragma once
// Writing a value so that the tool's command-line splitter (the platform's rules: quotes group,
// backslashes escape only before a quote) gives it back exactly as it was. Without this a URL
// holding a quote, or a title holding a blank, would end its argument early and the rest would
// be read as further options of the tool's own choosing.
#include <string>

namespace zevrin {

// The value as it must appear between a pair of double quotes.
std::wstring EscapeInsideQuotes(const std::wstring& text);
// The value unchanged when it is one plain token, else in double quotes and escaped.
std::wstring QuoteIfNeeded(const std::wstring& text);

} // namespace zevrin
