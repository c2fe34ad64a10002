// The playlist pane with the real tools: seconds until N items are listed and until all their
// thumbnails are in, the longest wait of a posted message meanwhile, milliseconds to paint a
// grid of 10,000 items, and memory per item:
//   zevrin_playlist_bench <clip folder> <Harlow folder> <scratch folder> [counts...]
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "ui/playlist/PlaylistView.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace zevrin;
using Clock = std::chrono::steady_clock;

namespace {

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

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

double PrivateMb() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    return counters.PagefileUsage / (1024.0 * 1024.0);  // Wine leaves PrivateUsage at 0
}

// Responsiveness: a message posted to the host is stamped, and its wait is measured when the
// host handles it; a new one is posted as soon as the previous one was handled.
constexpr UINT WM_STAMP = WM_APP + 1;
Clock::time_point g_posted;
bool g_pending = false;
double g_longestWaitMs = 0;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STAMP) {
        g_longestWaitMs = std::max(g_longestWaitMs, std::chrono::duration<double, std::milli>(Clock::now() - g_posted).count());
        g_pending = false;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void PumpOnce(HWND host) {
    if (!g_pending) {
        g_pending = true;
        g_posted = Clock::now();
        PostMessageW(host, WM_STAMP, 0, 0);
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
}

struct Pane {
    HWND host = nullptr;
    CPlaylistView* view = nullptr;  // deleted with its window
    Pane() {
        WNDCLASSW wc{0, HostProc, 0, 0, GetModuleHandleW(nullptr), nullptr, LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr,
                     L"ZevrinPlaylistBenchHost"};
        RegisterClassW(&wc);
        host = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 760, nullptr,
                               nullptr, wc.hInstance, nullptr);
        view = new CPlaylistView;
        view->SetToolPaths(Resources().Tools());
        if (!view->CreateView(host, 1, nullptr)) {
            std::fputs("the playlist view could not be created\n", stderr);
            std::exit(1);
        }
        MoveWindow(view->Hwnd(), 0, 0, 980, 720, FALSE);
        ShowWindow(host, SW_SHOW);
        ShowWindow(view->Hwnd(), SW_SHOW);
        view->RecalcLayout();
    }
    ~Pane() { DestroyWindow(host); }
};

// Names the inputs that did not become items and the items left without a picture: a shortfall
// under load is a fault to chase, not noise.
void ReportMissing(const std::vector<std::wstring>& clips, int count, const CPlaylistView& view) {
    std::map<std::wstring, int> expected;
    for (int i = 0; i < count; ++i) ++expected[clips[i % clips.size()]];
    for (int i = 0; i < view.GetItemCount(); ++i) {
        const CPlaylistItem* item = view.GetItem(i);
        --expected[item->path];
        if (item->thumbnail.IsEmpty()) std::printf("   no thumbnail: %ls\n", item->path.c_str());
    }
    for (const auto& [path, missing] : expected)
        if (missing > 0) std::printf("   not listed: %ls (%d of its copies)\n", path.c_str(), missing);
}

void LoadRun(const std::vector<std::wstring>& clips, int count) {
    Pane pane;
    double before = PrivateMb();
    g_longestWaitMs = 0;
    for (int i = 0; i < count; ++i) pane.view->AddPath(clips[i % clips.size()]);
    const auto start = Clock::now();
    pane.view->StartLoader();
    while (pane.view->IsLoaderRunning()) PumpOnce(pane.host);
    double listed = SecondsSince(start);
    int items = pane.view->GetItemCount();
    while (pane.view->IsExtracting()) PumpOnce(pane.host);
    double thumbnailed = SecondsSince(start);
    int pictures = 0;
    for (int i = 0; i < items; ++i) pictures += !pane.view->GetItem(i)->thumbnail.IsEmpty();
    ReportMissing(clips, count, *pane.view);
    std::printf("%5d items: listed after %6.1f s, all thumbnails after %6.1f s (%d items, %d thumbnails); "
                "longest message wait %.0f ms; %.1f KB per item with its thumbnail\n",
                count, listed, thumbnailed, items, pictures, g_longestWaitMs, (PrivateMb() - before) * 1024.0 / std::max(items, 1));
}

// Items with titles and durations but no thumbnails: what painting and the records cost.
void PaintRun(int count) {
    Pane pane;
    double before = PrivateMb();
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<CPlaylistItem>(L"C:\\media\\clip " + std::to_wstring(i) + L".3gp");
        item->title = L"A clip with a title long enough to wrap, number " + std::to_wstring(i);
        item->durationText = L"00:0" + std::to_wstring(i % 10) + L":12";
        item->kind = i % 3;
        pane.view->AddItem(std::move(item));
    }
    double perItemKb = (PrivateMb() - before) * 1024.0 / count;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    for (int style : {CGridListView::kGridStyle, CGridListView::kListStyle}) {
        pane.view->SetViewStyle(style);
        std::vector<double> times;
        for (int i = 0; i < 21; ++i) {
            // Half-way down, so that the first visible item is found by position, not at 0.
            pane.view->SendMessage(WM_VSCROLL, MAKEWPARAM(i % 2 ? SB_PAGEDOWN : SB_PAGEUP, 0));
            const auto start = Clock::now();
            RedrawWindow(pane.view->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            GdiFlush();
            times.push_back(SecondsSince(start) * 1000.0);
        }
        std::sort(times.begin(), times.end());
        std::printf("%5d items: paint of the %s %.2f ms (median of 21, 980x720)\n", count,
                    style == CGridListView::kGridStyle ? "grid" : "list", times[times.size() / 2]);
    }
    std::printf("%5d items: %.2f KB per item without a thumbnail\n", count, perItemKb);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputs("usage: zevrin_playlist_bench <clip folder> <Harlow folder> <scratch folder> [counts...]\n", stderr);
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures show as they come, through a pipe too
    const std::wstring harlow = argv[2];
    CAppSettings settings(L"Software\\Tresk\\ZevrinBench");  // never loaded, so never written
    settings.tempFolder = argv[3];
    settings.allowDuplicates = 1;
    settings.loadLastPlaylist = 0;
    CreateDirectoryW(settings.tempFolder.c_str(), nullptr);
    PublishSettings(&settings);
    CAppResources resources;
    resources.Init();
    resources.probeToolPath = harlow + L"\\Quorrin.exe";
    resources.encodeToolPath = harlow + L"\\Brannet.exe";
    resources.presetFolder = harlow + L"\\Presets";
    PublishResources(&resources);

    PaintRun(10000);
    const std::vector<std::wstring> clips = Clips(argv[1]);
    if (clips.empty()) return 1;
    for (int i = 4; i < argc; ++i) LoadRun(clips, _wtoi(argv[i]));
    std::fflush(stdout);
    return 0;
}
