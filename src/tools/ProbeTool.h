#pragma once
// The probe tool: describes one media file or URL as a "MediaInfos" XML file, which becomes a
// media information record.
#include "tools/MediaInfo.h"
#include "tools/ToolProcess.h"

namespace zevrin {

class CProbeTool : public CToolProcess {
public:
    // Runs the tool on mediaPath into a temporary file and reads it into info. 0 on success;
    // -1 when the tool is missing, fails or is stopped, when its output can't be read, and for
    // ".log" and ".txt" files, which are never media whatever the tool makes of them.
    int Probe(const std::wstring& mediaPath, CMediaInfo& info, const ToolStopFlag* stopFlag) const;

    // The command line for one probe; the output goes to xmlPath.
    std::wstring BuildCommandLine(const std::wstring& mediaPath, const std::wstring& xmlPath) const;
};

// The probe reads a file in a second or two and gives up on a silent network source after ten;
// a run still going after this long is stuck (a damaged file, a tool fault) and is ended.
inline constexpr DWORD kProbeTimeLimitMs = 30000;

// Probes with the probe tool at toolPath. stopFlag may be null; a run stuck past
// kProbeTimeLimitMs fails without a second try.
int ProbeMedia(const std::wstring& toolPath, const std::wstring& mediaPath, CMediaInfo& info,
               const ToolStopFlag* stopFlag);

} // namespace zevrin
