#include "services/RecentList.h"
#include "framework/CmdUI.h"
#include "framework/Handles.h"
#include "RegistryFixture.h"
#include "res/resource.h"

#include <string>

using zevrin::CRecentList;

namespace {

class RecentListTest : public RegistryTest {
protected:
    CRecentList List(int max) {
        CRecentList list;
        list.Setup(Root(), L"Recent\\Files", max, ID_RECENT_FILE_FIRST);
        return list;
    }
};

TEST_F(RecentListTest, AddingAKnownPathInOtherCaseMovesItToTheTop) {
    CRecentList list = List(10);
    list.Add(L"C:\\Clips\\a.3gp");
    list.Add(L"C:\\Clips\\b.3gp");
    list.Add(L"  c:\\CLIPS\\A.3GP  ");
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list.Entries()[0], L"c:\\CLIPS\\A.3GP");
    EXPECT_EQ(list.Entries()[1], L"C:\\Clips\\b.3gp");
}

TEST_F(RecentListTest, EmptyPathsAreIgnoredAndTheListIsCutAtItsLength) {
    CRecentList list = List(3);
    list.Add(L"   ");
    list.Add(L"");
    EXPECT_EQ(list.Size(), 0u);
    for (int i = 0; i < 5; ++i) list.Add(fw::Format(L"C:\\%d.3gp", i));
    ASSERT_EQ(list.Size(), 3u);
    EXPECT_EQ(list.Entries()[0], L"C:\\4.3gp");
    EXPECT_EQ(list.Entries()[2], L"C:\\2.3gp");
}

TEST_F(RecentListTest, TwoSpellingsOfOneFileAreTheSameEntry) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"zevrin-recent";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring file = folder + L"\\clip one.3gp";
    fw::UniqueFile(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    EXPECT_TRUE(zevrin::SamePath(file, folder + L"\\.\\sub\\..\\CLIP ONE.3gp"));
    EXPECT_FALSE(zevrin::SamePath(file, folder + L"\\clip two.3gp"));
    EXPECT_FALSE(zevrin::SamePath(L"http://host/a.3gp", L"http://host/b.3gp"));
    EXPECT_TRUE(zevrin::SamePath(L"http://host/a.3gp", L"HTTP://HOST/A.3GP"));

    CRecentList list = List(10);
    list.Add(file);
    list.Add(folder + L"\\sub\\..\\clip one.3gp");
    EXPECT_EQ(list.Size(), 1u);

    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

// The recent-file entries take the placeholder's place in the File menu and give it back when
// the list is emptied.
TEST_F(RecentListTest, MenuShowsTheEntriesInPlaceOfThePlaceholder) {
    fw::UniqueMenu menu(CreatePopupMenu());
    AppendMenuW(menu.Get(), MF_STRING, 100, L"Before");
    AppendMenuW(menu.Get(), MF_STRING, ID_RECENT_FILE_FIRST, L"Recent File");
    AppendMenuW(menu.Get(), MF_STRING, ID_RECENT_FILES_CLEAR, L"Clear Recent File List");

    CRecentList list = List(4);
    list.Add(L"C:\\one.3gp");
    list.Add(L"C:\\Tom & Jerry.3gp");

    auto update = [&] {
        int calls = 0;
        fw::CMenuCmdUI::UpdatePopup(menu.Get(), [&](UINT id, fw::CCmdUI* ui) {
            if (id < ID_RECENT_FILE_FIRST || id > ID_RECENT_FILE_LAST) return true;
            ++calls;
            list.UpdateMenu(*ui);
            return true;
        });
        return calls;
    };
    auto text = [&](int pos) {
        wchar_t buf[256] = L"";
        GetMenuStringW(menu.Get(), static_cast<UINT>(pos), buf, 256, MF_BYPOSITION);
        return std::wstring(buf);
    };

    EXPECT_EQ(update(), 1);  // the inserted entries are not updated a second time
    ASSERT_EQ(GetMenuItemCount(menu.Get()), 4);
    EXPECT_EQ(text(1), L"C:\\Tom && Jerry.3gp");
    EXPECT_EQ(GetMenuItemID(menu.Get(), 1), static_cast<UINT>(ID_RECENT_FILE_FIRST));
    EXPECT_EQ(text(2), L"C:\\one.3gp");
    EXPECT_EQ(GetMenuItemID(menu.Get(), 2), static_cast<UINT>(ID_RECENT_FILE_FIRST + 1));
    EXPECT_EQ(GetMenuItemID(menu.Get(), 3), static_cast<UINT>(ID_RECENT_FILES_CLEAR));

    update();  // a second opening does not pile entries up
    EXPECT_EQ(GetMenuItemCount(menu.Get()), 4);

    list.Clear();
    update();
    ASSERT_EQ(GetMenuItemCount(menu.Get()), 3);
    EXPECT_EQ(text(1), L"Recent File");
    EXPECT_TRUE(GetMenuState(menu.Get(), 1, MF_BYPOSITION) & MF_GRAYED);
}

} // namespace
