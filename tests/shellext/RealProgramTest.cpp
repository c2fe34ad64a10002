// The whole road: the menu item of the registered extension starts the installed Zevrin.exe
// (AppFolder = the install tree) with a selected phone clip, and the clip plays in its window.
#include "../KeepOffline.h"
#include "../ScreenPixels.h"
#include "HostSupport.h"
#include "Nobrel_h.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace nobrel::test {
namespace {

struct FoundWindow {
    std::wstring title;
    HWND hwnd = nullptr;
};

HWND TopLevelTitled(const std::wstring& title) {
    FoundWindow found{title};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<FoundWindow*>(lp);
            wchar_t text[256] = L"";
            GetWindowTextW(hwnd, text, 256);
            if (!IsWindowVisible(hwnd) || f->title != text) return TRUE;
            f->hwnd = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.hwnd;
}

HWND DescendantOfClass(HWND parent, const wchar_t* prefix) {
    struct Search {
        const wchar_t* prefix;
        HWND found = nullptr;
    } search{prefix};
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t name[128] = L"";
            GetClassNameW(hwnd, name, 128);
            if (std::wstring(name).rfind(s->prefix, 0) != 0) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The pixels of a window's rectangle as the screen shows them.
std::vector<DWORD> Pixels(HWND hwnd) { return zevrin::test::ScreenPixels(hwnd); }

bool Lit(const std::vector<DWORD>& pixels) {
    size_t lit = 0;
    for (DWORD p : pixels)
        if ((p & 0xFF) > 40 || ((p >> 8) & 0xFF) > 40 || ((p >> 16) & 0xFF) > 40) ++lit;
    return lit > pixels.size() / 4;
}

TEST(RealProgram, ChoosingTheItemPlaysTheSelectedClipInTheInstalledProgram) {
    const std::wstring dist = EnvironmentPath("NOBREL_DIST");
    const std::wstring clip = EnvironmentPath("NOBREL_CLIP");
    if (dist.empty() || clip.empty()) GTEST_SKIP() << "no install tree or clip (NOBREL_DIST, NOBREL_CLIP)";
    ASSERT_EQ(Regsvr32(L"/s", dist + L"\\Nobrel.dll"), 0);
    SetAppFolder(dist);
    ASSERT_TRUE(zevrin::test::KeepUpdateCheckOffline());

    Ref<IShellExtInit> init;
    ASSERT_EQ(CoCreateInstance(CLSID_MyContextMenu, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                               reinterpret_cast<void**>(init.Out())),
              S_OK);
    Ref<IDataObject> data(NewDropObject({clip}));
    ASSERT_EQ(init->Initialize(nullptr, data.Get(), nullptr), S_OK);
    Ref<IContextMenu> menu = init.As<IContextMenu>(IID_IContextMenu);
    HMENU popup = CreatePopupMenu();
    ASSERT_EQ(menu->QueryContextMenu(popup, 0, 1, 100, CMF_NORMAL), HRESULT(1));
    DestroyMenu(popup);
    CMINVOKECOMMANDINFO info{sizeof(info)};
    info.lpVerb = MAKEINTRESOURCEA(0);
    info.nShow = SW_SHOWNORMAL;
    ASSERT_EQ(menu->InvokeCommand(&info), S_OK);

    // The title names the clip (its file name without the extension) as item 1 of 1.
    std::wstring stem = clip.substr(clip.find_last_of(L'\\') + 1);
    stem.erase(stem.find_last_of(L'.'));
    HWND frame = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (frame = TopLevelTitled(stem + L" - 1/1")) != nullptr; }, 60000))
        << "no Zevrin window playing " << Utf8(stem);
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    HWND render = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (render = DescendantOfClass(frame, L"ZevrinRender")) && Lit(Pixels(render)); }, 20000))
        << "no picture";
    if (render) {
        const std::vector<DWORD> first = Pixels(render);
        EXPECT_TRUE(WaitUntil([&] { return Pixels(render) != first; }, 5000)) << "the picture does not move";
    }
    PostMessageW(frame, WM_CLOSE, 0, 0);
    if (process) {
        if (WaitForSingleObject(process, 15000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "Zevrin did not close";
            TerminateProcess(process, 1);
        }
        CloseHandle(process);
    }
}

} // namespace
} // namespace nobrel::test
