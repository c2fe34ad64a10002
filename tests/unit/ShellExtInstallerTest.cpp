// The Explorer extension switch: handler keys counted and deleted under a private classes
// root, the registration tool asked for only when the library is there.
#include "services/AppInfo.h"
#include "system/ShellExtInstaller.h"
#include "RegistryFixture.h"
#include "ToolTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zevrin;

namespace {

class ShellExtInstallerTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        classes_ = fw::RegKey::Create(HKEY_CURRENT_USER, Root() + L"\\Classes");
    }
    CShellExtInstaller Installer() {
        return CShellExtInstaller(FolderOf(folder_ / L"x"), classes_.Get(), [this](const std::wstring& file, const std::wstring& params) {
            started_.push_back(file + L" " + params);
        });
    }
    void AddHandlerKey(const wchar_t* parent) { Key(fw::Format(L"Classes\\%s\\Tresk.Zevrin", parent)).WriteString(nullptr, L"{x}"); }
    bool Exists(const std::wstring& sub) const { return static_cast<bool>(fw::RegKey::Open(classes_.Get(), sub)); }

    zevrin::test::ScratchFolder folder_{L"shellext"};
    fw::RegKey classes_;
    std::vector<std::wstring> started_;
};

TEST_F(ShellExtInstallerTest, CountsOnlyTheHandlerKeysThatExist) {
    EXPECT_EQ(Installer().InstalledCount(), 0);
    AddHandlerKey(L"*\\ShellEx\\ContextMenuHandlers");
    EXPECT_EQ(Installer().InstalledCount(), 1);  // the page shows it checked
    Key(L"Classes\\Folder\\ShellEx\\ContextMenuHandlers\\Other.Handler");
    EXPECT_EQ(Installer().InstalledCount(), 1);
    AddHandlerKey(L"Folder\\ShellEx\\ContextMenuHandlers");
    EXPECT_EQ(Installer().InstalledCount(), 2);
}

TEST_F(ShellExtInstallerTest, InstallRunsTheRegistrationToolOnlyWhenTheLibraryIsThere) {
    CShellExtInstaller installer = Installer();
    EXPECT_EQ(installer.Install(), -1);
    EXPECT_EQ(installer.SetInstalled(1), -1);
    EXPECT_TRUE(started_.empty());

    std::wstring library = folder_ / L"Nobrel.dll";
    CloseHandle(CreateFileW(library.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_EQ(installer.Install(), 0);
    EXPECT_EQ(installer.SetInstalled(2), 0);  // every OK with the box checked runs it again
    ASSERT_EQ(started_.size(), 2u);
    EXPECT_EQ(started_[0], L"regsvr32.exe /s /c \"" + library + L"\"");
}

TEST_F(ShellExtInstallerTest, UninstallDeletesBothHandlerKeysEvenWithoutTheLibrary) {
    AddHandlerKey(L"*\\ShellEx\\ContextMenuHandlers");
    AddHandlerKey(L"Folder\\ShellEx\\ContextMenuHandlers");
    Key(L"Classes\\Folder\\ShellEx\\ContextMenuHandlers\\Other.Handler");
    CShellExtInstaller installer = Installer();
    EXPECT_EQ(installer.SetInstalled(0), 2);
    EXPECT_EQ(installer.InstalledCount(), 0);
    EXPECT_TRUE(started_.empty());
    // The parents and other handlers stay.
    EXPECT_TRUE(Exists(L"*\\ShellEx\\ContextMenuHandlers"));
    EXPECT_TRUE(Exists(L"Folder\\ShellEx\\ContextMenuHandlers\\Other.Handler"));
    EXPECT_EQ(installer.Uninstall(), 0);
}

} // namespace
