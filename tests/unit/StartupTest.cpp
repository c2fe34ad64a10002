// Zevrin.exe from the install tree, started as a user starts it: the window shows, Escape ends
// the program, and the settings are in the registry afterwards.
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr wchar_t kRoot[] = L"Software\\Tresk\\Zevrin";

std::wstring InstalledProgram() {
    const char* dist = std::getenv("ZEVRIN_DIST");
    if (!dist) return {};
    std::wstring path = L"Z:" + fw::FromCodePage(dist, CP_UTF8) + L"/Zevrin.exe";
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// Everything but the installer's AppFolder goes, so the program starts as on a first run.
void ResetProgramKeys() {
    for (const wchar_t* sub : {L"\\Settings", L"\\Recent", L"\\FileTypes"})
        fw::RegKey::DeleteTree(HKEY_CURRENT_USER, std::wstring(kRoot) + sub);
}

struct FoundWindow {
    DWORD pid;
    HWND hwnd;
};

HWND MainWindowOf(DWORD pid) {
    FoundWindow found{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<FoundWindow*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != f->pid || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
            f->hwnd = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.hwnd;
}

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        program_ = InstalledProgram();
        if (program_.empty() || GetFileAttributesW(program_.c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
    }
    void TearDown() override {
        if (process_) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), 5000);
        }
        ResetProgramKeys();
    }

    void Start(const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + program_ + L"\" " + arguments;
        STARTUPINFOW si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &si, &pi));
        CloseHandle(pi.hThread);
        process_.Reset(pi.hProcess);
        pid_ = pi.dwProcessId;
    }

    HWND WaitForWindow(DWORD timeoutMs) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
            if (HWND hwnd = MainWindowOf(pid_)) return hwnd;
            if (WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0) break;
        }
        return nullptr;
    }

    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
        if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
        GetExitCodeProcess(process_.Get(), &exitCode);
        process_.Reset();
        return true;
    }

    std::wstring program_;
    fw::UniqueKernelHandle process_;
    DWORD pid_ = 0;
};

TEST_F(StartupTest, WindowShowsAndEscapeEndsTheProgramWithTheSettingsSaved) {
    auto settings = fw::RegKey::Create(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings");
    settings.WriteDword(L"MaxRecentFiles", 50);
    settings.WriteDword(L"Thumbnail.cx", 500);
    settings.WriteDword(L"Volume", 40);

    Start(L"-fullscreen \"C:\\no such folder\\clip.3gp\" /s");
    HWND frame = WaitForWindow(30000);
    ASSERT_NE(frame, nullptr) << "no main window appeared";
    wchar_t title[64] = L"";
    GetWindowTextW(frame, title, 64);
    EXPECT_STREQ(title, L"Zevrin");

    // Centred on the screen.
    RECT rc;
    GetWindowRect(frame, &rc);
    EXPECT_NEAR((rc.left + rc.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);

    PostMessageW(frame, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    DWORD exitCode = 99;
    ASSERT_TRUE(WaitForExit(10000, exitCode)) << "Escape did not end the program";
    EXPECT_EQ(exitCode, 0u);

    auto saved = fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings");
    EXPECT_EQ(saved.ReadDword(L"MaxRecentFiles").value_or(0), 30u);
    EXPECT_EQ(saved.ReadDword(L"Thumbnail.cx").value_or(0), 160u);
    EXPECT_EQ(saved.ReadDword(L"Thumbnail.cy").value_or(0), 90u);
    EXPECT_EQ(saved.ReadDword(L"Volume").value_or(0), 40u);
    EXPECT_EQ(saved.ReadDword(L"Layout").value_or(0), 2u);
    auto type = fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\FileTypes\\.3gp");
    EXPECT_EQ(type.ReadString(L"Name").value_or(L""), L"3GP Video");
    EXPECT_EQ(fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\FileTypes").SubKeyNames().size(), 23u);
}

TEST_F(StartupTest, ClosingTheWindowEndsTheProgramCleanly) {
    Start(L"");
    HWND frame = WaitForWindow(30000);
    ASSERT_NE(frame, nullptr);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(WaitForExit(10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\Settings").ReadDword(L"ViewStyle"));
}

} // namespace
