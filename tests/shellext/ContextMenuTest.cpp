// The context-menu object driven as Explorer drives it, created through the machine-wide
// registration: Initialize with a CF_HDROP data object, QueryContextMenu, GetCommandString,
// InvokeCommand with and without Shift. A stand-in Zevrin.exe in the folder AppFolder names
// reports the command line it was started with; the last case starts the installed program.
#include "HostSupport.h"
#include "Nobrel_h.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <functional>

namespace nobrel::test {
namespace {

// Whether AppFolder's data, as read back, end in a terminator.
bool ReadsBackTerminated() {
    wchar_t data[2048] = {};
    DWORD type = 0, bytes = sizeof(data);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kZevrinKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    LONG error = RegQueryValueExW(key, L"AppFolder", nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes);
    RegCloseKey(key);
    return error == ERROR_SUCCESS && bytes >= 2 && data[bytes / 2 - 1] == L'\0';
}

class ExplorerHost : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Regsvr32(L"/s", InstalledLibrary());
        appFolder_ = WorkFolder() + L"\\Zevrin stand-in";
        CreateDirectoryW(appFolder_.c_str(), nullptr);
        CopyFileW(StandInProgram().c_str(), (appFolder_ + L"\\Zevrin.exe").c_str(), FALSE);
    }

    void SetUp() override {
        ASSERT_FALSE(InstalledLibrary().empty() || StandInProgram().empty() || WorkFolder().empty())
            << "run by nobrel-in-throwaway-prefix.sh";
        SetAppFolder(appFolder_);
        DeleteFileW(Report().c_str());
        HoldShift(false);
        ASSERT_EQ(CoCreateInstance(CLSID_MyContextMenu, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                   reinterpret_cast<void**>(init_.Out())),
                  S_OK);
        menuObject_ = init_.As<IContextMenu>(IID_IContextMenu);
        ASSERT_NE(menuObject_.Get(), nullptr);
    }
    void TearDown() override { HoldShift(false); }

    static std::wstring Report() { return appFolder_ + L"\\command-line.txt"; }
    static std::wstring Program() { return appFolder_ + L"\\Zevrin.exe"; }

