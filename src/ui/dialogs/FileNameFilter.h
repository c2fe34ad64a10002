#pragma once
// Which files a folder scan takes: wildcard patterns matched against names (or whole paths),
// an include list and an exclude list. Pure functions with no windows behind them, so that the
// scan and the tests share one matcher.
//
// Pattern syntax, compared without regard to case:
//   *        any run of characters, also none
//   ?        any one character
//   [abc]    one character of the set; [a-z] a range; [!a-z] any character outside the set
//   `c       the character c itself (also inside a set)
//   !rest    matches where `rest` does not match the rest of the name ("!*.tmp": not a .tmp)
//   0x1A     any run of characters without a "."
// Everything else matches itself. A "!" or "`" that ends the pattern, and a "[" that is never
// closed, stand for themselves.
#include <string>
#include <string_view>
#include <vector>

namespace zevrin {

bool MatchPattern(std::wstring_view pattern, std::wstring_view name);

// Splits at ";" into the non-empty patterns, each trimmed of the spaces a user types after ";".
std::vector<std::wstring> SplitPatterns(std::wstring_view list);

class CFileNameFilter {
public:
    CFileNameFilter() = default;
    CFileNameFilter(std::wstring_view include, std::wstring_view exclude = {}) { Set(include, exclude); }

    void Set(std::wstring_view include, std::wstring_view exclude = {});
    // Accepted when the include list is empty, is "*" alone or has a matching pattern, and no
    // exclude pattern matches.
    bool Match(std::wstring_view nameOrPath) const;

private:
    std::vector<std::wstring> include_;
    std::vector<std::wstring> exclude_;
};

} // namespace zevrin
