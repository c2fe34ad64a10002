#include "ui/playlist/PlaylistView.h"

#include "app/AppResources.h"
#include "app/ZevrinApp.h"
#include "framework/Document.h"

#include <shellapi.h>
#include <shlwapi.h>

namespace zevrin {

namespace {
constexpr COLORREF kBackground = RGB(0x10, 0x10, 0x10);
constexpr COLORREF kText = RGB(0xC0, 0xC0, 0xC0);
} // namespace

LRESULT CPlaylistView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CPlaylistView> messages[] = {
        {WM_ERASEBKGND, &CPlaylistView::OnEraseBackground},
        {WM_DROPFILES, &CPlaylistView::OnDropFiles},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CView::WindowProc(message, wParam, lParam);
}

// Opened with a file (a recent entry, the shell), the pane shows that file; the command line
// of the first start is put in by the application afterwards.
void CPlaylistView::OnInitialUpdate() {
    CZevrinApp* app = CZevrinApp::Get();
    if (app && !app->startEmpty && Document() && !Document()->PathName().empty()) {
        OpenCommandLinePaths(*this, {Document()->PathName()});
    }
}

void CPlaylistView::RemoveAll() {
    pendingPaths_.clear();
    Invalidate();
}

int CPlaylistView::AddPath(const std::wstring& path) {
    pendingPaths_.push_back(path);
    return 1;
}

int CPlaylistView::AddFolder(const std::wstring& folder, const std::wstring& patterns, bool recurse) {
    int added = 0;
    WIN32_FIND_DATAW data;
    fw::UniqueFindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find) return 0;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (recurse) added += AddFolder(path, patterns, recurse);
        } else if (patterns == L"*" || PathMatchSpecW(name.c_str(), patterns.c_str())) {
            added += AddPath(path);
        }
    } while (FindNextFileW(find.Get(), &data));
    return added;
}

LRESULT CPlaylistView::OnEraseBackground(WPARAM wParam, LPARAM) {
    RECT rc = ClientRect();
    SetBkColor(reinterpret_cast<HDC>(wParam), kBackground);
    ExtTextOutW(reinterpret_cast<HDC>(wParam), 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    return 1;
}

void CPlaylistView::OnDraw(HDC dc) {
    HGDIOBJ oldFont = SelectObject(dc, Resources().normalFont ? Resources().normalFont.Get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kText);
    int y = 8;
    for (const std::wstring& path : pendingPaths_) {
        TextOutW(dc, 8, y, path.c_str(), static_cast<int>(path.size()));
        y += 16;
    }
    SelectObject(dc, oldFont);
}

LRESULT CPlaylistView::OnDropFiles(WPARAM wParam, LPARAM) {
    auto drop = reinterpret_cast<HDROP>(wParam);
    std::vector<std::wstring> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[1025];
        if (DragQueryFileW(drop, i, path, 1025)) paths.emplace_back(path);
    }
    DragFinish(drop);
    OpenCommandLinePaths(*this, paths);
    return 0;
}

} // namespace zevrin
