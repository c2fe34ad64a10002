// Start-up of the installed Zevrin.exe, timed from outside as a user sees it: milliseconds from
// CreateProcess to the main window being visible, and, with a clip on the command line, to the
// first picture in the display pane. Each case starts from cleared settings, so every run meets
// the same first-run state; one unmeasured start warms the file cache and Wine's DLLs first.
// Usage: zevrin_startup_bench <clip> [runs]   (the program comes from ZEVRIN_DIST)
// Prints one line per case: label, then the median window and picture times in ms (- for none).
#include "../../tests/ScreenPixels.h"
#include "../../tests/ui/Harness.h"
#include "../../tests/unit/ProgramRunner.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace zevrin::bench {
namespace {

using ui::ZevrinProcess;

// The screen is polled this often; it bounds the resolution of the figures.
constexpr DWORD kPollMs = 10;
constexpr double kTimeoutMs = 30000;

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double ElapsedMs() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{}, start_{};
};

struct Sample {
    std::optional<double> windowMs;
    std::optional<double> pictureMs;
};

// Polls `done` every kPollMs; the elapsed time of `clock` when it first held.
template <typename Done> std::optional<double> TimeUntil(const Stopwatch& clock, Done done) {
    for (;;) {
        if (done()) return clock.ElapsedMs();
        if (clock.ElapsedMs() > kTimeoutMs) return std::nullopt;
        Sleep(kPollMs);
    }
}

Sample RunOnce(const std::wstring& arguments, bool waitForPicture) {
    ui::ResetProgramKeys();
    Sample sample;
    ZevrinProcess app;
    Stopwatch clock; // started right before the process is created
    if (!app.Start(arguments)) return sample;
    // A zero wait is a single look for the visible top-level window.
    sample.windowMs = TimeUntil(clock, [&] { return app.WaitForFrame(0) != nullptr; });
    if (sample.windowMs && waitForPicture) sample.pictureMs = TimeUntil(clock, [&] { return app.PictureShows(); });
    return sample; // the process is closed as `app` goes
}

std::optional<double> Median(std::vector<double> values) {
    if (values.empty()) return std::nullopt;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Figure(std::optional<double> ms) {
    if (!ms) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", *ms);
    return text;
}

// Most of the window's client area shows the white it paints.
bool ClientIsWhite(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const std::vector<DWORD> pixels = test::ScreenPixels(client);
    const auto white = std::count_if(pixels.begin(), pixels.end(), [](DWORD p) { return (p & 0xFFFFFF) == 0xFFFFFF; });
    return !pixels.empty() && white > static_cast<std::ptrdiff_t>(pixels.size() / 2);
}

// One start of the floor program: its window, then its white picture.
Sample RunFloorOnce(const std::wstring& program) {
    Sample sample;
    ProgramRunner floor;
    Stopwatch clock; // started right before the process is created
    if (!floor.Start(program, L"")) return sample;
    HWND window = nullptr;
    sample.windowMs = TimeUntil(clock, [&] { return (window = floor.MainWindow()) != nullptr; });
    if (sample.windowMs) sample.pictureMs = TimeUntil(clock, [&] { return ClientIsWhite(window); });
    return sample; // the process is ended as `floor` goes
}

template <typename Run> void MeasureRuns(const char* label, bool waitForPicture, int runs, Run run) {
    run(); // warm-up, not counted
    std::vector<double> windows, pictures;
    for (int i = 0; i < runs; ++i) {
        Sample s = run();
        if (s.windowMs) windows.push_back(*s.windowMs);
        if (s.pictureMs) pictures.push_back(*s.pictureMs);
    }
    std::printf("%-34s %8s %8s   (%zu/%d runs)\n", label, Figure(Median(windows)).c_str(),
        waitForPicture ? Figure(Median(pictures)).c_str() : "-", waitForPicture ? pictures.size() : windows.size(), runs);
    std::fflush(stdout);
}

void Measure(const char* label, const std::wstring& arguments, bool waitForPicture, int runs) {
    MeasureRuns(label, waitForPicture, runs, [&] { return RunOnce(arguments, waitForPicture); });
}

// The floor program sits next to this one.
std::wstring FloorProgram() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"zevrin_startup_floor.exe";
}

} // namespace
} // namespace zevrin::bench

int wmain(int argc, wchar_t** argv) {
    using namespace zevrin;
    if (argc < 2 || ui::InstalledProgram().empty()) {
        std::fprintf(stderr, "usage: zevrin_startup_bench <clip> [runs]  (with ZEVRIN_DIST set)\n");
        return 2;
    }
    int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    bench::Measure("Zevrin.exe, no file", L"", false, runs);
    bench::Measure("Zevrin.exe <clip.3gp>", L"\"" + std::wstring(argv[1]) + L"\"", true, runs);
    const std::wstring floor = bench::FloorProgram();
    bench::MeasureRuns("one window, painted (the floor)", true, runs, [&] { return bench::RunFloorOnce(floor); });
    ui::ResetProgramKeys();
    return 0;
}
