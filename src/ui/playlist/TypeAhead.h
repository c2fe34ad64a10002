#pragma once
// Type-ahead in the playlist: characters typed within half a second of each other spell out the
// start of a title, each one compared at the next position; after a pause the next character
// starts again at the first. When nothing matches at a later position the character is tried
// once more as a first character. Which item matches is decided over the titles alone, with
// the key's time given, so that the rules can be checked without a keyboard or a clock.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

namespace zevrin {

class CTypeAhead {
public:
    static constexpr DWORD kPauseMs = 500;

    // The first of `count` titles that the character `ch`, typed at tick `now`, continues
    // (case aside); -1 when there is none.
    int Type(wchar_t ch, DWORD now, int count, const std::function<const std::wstring&(int)>& titleAt);

private:
    DWORD lastTick_ = 0;
    size_t position_ = 0;
};

} // namespace zevrin
