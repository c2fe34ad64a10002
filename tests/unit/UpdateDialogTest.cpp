// The update check's two dialogs driven on the test's thread: the running progress dialog and
// its Cancel, and the new-version dialog's texts.
#include "services/AppResources.h"
#include "ui/dialogs/NewVersionDialog.h"
#include "ui/dialogs/UpdateProgressDialog.h"
#include "update/UpdateInfo.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <atomic>

using namespace zevrin;

namespace {

class UpdateDialogTest : public testing::Test {
protected:
    void SetUp() override {
        resources_.Init();
        PublishResources(&resources_);
    }
    void TearDown() override { PublishResources(nullptr); }

    // The visible dialog of this thread that has a control `id`.
    static HWND DialogWith(int id) {
        struct Search {
            int id;
            HWND found;
        } search{id, nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                if (!IsWindowVisible(hwnd) || !GetDlgItem(hwnd, s->id)) return TRUE;
                s->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    static std::wstring TextOf(HWND window) {
        wchar_t text[512] = L"";
        GetWindowTextW(window, text, 512);
        return text;
    }

    CAppResources resources_;
};

} // namespace

TEST_F(UpdateDialogTest, ProgressRunsUntilTheCheckEndsAndCancelEndsItWithinAPoll) {
    EXPECT_EQ(NextRunningPosition(0), 2);
    EXPECT_EQ(NextRunningPosition(98), 100);
    EXPECT_EQ(NextRunningPosition(100), 0);

    // A check that runs until it is cancelled, polling like the download does.
    std::atomic<int> cancel{5};
    std::atomic<DWORD> checkEnded{0};
    CUpdateProgressDialog dialog(
        [&cancel, &checkEnded] {
            for (int i = 0; i < 100 && cancel == 0; ++i) Sleep(100);
            checkEnded = GetTickCount();
            return -1;
        },
        cancel, nullptr);
    dialog.autoCheck = true;
    std::wstring caption, status;
    bool boxChecked = false, barMoved = false;
    int firstPosition = -1;
    DWORD cancelledAt = 0, start = GetTickCount();
    ModalDriver driver([&] {
        HWND hwnd = DialogWith(1099);
        if (!hwnd) return false;
        HWND bar = GetDlgItem(hwnd, 1099);
        const int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
        if (firstPosition < 0) {
            firstPosition = position;
            caption = TextOf(hwnd);
            status = TextOf(GetDlgItem(hwnd, 1023));
            boxChecked = IsDlgButtonChecked(hwnd, 1100) == BST_CHECKED;
            return false;
        }
        if (GetTickCount() - start < 500) return false;
        barMoved = position != firstPosition;
        CheckDlgButton(hwnd, 1100, BST_UNCHECKED);
        cancelledAt = GetTickCount();
        PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    // Hiding a window under Xvfb without a window manager takes Wine about 2 s, hence the
    // loose bound on the dialog's end; the check itself stops within a poll.
    const DWORD closedAfter = GetTickCount() - cancelledAt;
    const DWORD checkStoppedAfter = checkEnded - cancelledAt;
    EXPECT_EQ(caption, L"Zevrin");
    EXPECT_EQ(status, L"Checking for updates...");
    EXPECT_TRUE(boxChecked);
    EXPECT_TRUE(barMoved);
    EXPECT_EQ(cancel, 2);
    EXPECT_LE(checkStoppedAfter, 300u);
    EXPECT_LE(closedAfter, 5000u);
    EXPECT_FALSE(dialog.autoCheck) << "the box goes back to the caller";
    EXPECT_EQ(dialog.result, -1);
    EXPECT_EQ(CUpdateProgressDialog::Showing(), nullptr);
}

TEST_F(UpdateDialogTest, ProgressClosesWithOkAndTheResultWhenTheCheckEnds) {
    std::atomic<int> cancel{0};
    CUpdateProgressDialog dialog([] { Sleep(300); return 1; }, cancel, nullptr);
    HWND seen = nullptr;
    ModalDriver driver([&] {
        seen = CUpdateProgressDialog::Showing();
        return seen != nullptr;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.result, 1);
    EXPECT_NE(seen, nullptr);
}

TEST_F(UpdateDialogTest, NewVersionShowsBothVersionsTheLinksAndTheDescriptionOnItsLines) {
    auto info = ParseUpdateInfo(
        "<Updates><Application Version=\"3.1.0\"><URL>https://www.tresk.com/zevrin/get</URL>"
        "<Description>Faster thumbnails.\\nFixes for playlists.</Description></Application></Updates>");
    ASSERT_TRUE(info);
    CNewVersionDialog dialog({L"Zevrin", info->version, L"3.0.0", info->description}, nullptr);
    dialog.autoCheck = false;
    std::wstring caption, headline, version, yours, description, learnMore, okText;
    int lines = 0;
    bool boxChecked = true, rightAligned = false, linksDrawnAsLinks = false, versionFitsItsText = false,
         downloadHasFocus = false;
    ModalDriver driver([&] {
        HWND hwnd = DialogWith(1108);
        if (!hwnd) return false;
        caption = TextOf(hwnd);
        headline = TextOf(GetDlgItem(hwnd, 1023));
        version = TextOf(GetDlgItem(hwnd, 1027));
        yours = TextOf(GetDlgItem(hwnd, 1108));
        rightAligned = (GetWindowLongW(GetDlgItem(hwnd, 1108), GWL_STYLE) & SS_TYPEMASK) == SS_RIGHT;
        description = TextOf(GetDlgItem(hwnd, 1001));
        lines = static_cast<int>(SendDlgItemMessageW(hwnd, 1001, EM_GETLINECOUNT, 0, 0));
        learnMore = TextOf(GetDlgItem(hwnd, 1002));
        // Both are the program's links: drawn by themselves, as wide as their texts.
        linksDrawnAsLinks = true;
        for (int id : {1027, 1002})
            linksDrawnAsLinks &= (GetWindowLongW(GetDlgItem(hwnd, id), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
        RECT version{};
        GetWindowRect(GetDlgItem(hwnd, 1027), &version);
        versionFitsItsText = version.right - version.left < 60;
        okText = TextOf(GetDlgItem(hwnd, IDOK));
        downloadHasFocus = GetFocus() == GetDlgItem(hwnd, IDOK);
        boxChecked = IsDlgButtonChecked(hwnd, 1000) == BST_CHECKED;
        CheckDlgButton(hwnd, 1000, BST_CHECKED);
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        return true;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(caption, L"Zevrin");
    EXPECT_EQ(headline, L"A newer version of Zevrin is available:");
    EXPECT_EQ(version, L"3.1.0");
    EXPECT_EQ(yours, L"Your version is 3.0.0.");
    EXPECT_TRUE(rightAligned);
    EXPECT_EQ(description, L"Faster thumbnails.\r\nFixes for playlists.");
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(learnMore, L"Learn more about the new version");
    EXPECT_TRUE(linksDrawnAsLinks);
    EXPECT_TRUE(versionFitsItsText) << "the version link keeps the template's width";
    EXPECT_EQ(okText, L"Download New Version");
    EXPECT_TRUE(downloadHasFocus) << "Enter downloads";
    EXPECT_FALSE(boxChecked);
    EXPECT_TRUE(dialog.autoCheck);
}
