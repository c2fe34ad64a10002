#include "ui/playlist/TypeAhead.h"

#include <cwctype>

namespace zevrin {

int CTypeAhead::Type(wchar_t ch, DWORD now, int count, const std::function<const std::wstring&(int)>& titleAt) {
    position_ = now - lastTick_ > kPauseMs ? 0 : position_ + 1;
    lastTick_ = now;
    const wchar_t wanted = static_cast<wchar_t>(std::towlower(ch));
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (int i = 0; i < count; ++i) {
            const std::wstring& title = titleAt(i);
            if (title.size() > position_ && std::towlower(title[position_]) == wanted) return i;
        }
        if (position_ == 0) return -1;
        position_ = 0;
    }
    return -1;
}

} // namespace zevrin
