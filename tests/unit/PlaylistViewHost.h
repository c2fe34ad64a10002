#pragma once
// The playlist view as the frame makes it, for the tests that drive it directly: settings read
// from the test's own registry root, the shared resources pointing at the real tools, both
// published as the application publishes them, and the view in a host window of its own.
#include "ToolTestSupport.h"

#include "framework/Registry.h"
#include "framework/Wnd.h"
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "ui/playlist/PlayViewLink.h"
#include "ui/playlist/PlaylistView.h"

#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <string>

namespace zevrin::test {

// The settings under `registryRoot`, with thumbnails written into `tempFolder`, loaded and published.
inline std::unique_ptr<CAppSettings> PublishTestSettings(const std::wstring& registryRoot,
                                                         const std::wstring& tempFolder) {
    fw::RegKey::Create(HKEY_CURRENT_USER, registryRoot + L"\\Settings").WriteString(L"TempFolder", tempFolder);
    auto settings = std::make_unique<CAppSettings>(registryRoot);
    settings->Load();
    PublishSettings(settings.get());
    return settings;
}

// The shared resources with the installed probe and encode tools (empty paths when there are
// none), published.
inline void PublishRealTools(CAppResources& resources) {
    resources.Init();
    resources.probeToolPath = HarlowTool(L"Quorrin.exe");
    resources.encodeToolPath = HarlowTool(L"Brannet.exe");
    PublishResources(&resources);
}

// A popup host window of class `hostClass` holding a new playlist view, linked to `playView` and
// given the published tools; the host is null when the view could not be made.
inline HWND OpenPlaylistView(const wchar_t* hostClass, IPlayViewLink& playView, CPlaylistView*& view) {
    const wchar_t* cls = fw::CWnd::RegisterClass(hostClass);
    HWND host = CreateWindowExW(0, cls, L"host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
    view = new CPlaylistView; // the window owns it once made
    view->SetPlayView(&playView);
    view->SetToolPaths(Resources().Tools());
    if (!view->CreateView(host, 1, nullptr)) {
        DestroyWindow(host);
        return nullptr;
    }
    return host;
}

// The items' file names without extension, in order, comma-separated (a clip's own title may
// differ).
inline std::wstring ItemNames(const CPlaylistView& view) {
    std::wstring order;
    for (int i = 0; i < view.GetItemCount(); ++i) {
        std::wstring name = PathFindFileNameW(view.GetItem(i)->path.c_str());
        order += (i ? L"," : L"") + name.substr(0, name.find_last_of(L'.'));
    }
    return order;
}

// Undoes the above: the host and its view first, then what was published.
inline void ClosePlaylistView(HWND& host, std::unique_ptr<CAppSettings>& settings) {
    if (host) DestroyWindow(host);
    host = nullptr;
    PublishSettings(nullptr);
    PublishResources(nullptr);
    settings.reset();
}

} // namespace zevrin::test
