// What the library file itself carries: the five entry points by name and by ordinals 1 to 5,
// the version, the project name, the type library, both scripts and the menu bitmap; and the
// interface's own proxy/stub at work between two apartments.
#include "HostSupport.h"
#include "Nobrel_h.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <thread>

namespace nobrel::test {
namespace {

TEST(LibraryFile, ExportsVersionAndResourcesAreTheOnesRegistrationAndExplorerExpect) {
    const std::wstring library = InstalledLibrary();
    ASSERT_FALSE(library.empty());
    HMODULE module = LoadLibraryExW(library.c_str(), nullptr, 0);
    ASSERT_NE(module, nullptr);
    const char* names[] = {"DllCanUnloadNow", "DllGetClassObject", "DllInstall", "DllRegisterServer", "DllUnregisterServer"};
    for (WORD ordinal = 1; ordinal <= 5; ++ordinal) {
        FARPROC byName = GetProcAddress(module, names[ordinal - 1]);
        EXPECT_NE(byName, nullptr) << names[ordinal - 1];
        EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)), byName) << "ordinal " << ordinal;
    }
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(6)), nullptr);

    wchar_t project[32] = L"";
    LoadStringW(module, 100, project, 32);
    EXPECT_STREQ(project, L"Nobrel");
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB"), nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(101), L"REGISTRY"), nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(102), L"REGISTRY"), nullptr);
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(201), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib{};
    ASSERT_TRUE(GetObjectW(bitmap, sizeof(dib), &dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 16);
    EXPECT_EQ(dib.dsBm.bmHeight, 16);
    EXPECT_EQ(dib.dsBmih.biBitCount, 24);
    DeleteObject(bitmap);
    FreeLibrary(module);

    // The version resource.
    DWORD ignored = 0;
    std::vector<BYTE> version(GetFileVersionInfoSizeW(library.c_str(), &ignored));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(GetFileVersionInfoW(library.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00030000u);
    auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT chars = 0;
        std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        return VerQueryValueW(version.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars) ? std::wstring(value)
                                                                                                        : std::wstring();
    };
    EXPECT_EQ(text(L"FileDescription"), L"Windows Shell Extension");
    EXPECT_EQ(text(L"InternalName"), L"Nobrel.dll");
    EXPECT_EQ(text(L"OriginalFilename"), L"Nobrel.dll");
    EXPECT_EQ(text(L"FileVersion"), L"3.0.0.0");
    EXPECT_EQ(text(L"ProductVersion"), L"3.0.0.0");
}

TEST(LibraryFile, TheInterfaceCrossesApartmentsThroughItsOwnProxy) {
    ASSERT_EQ(Regsvr32(L"/s", InstalledLibrary()), 0);
    Ref<IMyContextMenu> object;
    ASSERT_EQ(CoCreateInstance(CLSID_MyContextMenu, nullptr, CLSCTX_INPROC_SERVER, IID_IMyContextMenu,
                               reinterpret_cast<void**>(object.Out())),
              S_OK);
    IStream* stream = nullptr;
    ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID_IMyContextMenu, object.Get(), &stream), S_OK);

    // Another apartment calls through the proxy while this one serves the calls.
    HRESULT unmarshalled = E_FAIL, called = E_FAIL;
    UINT count = 0;
    bool sameObject = true;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        IMyContextMenu* proxy = nullptr;
        unmarshalled = CoGetInterfaceAndReleaseStream(stream, IID_IMyContextMenu, reinterpret_cast<void**>(&proxy));
        if (proxy) {
            sameObject = proxy == object.Get();
            called = proxy->GetTypeInfoCount(&count);
            proxy->Release();
        }
        CoUninitialize();
        SetEvent(done);
    });
    for (;;) {
        DWORD wait = MsgWaitForMultipleObjects(1, &done, FALSE, 20000, QS_ALLINPUT);
        if (wait != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    other.join();
    CloseHandle(done);
    EXPECT_EQ(unmarshalled, S_OK);
    EXPECT_FALSE(sameObject) << "a proxy, not the object itself";
    EXPECT_EQ(called, S_OK);
    EXPECT_EQ(count, 1u);
}

} // namespace
} // namespace nobrel::test
