// Brannet: converts media and extracts pictures.
//   Brannet.exe [-threads n] [-bufsize n] -i "<in>" [[-itsoffset t] -i "<in2>"] [-map i:s -map i:s]
//               [-ss t] [-t t] [-fs bytes] [metadata] [-f fmt] [video options] [audio options] -y "<out>"
#include "CallbackChannel.h"
#include "CommandLine.h"
#include "EncodeOptions.h"
#include "FrameExtract.h"
#include "Progress.h"
#include "ToolProcess.h"
#include "Transcoder.h"

#include <windows.h>

#include <set>

using namespace harlow;
using namespace harlow::brannet;

namespace {

int Run(const CommandLine& args, Progress& progress) {
    const ParseResult parsed = ParseEncodeOptions(args);
    if (!parsed.options) {
        progress.Failed(parsed.error);
        return kExitUsage;
    }
    const EncodeOptions& options = *parsed.options;
    if (IsSingleFrameRequest(options)) {
        progress.Started(0);
        const ExtractResult r = ExtractOneFrame(options);
        if (r.exitCode != kExitOk) progress.Failed(r.error);
        return r.exitCode;
    }
    const TranscodeResult r = Transcode(options, progress);
    if (r.exitCode != kExitOk) progress.Failed(r.error);
    return r.exitCode;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    PrepareToolProcess();
    const std::vector<std::wstring>& flags = FlagOptions();
    const std::vector<std::wstring>& valued = ValuedOptions();
    const CommandLine args(CommandLine::SplitProcessCommandLine(), std::set<std::wstring>(flags.begin(), flags.end()),
                           std::set<std::wstring>(valued.begin(), valued.end()));
    Progress progress(CallbackChannel::FromCommandLine(args));
    int code = kExitCrashed;
    try {
        code = Run(args, progress);
    } catch (...) {
        progress.Failed("unexpected failure");
    }
    progress.Ended();
    return code;
}
