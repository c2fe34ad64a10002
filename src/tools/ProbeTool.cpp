#include "tools/ProbeTool.h"

#include "framework/Text.h"
#include "tools/MediaInfosParser.h"
#include "tools/TempFileGuard.h"
#include "tools/ToolOption.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwctype>

namespace zevrin {

namespace {

// The probe tool's option table.
constexpr CToolOption kProbeMediaPath{nullptr, ToolOptionKind::Text, L"\"%s\""};
constexpr CToolOption kProbeOutput{L"-o", ToolOptionKind::Text, L"\"%s\""};

// An empty file of a fresh name in the system's temporary folder; "" when none can be made.
std::wstring CreateTempFile() {
    wchar_t folder[MAX_PATH + 1];
    wchar_t file[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH || !GetTempFileNameW(folder, L"~FP", 0, file)) return {};
    return file;
}

bool IsTextFileName(const std::wstring& path) {
    std::wstring extension = PathFindExtensionW(path.c_str());
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
    return extension == L".log" || extension == L".txt";
}

} // namespace

std::wstring CProbeTool::BuildCommandLine(const std::wstring& mediaPath, const std::wstring& xmlPath) const {
    std::wstring line = QuotedToolPath(ToolPath());
    AppendOption(line, kProbeMediaPath, mediaPath);
    AppendOption(line, kProbeOutput, xmlPath);
    return line;
}

int CProbeTool::Probe(const std::wstring& mediaPath, CMediaInfo& info, const ToolStopFlag* stopFlag) const {
    const std::wstring xmlPath = CreateTempFile();
    if (xmlPath.empty()) return -1;
    CTempFileGuard guard(xmlPath);
    if (int result = Run(BuildCommandLine(mediaPath, xmlPath), stopFlag); result != 0) return result;
    if (ParseMediaInfos(xmlPath, info) != 0) return -1;
    if (IsTextFileName(mediaPath)) return -1;
    info.BuildStreamIndex();
    return 0;
}

// Under load a tool run now and then fails where the same run a moment later succeeds; one more
// try keeps such a file from dropping out of the playlist unnoticed. A file that is no media
// fails both times, at the cost of one more short run. A probe that got stuck is not tried
// again: the item goes on without information and the queue moves on.
int ProbeMedia(const std::wstring& toolPath, const std::wstring& mediaPath, CMediaInfo& info,
               const ToolStopFlag* stopFlag) {
    CProbeTool tool;
    tool.SetToolPath(toolPath);
    tool.SetTimeLimit(kProbeTimeLimitMs);
    int result = tool.Probe(mediaPath, info, stopFlag);
    if (result != 0 && !tool.LastRunTimedOut() && !(stopFlag && stopFlag->load() != 0))
        result = tool.Probe(mediaPath, info, stopFlag);
    return result;
}

} // namespace zevrin
