#pragma once
// The encode tool: converts media and writes single frames. Its wrapper holds a complete option
// record and builds the tool's command line from it.
#include "tools/EncodeOptions.h"
#include "tools/ToolClient.h"
#include "tools/ToolSink.h"

#include <string>

namespace zevrin {

class CEncodeTool : public CToolClient {
public:
    int Setup(const std::wstring& toolPath, const std::wstring& presetFolder, HWND callbackWindow, IToolSink* sink);

    CEncodeOptions& Options() { return options_; }
    const CEncodeOptions& Options() const { return options_; }

    // Normalises the options, runs the tool with them and then, with a sink, notifies the end
    // (type 4). The run's result: 0, -1, or 1 when stopped.
    int Execute(const ToolStopFlag* stopFlag);
    // The command line for the options as they are, without the callback arguments.
    std::wstring BuildCommandLine() const;
    // "<preset folder>\<name>.preset" when that file exists; -1 when it doesn't.
    int ResolvePreset(const std::wstring& name, std::wstring& path) const;

    LRESULT Translate(ToolCallbackBytes block) override;

private:
    void AppendInputs(std::wstring& line) const;
    void AppendMetadata(std::wstring& line) const;
    void AppendVideo(std::wstring& line) const;
    void AppendAudio(std::wstring& line) const;

    std::wstring presetFolder_;
    CEncodeOptions options_;
    IToolSink* sink_ = nullptr;
};

// Writes the frame at timeMs of mediaPath to outputPath with the encode tool at toolPath, as
// `format` ("image2", a JPEG, when empty). 0 when the tool succeeded and the file is there.
int ExtractFrameWith(const std::wstring& toolPath, const std::wstring& presetFolder, const std::wstring& mediaPath,
                     const std::wstring& outputPath, int timeMs, const std::wstring& format,
                     const ToolStopFlag* stopFlag);

} // namespace zevrin
