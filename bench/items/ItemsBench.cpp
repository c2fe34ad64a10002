// Milliseconds per playlist item for LoadInfo + ResolveArtwork over a folder of clips, and the
// part of it that is spent starting the media tools:
//   zevrin_items_bench <clip folder> <Harlow folder> <scratch folder>
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "playlist/PlaylistItem.h"
#include "tools/ToolProcess.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace zevrin;
using Clock = std::chrono::steady_clock;

namespace {

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<std::wstring> Clips(const std::wstring& folder) {
    std::vector<std::wstring> out;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return out;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.')
            out.push_back(folder + L"\\" + found.cFileName);
    while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(out.begin(), out.end());
    return out;
}

// A run that does nothing but start the tool and let it refuse its empty command line: what
// each tool run costs before any media is touched. Median of nine.
double StartMs(const std::wstring& tool) {
    CToolProcess process;
    process.SetToolPath(tool);
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        const auto start = Clock::now();
        process.Run(L"\"" + tool + L"\"", nullptr);
        times.push_back(MsSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputs("usage: zevrin_items_bench <clip folder> <Harlow folder> <scratch folder>\n", stderr);
        return 2;
    }
    const std::wstring harlow = argv[2];
    CAppSettings settings(L"Software\\Tresk\\ZevrinBench");  // never loaded, so never written
    settings.tempFolder = argv[3];
    CreateDirectoryW(settings.tempFolder.c_str(), nullptr);
    PublishSettings(&settings);
    CAppResources resources;
    resources.probeToolPath = harlow + L"\\Quorrin.exe";
    resources.encodeToolPath = harlow + L"\\Brannet.exe";
    resources.presetFolder = harlow + L"\\Presets";
    PublishResources(&resources);

    const std::vector<std::wstring> clips = Clips(argv[1]);
    double infoMs = 0, artworkMs = 0;
    int probed = 0, thumbnails = 0, extracted = 0;
    for (const std::wstring& clip : clips) {
        CPlaylistItem item(clip);
        const auto start = Clock::now();
        probed += item.LoadInfo(resources.Tools());
        infoMs += MsSince(start);
        const auto middle = Clock::now();
        item.ResolveArtwork(resources.Tools());
        artworkMs += MsSince(middle);
        thumbnails += item.kind == 10;
        extracted += !(item.flags & EntryFlag::ArtworkBesideMedia) && item.kind == 10;
        item.DeleteTempFiles();
    }
    const double n = clips.empty() ? 1 : static_cast<double>(clips.size());
    const double probeStart = StartMs(resources.probeToolPath);
    const double encodeStart = StartMs(resources.encodeToolPath);
    // One probe run per item and at least one encode run per extracted thumbnail (more only for
    // clips whose first frames are blank, which these are not).
    const double startPart = (probeStart * probed + encodeStart * extracted) / n;
    const double total = (infoMs + artworkMs) / n;
    std::printf("items %d (probed %d, thumbnails %d, frames extracted %d)\n", static_cast<int>(clips.size()), probed,
                thumbnails, extracted);
    std::printf("LoadInfo        %7.1f ms per item\n", infoMs / n);
    std::printf("ResolveArtwork  %7.1f ms per item\n", artworkMs / n);
    std::printf("both            %7.1f ms per item\n", total);
    std::printf("tool start: probe %.1f ms, encode %.1f ms (median of 9 bare runs)\n", probeStart, encodeStart);
    std::printf("starting tools  %7.1f ms per item (%.0f%% of the total)\n", startPart,
                total > 0 ? 100.0 * startPart / total : 0.0);
    PublishResources(nullptr);
    PublishSettings(nullptr);
    return 0;
}
