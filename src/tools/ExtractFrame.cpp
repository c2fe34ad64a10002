#include "tools/EncodeTool.h"

#include <windows.h>

namespace zevrin {

int ExtractFrameWith(const std::wstring& toolPath, const std::wstring& presetFolder, const std::wstring& mediaPath,
                     const std::wstring& outputPath, int timeMs, const std::wstring& format,
                     const ToolStopFlag* stopFlag) {
    CEncodeTool tool;
    tool.Setup(toolPath, presetFolder, nullptr, nullptr);
    CEncodeOptions& o = tool.Options();
    o.Reset();
    o.inputPath = mediaPath;
    o.outputPath = outputPath;
    o.startMs = timeMs;
    o.format = format.empty() ? L"image2" : format;
    o.frameCount = 1;
    // A failed run is tried once more, as a probe is (ProbeMedia); a stopped one is not.
    int result = tool.Execute(stopFlag);
    if (result == -1) result = tool.Execute(stopFlag);
    if (result != 0) return -1;
    // A tool may report success without having written anything worth showing.
    return GetFileAttributesW(outputPath.c_str()) != INVALID_FILE_ATTRIBUTES ? 0 : -1;
}

} // namespace zevrin