    HRESULT Select(const std::vector<std::wstring>& paths, bool withDrop = true) {
        Ref<IDataObject> data(NewDropObject(paths, withDrop));
        return init_->Initialize(nullptr, data.Get(), nullptr);
    }
    HRESULT Invoke(bool shift, LPCSTR verb = MAKEINTRESOURCEA(0)) {
        CMINVOKECOMMANDINFO info{sizeof(info)};
        info.lpVerb = verb;
        info.nShow = SW_SHOWNORMAL;
        HoldShift(shift);
        HRESULT hr = menuObject_->InvokeCommand(&info);
        HoldShift(false);
        return hr;
    }
    // The command line the stand-in was started with, after the program's quoted path and a blank;
    // "<not started>" when it did not report within the time.
    std::wstring StartedWith(DWORD timeoutMs = 20000) {
        if (!WaitUntil([] { return GetFileAttributesW(Report().c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs))
            return L"<not started>";
        std::wstring line = ReadUtf8File(Report());
        DeleteFileW(Report().c_str());
        if (line == L"\"" + Program() + L"\"") return L"";  // no parameters
        const std::wstring head = L"\"" + Program() + L"\" ";
        if (line.rfind(head, 0) != 0) return L"<unexpected> " + line;
        return line.substr(head.size());
    }
    bool NothingStarted() { return StartedWith(500) == L"<not started>"; }

    static inline std::wstring appFolder_;
    Ref<IShellExtInit> init_;
    Ref<IContextMenu> menuObject_;
};

TEST_F(ExplorerHost, ChoosingTheItemStartsTheProgramWithTheQuotedSelectionAndSlashSWithShift) {
    const std::wstring work = WorkFolder();
    const std::wstring a = work + L"\\a.3gp", b = work + L"\\b b.mp4";
    ASSERT_EQ(Select({a, b, work}), S_OK);
    HMENU menu = CreatePopupMenu();
    ASSERT_EQ(menuObject_->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
    char help[10 * sizeof(wchar_t)];
    ASSERT_EQ(menuObject_->GetCommandString(0, GCS_HELPTEXTW, nullptr, help, 10), S_OK);
    EXPECT_STREQ(reinterpret_cast<wchar_t*>(help), L"Play sele");
    ASSERT_EQ(Invoke(false), S_OK);
    EXPECT_EQ(StartedWith(), L"\"" + a + L"\" \"" + b + L"\" \"" + work + L"\" ");
    DestroyMenu(menu);

    // A successful run empties the list: a second choice without a new selection starts it bare.
    ASSERT_EQ(Invoke(false), S_OK);
    EXPECT_EQ(StartedWith(), L"");

    ASSERT_EQ(Select({work}), S_OK);
    ASSERT_EQ(Invoke(true), S_OK);
    EXPECT_EQ(StartedWith(), L"\"" + work + L"\"  /s");
    ASSERT_EQ(Select({}), S_OK);
    ASSERT_EQ(Invoke(true), S_OK);
    EXPECT_EQ(StartedWith(), L" /s");
}

TEST_F(ExplorerHost, TheMenuGetsOneItemWithItsBitmapAndOnlyTheHelpTextIsOffered) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"Open");
    AppendMenuW(menu, MF_STRING, 2, L"Delete");
    EXPECT_EQ(menuObject_->QueryContextMenu(menu, 0, 100, 200, CMF_DEFAULTONLY), S_OK);
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(menuObject_->QueryContextMenu(menu, 0, 201, 200, CMF_NORMAL), S_OK) << "no id left to use";
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    ASSERT_EQ(menuObject_->QueryContextMenu(menu, 1, 100, 200, CMF_NORMAL), HRESULT(1));
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    wchar_t text[64] = L"";
    MENUITEMINFOW item{sizeof(item)};
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_CHECKMARKS | MIIM_FTYPE;
    item.dwTypeData = text;
    item.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &item));
    EXPECT_STREQ(text, L"Play with Zevrin");
    EXPECT_EQ(item.wID, 100u);
    EXPECT_NE(item.hbmpUnchecked, nullptr);
    EXPECT_EQ(item.hbmpChecked, item.hbmpUnchecked);
    BITMAP bitmap{};
    ASSERT_TRUE(GetObjectW(item.hbmpUnchecked, sizeof(bitmap), &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 16);
    EXPECT_EQ(bitmap.bmHeight, 16);
    // A position past the end appends, with the bitmap on the new item.
    ASSERT_EQ(menuObject_->QueryContextMenu(menu, 0xFFFFFFFF, 300, 300, CMF_NORMAL), HRESULT(1));
    item.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 3, TRUE, &item));
    EXPECT_EQ(item.wID, 300u);
    EXPECT_NE(item.hbmpUnchecked, nullptr);
    DestroyMenu(menu);

    char narrow[10];
    std::memset(narrow, 'x', sizeof(narrow));
    ASSERT_EQ(menuObject_->GetCommandString(0, GCS_HELPTEXTA, nullptr, narrow, 10), S_OK);
    EXPECT_STREQ(narrow, "Play sele");
    wchar_t wide[64];
    ASSERT_EQ(menuObject_->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wide), 64), S_OK);
    EXPECT_STREQ(wide, L"Play selected files with Zevrin");
    wide[0] = L'z';
    EXPECT_EQ(menuObject_->GetCommandString(0, GCS_VALIDATEW, nullptr, reinterpret_cast<char*>(wide), 64), S_OK);
    EXPECT_EQ(menuObject_->GetCommandString(0, GCS_VALIDATEA, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(wide[0], L'z') << "validation writes nothing";
    for (UINT type : {UINT(GCS_VERBA), UINT(GCS_VERBW), 3u, 7u})
        EXPECT_EQ(menuObject_->GetCommandString(0, type, nullptr, reinterpret_cast<char*>(wide), 64), E_INVALIDARG) << type;
    EXPECT_EQ(menuObject_->GetCommandString(1, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wide), 64), E_INVALIDARG);
    // A buffer of no characters has no room even for the terminator.
    EXPECT_EQ(menuObject_->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wide), 0), E_INVALIDARG);
    EXPECT_EQ(menuObject_->GetCommandString(0, GCS_HELPTEXTA, nullptr, nullptr, 10), E_INVALIDARG);
}

