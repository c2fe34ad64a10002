#include "framework/FileBytes.h"

#include <cstdio>

namespace fw {

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    for (size_t n; (n = fread(chunk, 1, sizeof(chunk), f)) > 0;) bytes.append(chunk, n);
    bool failed = ferror(f) != 0;
    fclose(f);
    if (failed) return std::nullopt;
    return bytes;
}

} // namespace fw
