// Quorrin: writes the "MediaInfos" description of one file or URL.
//   Quorrin.exe "<media>" -o "<xml>"
#include "CommandLine.h"
#include "MediaInfosXml.h"
#include "MediaInput.h"
#include "MediaReport.h"
#include "ToolProcess.h"

#include <windows.h>

using namespace harlow;

namespace {

std::int64_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (std::int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int Probe(const std::wstring& media, const std::wstring& xml) {
    const bool url = IsUrl(media);
    std::int64_t size = url ? -1 : FileSize(media);
    if (!url && size < 0) return kExitInput; // fail at once, before FFmpeg looks for it
    Interrupter interrupter;
    InputPtr input = OpenInput(media, interrupter);
    if (!input) return kExitInput;
    if (url && input->pb) size = avio_size(input->pb); // what the server announced; negative when it didn't
    // Reading packets to correct durations is bounded by its own budget; the interrupter
    // guards against a stalled network read on top of that.
    interrupter.Arm(std::chrono::seconds(10));
    const quorrin::MediaReport report = quorrin::DescribeMedia(input.get(), size, url);
    interrupter.Disarm();
    if (!quorrin::HasPlayableStream(report)) return kExitInput;
    return quorrin::WriteFileAtomically(xml, quorrin::BuildMediaInfosXml(report)) ? kExitOk : kExitOutput;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    PrepareToolProcess();
    const CommandLine args(CommandLine::SplitProcessCommandLine(), {}, {L"-o", L"-callbackwindow", L"-context"});
    const std::optional<std::wstring> xml = args.Value(L"-o");
    if (args.Positional().empty() || !xml || xml->empty()) return kExitUsage;
    try {
        return Probe(args.Positional().front(), *xml);
    } catch (...) {
        return kExitCrashed;
    }
}