TEST_F(ExplorerHost, NothingStartsForAStrangeVerbOrAnAppFolderThatDoesNotLeadToTheProgram) {
    ASSERT_EQ(Select({WorkFolder()}), S_OK);
    EXPECT_EQ(Invoke(false, "open"), E_INVALIDARG);
    EXPECT_EQ(Invoke(false, MAKEINTRESOURCEA(1)), E_INVALIDARG);
    EXPECT_EQ(menuObject_->InvokeCommand(nullptr), E_INVALIDARG);
    EXPECT_TRUE(NothingStarted());

    const std::wstring folder = appFolder_;
    const DWORD whole = static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t));
    const DWORD number = 7;
    const std::wstring tooLong = folder + L"\\" + std::wstring(1100 - folder.size(), L'x');
    const std::wstring multi = folder + L'\0' + L"C:\\elsewhere" + L'\0' + L'\0';
    struct Case {
        const char* what;
        std::function<void()> set;
    } cases[] = {
        {"value missing", [] { RegDeleteKeyValueW(HKEY_CURRENT_USER, kZevrinKey, L"AppFolder"); }},
        {"a number", [&] { SetAppFolder(REG_DWORD, &number, sizeof(number)); }},
        {"binary", [&] { SetAppFolder(REG_BINARY, folder.c_str(), whole); }},
        {"empty", [] { SetAppFolder(L""); }},
        {"not terminated", [&] { SetAppFolder(REG_SZ, folder.c_str(), whole - sizeof(wchar_t)); }},
        {"longer than the buffer", [&] { SetAppFolder(tooLong); }},
        {"a folder without Zevrin.exe", [&] { SetAppFolder(WorkFolder()); }},
        {"a missing folder", [&] { SetAppFolder(WorkFolder() + L"\\nowhere"); }},
    };
    for (const Case& c : cases) {
        c.set();
        if (std::string(c.what) == "not terminated" && ReadsBackTerminated()) {
            std::printf("AppFolder not terminated: the registry hands it back terminated; left to NobrelPieces\n");
            continue;
        }
        ASSERT_EQ(Select({WorkFolder()}), S_OK);
        EXPECT_EQ(Invoke(false), E_INVALIDARG) << c.what;
        EXPECT_TRUE(NothingStarted()) << c.what;
    }
    // Only the current user's value counts.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kZevrinKey, L"AppFolder");
    HKEY machine = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kZevrinKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine, nullptr);
    RegSetValueExW(machine, L"AppFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()), whole);
    RegCloseKey(machine);
    EXPECT_EQ(Invoke(false), E_INVALIDARG);
    EXPECT_TRUE(NothingStarted());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Tresk");

    // A multi-string is taken up to its first terminator; an expandable one as it is written.
    SetAppFolder(REG_MULTI_SZ, multi.c_str(), static_cast<DWORD>(multi.size() * sizeof(wchar_t)));
    ASSERT_EQ(Invoke(false), S_OK);
    EXPECT_EQ(StartedWith(), L"\"" + WorkFolder() + L"\" ");
    SetAppFolder(REG_EXPAND_SZ, folder.c_str(), whole);
    ASSERT_EQ(Invoke(false), S_OK);
    EXPECT_EQ(StartedWith(), L"");
}

TEST_F(ExplorerHost, LargeEmptyAndForeignSelections) {
    // Thousands of paths: whole quoted paths only, as many as the parameter buffer takes.
    std::vector<std::wstring> many;
    for (int i = 0; i < 3000; ++i) many.push_back(WorkFolder() + L"\\clip " + std::to_wstring(i) + L".3gp");
    ASSERT_EQ(Select(many), S_OK);
    ASSERT_EQ(Invoke(false), S_OK);
    const std::wstring line = StartedWith();
    ASSERT_NE(line, L"<not started>");
    size_t pos = 0;
    int whole = 0;
    for (; pos < line.size(); ++whole) {
        const std::wstring quoted = L"\"" + many[static_cast<size_t>(whole)] + L"\" ";
        ASSERT_EQ(line.compare(pos, quoted.size(), quoted), 0) << "path " << whole;
        pos += quoted.size();
    }
    // Whole paths up to the most a program's command line holds (32,767 characters).
    const size_t commandLine = Program().size() + 3 + line.size() + 1;
    EXPECT_LE(commandLine, 32767u);
    EXPECT_GT(commandLine + many[static_cast<size_t>(whole)].size() + 3, 32767u) << "stopped early";

    // Paths of 1,022 characters pass; 1,023 would have been cut, so such a path is left out.
    const std::wstring fits = WorkFolder() + L"\\" + std::wstring(1021 - WorkFolder().size(), L'f');
    const std::wstring tooLong = fits + L"g";
    ASSERT_EQ(fits.size(), 1022u);
    ASSERT_EQ(Select({fits, tooLong, WorkFolder()}), S_OK);
    ASSERT_EQ(Invoke(false), S_OK);
    EXPECT_EQ(StartedWith(), L"\"" + fits + L"\" \"" + WorkFolder() + L"\" ");

    // A data object without CF_HDROP, a missing one or a malformed block: refused, selection kept.
    ASSERT_EQ(Select({WorkFolder()}), S_OK);
    EXPECT_EQ(Select({L"C:\\other"}, false), E_INVALIDARG);
    EXPECT_EQ(init_->Initialize(nullptr, nullptr, nullptr), E_INVALIDARG);
    Ref<IDataObject> malformed(NewRawDropObject({20, 0, 0, 0, 1, 2}));
    EXPECT_EQ(init_->Initialize(nullptr, malformed.Get(), nullptr), E_INVALIDARG);
    ASSERT_EQ(Invoke(false), S_OK);
    EXPECT_EQ(StartedWith(), L"\"" + WorkFolder() + L"\" ");
}

