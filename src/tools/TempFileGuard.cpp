#include "tools/TempFileGuard.h"

#include <windows.h>

namespace zevrin {

CTempFileGuard::~CTempFileGuard() {
    if (path_.empty()) return;
    for (int i = 0; i < tries_; ++i) {
        if (DeleteFileW(path_.c_str()) || GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
        Sleep(kRetryMs);
    }
}

} // namespace zevrin
