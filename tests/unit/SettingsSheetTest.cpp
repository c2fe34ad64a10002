// The settings sheet driven from inside its own modal loop: its pages, their validation, the
// buttons that act at once, and the associations applied only from a visited page.
#include "system/FileAssociations.h"
#include "ui/dialogs/SettingsSheet.h"
#include "AssociationFixture.h"
#include "ModalDriver.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace zevrin;

namespace {

HWND FindOwnDialog(const wchar_t* title) {
    struct Search {
        const wchar_t* title;
        HWND found;
    } search{title, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t cls[16], text[64];
            GetClassNameW(hwnd, cls, 16);
            GetWindowTextW(hwnd, text, 64);
            if (wcscmp(cls, L"#32770") || wcscmp(text, s->title) || !IsWindowVisible(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of a message box: its static that is not the icon.
std::wstring MessageText(HWND box) {
    std::wstring all;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16], text[256];
        GetClassNameW(child, cls, 16);
        GetWindowTextW(child, text, 256);
        if (!_wcsicmp(cls, L"Static")) all += text;
    }
    return all;
}

// Runs the sheet while the steps run one after the other from the timer; a step returns false
// to be called again later.
class SettingsSheetTest : public AssociationTest {
protected:
    void SetUp() override {
        AssociationTest::SetUp();
        Settings().Load();
        Settings().fileTypes.clear();
    }

    INT_PTR Run(std::vector<std::function<bool(HWND sheet)>> steps) {
        CSettingsSheet sheet(Settings());
        size_t next = 0;
        ModalDriver driver([&] {
            HWND hwnd = FindOwnDialog(L"Settings");
            if (!hwnd) return false;
            if (next < steps.size() && steps[next](hwnd)) ++next;
            return next == steps.size();
        });
        INT_PTR result = sheet.DoModal();
        EXPECT_EQ(next, steps.size()) << "the sheet ended before every step ran";
        return result;
    }
    static HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
    static bool Ok(HWND sheet) { return PostMessageW(sheet, WM_COMMAND, IDOK, 0) != FALSE; }
    static bool Cancel(HWND sheet) { return PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0) != FALSE; }
    static bool Click(HWND page, int id) { return PostMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0) != FALSE; }
    // Reads the message box that refuses a field and closes it.
    static std::function<bool(HWND)> Refused(std::wstring& message) {
        return [&message](HWND) {
            HWND box = FindOwnDialog(L"Zevrin");
            if (!box) return false;
            message = MessageText(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        };
    }
    static bool NoMessageBox(HWND) { return !FindOwnDialog(L"Zevrin"); }
    static HWND List(HWND sheet) { return GetDlgItem(Page(sheet), IDC_FILE_TYPE_LIST); }
};

TEST_F(SettingsSheetTest, OpensOnGeneralWithThreeTabsAndOkWithoutFileAssociationsTouchesNoType) {
    // Registered but not associated: a visited File Associations page would list it unchecked
    // and remove it on OK.
    CFileTypeInfo type(L"ZV Video", L".zvta", 2);
    Settings().AddFileType(type.name, type.extension, type.icon);
    type.Register(L"C:\\Zevrin\\Zevrin.exe");
    Settings().thumbnailCx = 200;
    std::vector<std::wstring> tabs;
    EXPECT_EQ(Run({[&](HWND sheet) {
                       HWND tab = PropSheet_GetTabControl(sheet);
                       for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
                           wchar_t text[64]{};
                           TCITEMW item{TCIF_TEXT};
                           item.pszText = text;
                           item.cchTextMax = 64;
                           TabCtrl_GetItem(tab, i, &item);
                           tabs.push_back(text);
                       }
                       EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, 0x3021)));  // no Apply button
                       wchar_t width[16];
                       GetDlgItemTextW(Page(sheet), IDC_THUMBNAIL_WIDTH, width, 16);
                       EXPECT_STREQ(width, L"200");
                       return Ok(sheet);
                   }}),
              IDOK);
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"General", L"File Associations", L"History"}));
    EXPECT_TRUE(type.IsRegistered());
    ASSERT_EQ(Settings().fileTypes.size(), 1u);

    // Visited, the page gives back every unchecked type.
    EXPECT_EQ(Run({[&](HWND sheet) -> bool { return PropSheet_SetCurSel(sheet, nullptr, 1); },
                   [&](HWND sheet) {
                       EXPECT_EQ(ListView_GetItemCount(List(sheet)), 1);
                       EXPECT_FALSE(ListView_GetCheckState(List(sheet), 0));
                       return Ok(sheet);
                   }}),
              IDOK);
    EXPECT_FALSE(type.IsRegistered());
}

TEST_F(SettingsSheetTest, ThumbnailWidth39IsRefusedWithTheMessageAnd40Accepted) {
    std::wstring refused, notANumber;
    Run({[&](HWND sheet) {
             SetDlgItemTextW(Page(sheet), IDC_THUMBNAIL_WIDTH, L"39");
             return Ok(sheet);
         },
         Refused(refused), NoMessageBox,
         [&](HWND sheet) {
             SetDlgItemTextW(Page(sheet), IDC_THUMBNAIL_WIDTH, L"40");
             SetDlgItemTextW(Page(sheet), IDC_THUMBNAIL_HEIGHT, L"x");
             return Ok(sheet);
         },
         Refused(notANumber), NoMessageBox,
         [&](HWND sheet) {
             SetDlgItemTextW(Page(sheet), IDC_THUMBNAIL_HEIGHT, L"300");
             CheckDlgButton(Page(sheet), IDC_ALLOW_DUPLICATES, BST_UNCHECKED);
             return Ok(sheet);
         }});
    EXPECT_EQ(refused, L"Please enter an integer between 40 and 400.");
    EXPECT_EQ(notANumber, L"Please enter a positive integer.");
    EXPECT_EQ(Settings().thumbnailCx, 40);
    EXPECT_EQ(Settings().thumbnailCy, 300);
    EXPECT_EQ(Settings().allowDuplicates, 0);
}

