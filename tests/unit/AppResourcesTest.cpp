#include "services/AppInfo.h"
#include "services/AppResources.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

bool IsFile(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

int FontHeight(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    return lf.lfHeight;
}

TEST(AppResources, FontsCursorAndBarImagesAreBuilt) {
    zevrin::CAppResources r;
    EXPECT_EQ(r.Init(), 0);
    ASSERT_TRUE(r.normalFont && r.underlineFont && r.boldFont && r.largeFont);
    EXPECT_TRUE(r.handCursor);
    ASSERT_TRUE(r.buttonImages);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(r.buttonImages.Get(), &cx, &cy);
    EXPECT_EQ(cx, 8);
    EXPECT_EQ(cy, 60);
    EXPECT_NE(r.SmallSystemImages(), nullptr);
    EXPECT_NE(r.LargeSystemImages(), nullptr);
    EXPECT_GT(r.osVersion.dwMajorVersion, 4u);

    LOGFONTW normal{}, bold{};
    GetObjectW(r.normalFont.Get(), sizeof(normal), &normal);
    GetObjectW(r.boldFont.Get(), sizeof(bold), &bold);
    EXPECT_STREQ(normal.lfFaceName, L"Tahoma");
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(bold.lfUnderline, 0);
    // One third larger, on the signed height: -11 becomes -14.
    EXPECT_EQ(FontHeight(r.largeFont.Get()), normal.lfHeight + normal.lfHeight / 3);
}

TEST(AppResources, ATahomaDefaultFontKeepsItsHeightAnyOtherBecomesTahoma11) {
    LOGFONTW stock{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    LOGFONTW lf = zevrin::ProgramLogFont();
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfHeight, wcscmp(stock.lfFaceName, L"Tahoma") == 0 ? stock.lfHeight : -11);
}

// An installed tool is named by its full path; a missing one by its bare name, so that the
// failure shows when it is started.
TEST(AppResources, ToolPathsComeFromTheInstallFolderOrAreBareNames) {
    zevrin::CAppResources r;
    r.Init();
    std::wstring harlow = zevrin::AppFolder() + L"\\Harlow\\";
    for (auto [path, name] : {std::pair{r.playToolPath, L"Vistrel.exe"}, std::pair{r.probeToolPath, L"Quorrin.exe"},
                              std::pair{r.encodeToolPath, L"Brannet.exe"}}) {
        if (IsFile(harlow + name))
            EXPECT_EQ(path, harlow + name);
        else
            EXPECT_EQ(path, name);
    }
    EXPECT_EQ(r.presetFolder, zevrin::FolderOf(r.encodeToolPath) + L"\\Presets");
}

TEST(AppInfo, FoldersOfTheProgram) {
    EXPECT_TRUE(IsFile(zevrin::ModulePath()));
    std::wstring data = zevrin::UserDataFolder();
    EXPECT_TRUE(data.ends_with(L"\\Tresk\\Zevrin")) << std::string(data.begin(), data.end());
    EXPECT_NE(GetFileAttributesW(data.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(zevrin::FolderOf(L"C:\\a\\b.exe"), L"C:\\a");
    EXPECT_EQ(zevrin::FolderOf(L"b.exe"), L"");
}

} // namespace
