#pragma once
// Where the three media tools and the encode tool's presets are. The program resolves them once
// at start-up (the shared resources) and hands a copy down to whatever runs a tool, so nothing
// below the top reaches for a process-wide record to find a tool, and a test or a benchmark can
// point any part at the tools it wants.
#include <string>

namespace zevrin {

struct ToolPaths {
    std::wstring play;         // the playback tool
    std::wstring probe;        // the probe tool
    std::wstring encode;       // the encode tool
    std::wstring presetFolder; // the encode tool's presets
};

} // namespace zevrin