TEST_F(SettingsSheetTest, HistoryRefuses31EnablesNumbersByTheirBoxesAndClearsAtOnce) {
    Settings().AddRecentFile(L"C:\\a.3gp");
    Settings().AddRecentPlaylist(L"C:\\b.play");
    std::wstring refused;
    Run({[&](HWND sheet) -> bool { return PropSheet_SetCurSel(sheet, nullptr, 2); },
         [&](HWND sheet) {
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Page(sheet), IDC_MAX_RECENT_FILES)));
             SetDlgItemTextW(Page(sheet), IDC_MAX_RECENT_FILES, L"31");
             return Ok(sheet);
         },
         Refused(refused), NoMessageBox,
         [&](HWND sheet) { return Click(Page(sheet), IDC_SAVE_RECENT_FILES) && Click(Page(sheet), IDC_CLEAR_RECENT_FILES); },
         [&](HWND sheet) {
             if (Settings().recentFiles.Size() != 0) return false;
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Page(sheet), IDC_MAX_RECENT_FILES)));
             EXPECT_EQ(Settings().recentPlaylists.Size(), 1u);
             SetDlgItemTextW(Page(sheet), IDC_MAX_RECENT_FILES, L"12");
             return Click(Page(sheet), IDC_CLEAR_RECENT_PLAYLISTS);
         },
         [&](HWND sheet) { return Settings().recentPlaylists.Size() == 0 && Ok(sheet); }});
    EXPECT_EQ(refused, L"Please enter an integer between 0 and 30.");
    EXPECT_EQ(Settings().saveRecentFiles, 0);
    EXPECT_EQ(Settings().maxRecentFiles, 12);
}

TEST_F(SettingsSheetTest, FileAssociationsCheckAddDeleteAndApply) {
    SetDefault(L".zvta", L"Foreign.Player");
    SetDefault(L".zvtb", L"Foreign.Audio");
    Settings().AddFileType(L"ZV Video", L".zvta", 2);
    Settings().AddFileType(L"ZV Audio", L".zvtb", 4);
    Run({[&](HWND sheet) -> bool { return PropSheet_SetCurSel(sheet, nullptr, 1); },
         [&](HWND sheet) {
             EXPECT_EQ(ListView_GetItemCount(List(sheet)), 2);
             ListView_SetCheckState(List(sheet), 0, TRUE);
             ListView_SetCheckState(List(sheet), 1, TRUE);
             return Ok(sheet);
         }});
    EXPECT_EQ(DefaultOf(L".zvta"), L"Tresk.Zevrin.zvta");
    EXPECT_EQ(DefaultOf(L".zvtb"), L"Tresk.Zevrin.zvtb");

    // Unchecking one gives it back; "Add..." appends a checked row; Delete gives its type back
    // at once, so Cancel afterwards leaves it given back and adds nothing.
    Run({[&](HWND sheet) -> bool { return PropSheet_SetCurSel(sheet, nullptr, 1); },
         [&](HWND sheet) {
             EXPECT_TRUE(ListView_GetCheckState(List(sheet), 0));
             ListView_SetCheckState(List(sheet), 0, FALSE);
             return Click(Page(sheet), IDC_FILE_TYPE_ADD);
         },
         [&](HWND) {
             HWND dialog = FindOwnDialog(L"File Type");
             if (!dialog) return false;
             SetDlgItemTextW(dialog, IDC_FILE_TYPE_EXTENSION, L"zvt c");
             SetDlgItemTextW(dialog, IDC_FILE_TYPE_NAME, L"ZV Other");
             SendDlgItemMessageW(dialog, IDC_FILE_TYPE_ICON, CB_SETCURSEL, 3, 0);
             return PostMessageW(dialog, WM_COMMAND, IDOK, 0) != FALSE;
         },
         [&](HWND sheet) {
             if (FindOwnDialog(L"File Type") || ListView_GetItemCount(List(sheet)) != 3) return false;
             EXPECT_TRUE(ListView_GetCheckState(List(sheet), 2));
             wchar_t text[32];
             ListView_GetItemText(List(sheet), 2, 0, text, 32);
             EXPECT_STREQ(text, L".zvt c");
             return Ok(sheet);
         }});
    EXPECT_EQ(DefaultOf(L".zvta"), L"Foreign.Player");
    EXPECT_EQ(DefaultOf(L".zvt c"), L"Tresk.Zevrin.zvtc");
    ASSERT_EQ(Settings().fileTypes.size(), 3u);
    EXPECT_EQ(Settings().fileTypes[2]->icon, 5);

    Run({[&](HWND sheet) -> bool { return PropSheet_SetCurSel(sheet, nullptr, 1); },
         [&](HWND sheet) {
             ListView_SetItemState(List(sheet), 1, LVIS_SELECTED, LVIS_SELECTED);
             return Click(Page(sheet), IDC_FILE_TYPE_DELETE);
         },
         [&](HWND sheet) { return ListView_GetItemCount(List(sheet)) == 2 && Cancel(sheet); }});
    EXPECT_EQ(DefaultOf(L".zvtb"), L"Foreign.Audio");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.zvtb"), L"<missing>");
    EXPECT_EQ(Settings().fileTypes.size(), 3u);
}

} // namespace
