// Zevrin.exe from the install tree, started as a user starts it: the window shows, Escape ends
// the program, and the settings are in the registry afterwards.
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "ProgramRunner.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr wchar_t kRoot[] = L"Software\\Tresk\\Zevrin";

// Everything but the installer's AppFolder goes, so the program starts as on a first run.
void ResetProgramKeys() {
    for (const wchar_t* sub : {L"\\Settings", L"\\Recent", L"\\FileTypes"})
        fw::RegKey::DeleteTree(HKEY_CURRENT_USER, std::wstring(kRoot) + sub);
}

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        program_ = ProgramRunner::InstalledProgram();
        if (program_.empty()) GTEST_SKIP() << "Zevrin.exe is not installed (ZEVRIN_DIST)";
        ResetProgramKeys();
    }
    void TearDown() override { ResetProgramKeys(); }

    void Start(const std::wstring& arguments) { ASSERT_TRUE(runner_.Start(program_, arguments)); }
    HWND WaitForWindow(DWORD timeoutMs) { return runner_.WaitForWindow(timeoutMs); }
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) { return runner_.WaitForExit(timeoutMs, exitCode); }

    std::wstring program_;
    ProgramRunner runner_;
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
