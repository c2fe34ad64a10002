#include "ui/dialogs/FileNameFilter.h"

#include <cwctype>
#include <utility>

namespace zevrin {

namespace {

constexpr wchar_t kAnyWithoutDot = 0x1A;

wchar_t Fold(wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); }

// One match of a pattern against a name. Every sub-problem is a pair of positions, and its
// answer is remembered, so that patterns with many stars stay linear in practice and can never
// run away on a long path.
class Matcher {
public:
    Matcher(std::wstring_view pattern, std::wstring_view name)
        : p_(pattern), s_(name), memo_((p_.size() + 1) * (s_.size() + 1), kUnknown) {}

    bool At(size_t pi, size_t si) {
        signed char& known = memo_[pi * (s_.size() + 1) + si];
        if (known == kUnknown) known = Compute(pi, si) ? 1 : 0;
        return known == 1;
    }

private:
    static constexpr signed char kUnknown = -1;

    bool Compute(size_t pi, size_t si) {
        if (pi == p_.size()) return si == s_.size();
        const wchar_t c = p_[pi];
        const bool last = pi + 1 == p_.size();
        switch (c) {
        case L'*':
            for (size_t k = si; k <= s_.size(); ++k)
                if (At(pi + 1, k)) return true;
            return false;
        case kAnyWithoutDot:
            for (size_t k = si; k <= s_.size(); ++k) {
                if (At(pi + 1, k)) return true;
                if (k < s_.size() && s_[k] == L'.') break;
            }
            return false;
        case L'?':
            return si < s_.size() && At(pi + 1, si + 1);
        case L'!':
            if (last) break;
            return !At(pi + 1, si);
        case L'`':
            if (last) break;
            return si < s_.size() && Fold(p_[pi + 1]) == Fold(s_[si]) && At(pi + 2, si + 1);
        case L'[': {
            size_t next = 0;
            bool inSet = false;
            if (!ParseSet(pi, si, next, inSet)) break; // never closed: a plain "["
            return inSet && At(next, si + 1);
        }
        default:
            break;
        }
        return si < s_.size() && Fold(c) == Fold(s_[si]) && At(pi + 1, si + 1);
    }

    // Reads the set that opens at `pi`; `next` is the position after its "]", `inSet` whether
    // the name's character at `si` is taken by it (false at the end of the name).
    bool ParseSet(size_t pi, size_t si, size_t& next, bool& inSet) const {
        size_t i = pi + 1;
        const bool negate = i < p_.size() && p_[i] == L'!';
        if (negate) ++i;
        const bool have = si < s_.size();
        const wchar_t ch = have ? Fold(s_[si]) : 0;
        bool hit = false;
        bool first = true;
        while (i < p_.size() && (p_[i] != L']' || first)) {
            first = false;
            wchar_t lo = p_[i];
            if (lo == L'`' && i + 1 < p_.size()) lo = p_[++i];
            ++i;
            wchar_t hi = lo;
            if (i + 1 < p_.size() && p_[i] == L'-' && p_[i + 1] != L']') {
                hi = p_[i + 1];
                if (hi == L'`' && i + 2 < p_.size()) hi = p_[++i + 1];
                i += 2;
            }
            lo = Fold(lo);
            hi = Fold(hi);
            if (lo > hi) std::swap(lo, hi);
            if (have && ch >= lo && ch <= hi) hit = true;
        }
        if (i >= p_.size()) return false;
        next = i + 1;
        inSet = have && (hit != negate);
        return true;
    }

    std::wstring_view p_;
    std::wstring_view s_;
    std::vector<signed char> memo_;
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

} // namespace

bool MatchPattern(std::wstring_view pattern, std::wstring_view name) { return Matcher(pattern, name).At(0, 0); }

std::vector<std::wstring> SplitPatterns(std::wstring_view list) {
    std::vector<std::wstring> patterns;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(L';', start);
        if (end == std::wstring_view::npos) end = list.size();
        std::wstring_view piece = list.substr(start, end - start);
        while (!piece.empty() && IsBlank(piece.front())) piece.remove_prefix(1);
        while (!piece.empty() && IsBlank(piece.back())) piece.remove_suffix(1);
        if (!piece.empty()) patterns.emplace_back(piece);
        start = end + 1;
    }
    return patterns;
}

void CFileNameFilter::Set(std::wstring_view include, std::wstring_view exclude) {
    include_ = SplitPatterns(include);
    exclude_ = SplitPatterns(exclude);
}

bool CFileNameFilter::Match(std::wstring_view nameOrPath) const {
    bool accepted = include_.empty() || (include_.size() == 1 && include_[0] == L"*");
    for (size_t i = 0; !accepted && i < include_.size(); ++i) accepted = MatchPattern(include_[i], nameOrPath);
    if (!accepted) return false;
    for (const std::wstring& pattern : exclude_)
        if (MatchPattern(pattern, nameOrPath)) return false;
    return true;
}

} // namespace zevrin
