// .m3u: one path per line in the ANSI code page; "#" lines are comments or directives.
#include "playlist/PlaylistFile.h"

#include "framework/FileBytes.h"
#include "framework/Text.h"

#include <windows.h>

namespace zevrin {

namespace {

// A path the ANSI code page can't spell is written by its short name, which it can, so other
// programs still find the file; only when there is no such name does the path lose characters.
std::string AnsiPath(const std::wstring& path) {
    BOOL lossy = FALSE;
    std::string ansi(static_cast<size_t>(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0,
                                                             nullptr, &lossy)),
                     '\0');
    if (!lossy) return fw::ToCodePage(path);
    wchar_t shortPath[MAX_PATH * 4];
    DWORD n = GetShortPathNameW(path.c_str(), shortPath, static_cast<DWORD>(std::size(shortPath)));
    if (n > 0 && n < std::size(shortPath)) return fw::ToCodePage(shortPath);
    return fw::ToCodePage(path);
}

} // namespace

int CM3uPlaylistFile::Read(const std::wstring& path, CPlaylistFileList& list) {
    std::optional<std::string> read = fw::ReadFileBytes(path);
    if (!read) return -1;
    std::string& bytes = *read;
    // Lists saved by other players in UTF-8 say so with a byte-order mark.
    UINT codePage = CP_ACP;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.erase(0, 3);
        codePage = CP_UTF8;
    }
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::wstring line = fw::Trim(fw::FromCodePage(std::string_view(bytes).substr(start, end - start), codePage));
        if (!line.empty() && line[0] != L'#') list.AddPath(ResolveEntryPath(line, path));
        start = end + 1;
    }
    return 0;
}

int CM3uPlaylistFile::Write(const std::wstring& path, const CPlaylistFileList& list) {
    std::string bytes;
    for (const auto& entry : list.entries) bytes += AnsiPath(entry->path) + "\r\n";
    return WriteFileSafely(path, bytes) ? 0 : -1;
}

} // namespace zevrin