TEST_F(ExplorerHost, TheObjectAnswersItsInterfacesAggregatesAndServesItsTypeInformation) {
    Ref<IUnknown> unknown = init_.As<IUnknown>(IID_IUnknown);
    for (REFIID iid : {IID_IMyContextMenu, IID_IDispatch, IID_IShellExtInit, IID_IContextMenu}) {
        Ref<IUnknown> other;
        ASSERT_EQ(unknown->QueryInterface(iid, reinterpret_cast<void**>(other.Out())), S_OK);
        EXPECT_EQ(other.As<IUnknown>(IID_IUnknown).Get(), unknown.Get()) << "one identity";
    }
    Ref<IUnknown> none;
    EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(none.Out())), E_NOINTERFACE);

    Ref<IDispatch> dispatch = init_.As<IDispatch>(IID_IDispatch);
    UINT count = 0;
    ASSERT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    Ref<ITypeInfo> info;
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.Out()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_IMyContextMenu));
    info->ReleaseTypeAttr(attributes);
    LPOLESTR name = const_cast<LPOLESTR>(L"Play");
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), DISP_E_UNKNOWNNAME);
    DISPPARAMS none0{};
    EXPECT_EQ(dispatch->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &none0, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);

    // Aggregated: the inner object hands out its interfaces, which answer to the outer identity.
    struct Outer : IUnknown {
        IUnknown* inner = nullptr;
        LONG refs = 1;
        STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
            if (IsEqualIID(iid, IID_IUnknown)) {
                *object = this;
                AddRef();
                return S_OK;
            }
            return inner->QueryInterface(iid, object);
        }
        STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
        STDMETHODIMP_(ULONG) Release() override { return --refs; }
    } outer;
    Ref<IUnknown> bad;
    EXPECT_EQ(CoCreateInstance(CLSID_MyContextMenu, &outer, CLSCTX_INPROC_SERVER, IID_IContextMenu,
                               reinterpret_cast<void**>(bad.Out())),
              CLASS_E_NOAGGREGATION);
    ASSERT_EQ(CoCreateInstance(CLSID_MyContextMenu, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&outer.inner)),
              S_OK);
    IContextMenu* viaOuter = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&viaOuter)), S_OK);
    const LONG before = outer.refs;
    viaOuter->AddRef();
    EXPECT_EQ(outer.refs, before + 1) << "references go to the outer object";
    viaOuter->Release();
    IUnknown* identity = nullptr;
    viaOuter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    identity->Release();
    viaOuter->Release();
    EXPECT_EQ(outer.inner->Release(), 0u);

    // The library stays while objects or server locks hold it.
    HMODULE module = GetModuleHandleW(L"Nobrel.dll");
    ASSERT_NE(module, nullptr);
    using CanUnload = HRESULT(WINAPI*)();
    auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    EXPECT_EQ(canUnload(), S_FALSE);
    dispatch.Reset();
    info.Reset();
    menuObject_.Reset();
    init_.Reset();
    unknown.Reset();
    EXPECT_EQ(canUnload(), S_OK);
    Ref<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_MyContextMenu, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(factory.Out())),
              S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(canUnload(), S_FALSE);
    ASSERT_EQ(CoGetClassObject(CLSID_MyContextMenu, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(factory.Out())),
              S_OK);
    factory->LockServer(FALSE);
}

} // namespace
} // namespace nobrel::test
