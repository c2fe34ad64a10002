// The small dialogs (Open URL, Add URLs, About), the link control they use, the file dialog
// with its large multiple-selection buffer, and the window effects: each through real windows
// driven as a user would, plus the rules behind them.
#include "services/AppInfo.h"
#include "services/AppResources.h"
#include "framework/Text.h"
#include "ui/WindowEffects.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/AddUrlsDialog.h"
#include "ui/dialogs/ComposeMail.h"
#include "ui/dialogs/LinkButton.h"
#include "ui/dialogs/OEFileDialog.h"
#include "ui/dialogs/OpenUrlDialog.h"
#include "ModalDriver.h"
#include "ToolTestSupport.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <dlgs.h>

using namespace zevrin;

namespace {

std::wstring WindowText(HWND hwnd) {
    wchar_t text[512] = L"";
    GetWindowTextW(hwnd, text, 512);
    return text;
}

HFONT FontOf(HWND hwnd) { return reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)); }

int TextWidth(HFONT font, const std::wstring& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

int WidthOf(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc.right - rc.left;
}

// Runs `step` on the dialog titled `title` once it shows, while the dialog's modal loop runs.
class DialogStep {
public:
    DialogStep(const wchar_t* title, std::function<void(HWND)> step)
        : driver_([this, title, step = std::move(step)] {
              HWND dialog = FindWindowW(L"#32770", title);
              if (!dialog || !IsWindowVisible(dialog)) return false;
              step(dialog);
              ran_ = true;
              return true;
          }) {}
    bool Ran() const { return ran_; }

private:
    bool ran_ = false;
    ModalDriver driver_;
};

class SmallDialogs : public testing::Test {
protected:
    void SetUp() override {
        resources_.Init();
        PublishResources(&resources_);
    }
    void TearDown() override { PublishResources(nullptr); }

    // The example link: the maker's demo clip in the shared normal font, as wide as its text.
    void ExpectExampleLink(HWND dialog) {
        HWND link = GetDlgItem(dialog, IDC_EXAMPLE_LINK);
        EXPECT_EQ(WindowText(link), kExampleMediaUrl);
        EXPECT_EQ(FontOf(link), resources_.normalFont.Get());
        EXPECT_EQ(WidthOf(link), TextWidth(resources_.normalFont.Get(), kExampleMediaUrl) + 2);
    }

    CAppResources resources_;
};

TEST_F(SmallDialogs, OpenUrlOffersTheRecentUrlsAndTheExampleAndReturnsTheTextAsTyped) {
    COpenUrlDialog dialog({L"http://media.example/new.3gp", L"http://media.example/old.3gp"}, nullptr);
    std::wstring afterExample, firstEntry;
    LRESULT entries = -1;
    DialogStep step(L"Open URL", [&](HWND d) {
        ExpectExampleLink(d);
        entries = SendDlgItemMessageW(d, IDC_URL_BOX, CB_GETCOUNT, 0, 0);
        wchar_t text[256] = L"";
        SendDlgItemMessageW(d, IDC_URL_BOX, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        firstEntry = text;
        SendDlgItemMessageW(d, IDC_EXAMPLE_LINK, BM_CLICK, 0, 0);
        afterExample = WindowText(GetDlgItem(d, IDC_URL_BOX));
        SetDlgItemTextW(d, IDC_URL_BOX, L"  http://typed.example/a.3gp ");
        PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(step.Ran());
    EXPECT_EQ(entries, 2);
    EXPECT_EQ(firstEntry, L"http://media.example/new.3gp");
    EXPECT_EQ(afterExample, kExampleMediaUrl);
    EXPECT_EQ(dialog.url, L"  http://typed.example/a.3gp ") << "no trimming or checking in the dialog";
}

TEST_F(SmallDialogs, AddUrlsExampleReplacesTheWholeTextAndOkReturnsAllLines) {
    std::wstring afterExample;
    {
        CAddUrlsDialog dialog(nullptr);
        DialogStep step(L"Add URLs", [&](HWND d) {
            ExpectExampleLink(d);
            SetDlgItemTextW(d, IDC_URLS_BOX, L"http://a.example/1.3gp\r\nhttp://a.example/2.3gp");
            SendDlgItemMessageW(d, IDC_EXAMPLE_LINK, BM_CLICK, 0, 0);
            afterExample = WindowText(GetDlgItem(d, IDC_URLS_BOX));
            PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(dialog.urls.empty());
    }
    EXPECT_EQ(afterExample, kExampleMediaUrl);

    CAddUrlsDialog dialog(nullptr);
    DialogStep step(L"Add URLs", [&](HWND d) {
        SetDlgItemTextW(d, IDC_URLS_BOX, L"http://a.example/1.3gp\r\n\r\n   http://a.example/2.3gp  ");
        PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.urls, L"http://a.example/1.3gp\r\n\r\n   http://a.example/2.3gp  ");
    EXPECT_EQ(UrlLines(dialog.urls), (std::vector<std::wstring>{L"http://a.example/1.3gp", L"http://a.example/2.3gp"}));
    EXPECT_TRUE(UrlLines(L" \r\n\t\r\n").empty());
    EXPECT_EQ(UrlLines(L"x\ny"), (std::vector<std::wstring>{L"x", L"y"}));
}

TEST_F(SmallDialogs, AboutShowsNameVersionAndTheMakersAddresses) {
    CAboutDialog dialog;
    std::wstring title, name, version, web, mail;
    HFONT nameFont = nullptr, webFont = nullptr;
    int webWidth = 0;
    DialogStep step(L"About Zevrin", [&](HWND d) {
        title = WindowText(d);
        name = WindowText(GetDlgItem(d, IDC_ABOUT_NAME));
        nameFont = FontOf(GetDlgItem(d, IDC_ABOUT_NAME));
        version = WindowText(GetDlgItem(d, IDC_ABOUT_VERSION));
        web = WindowText(GetDlgItem(d, IDC_ABOUT_WEB_LINK));
        webFont = FontOf(GetDlgItem(d, IDC_ABOUT_WEB_LINK));
        webWidth = WidthOf(GetDlgItem(d, IDC_ABOUT_WEB_LINK));
        mail = WindowText(GetDlgItem(d, IDC_ABOUT_MAIL_LINK));
        PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(step.Ran()) << "no dialog titled \"About Zevrin\"";
    EXPECT_EQ(title, L"About Zevrin");
    EXPECT_EQ(name, L"Zevrin");
    EXPECT_EQ(nameFont, resources_.largeFont.Get());
    EXPECT_EQ(version, L"Version 3.0.0");
    EXPECT_EQ(web, kHomePage);
    EXPECT_EQ(webFont, resources_.normalFont.Get());
    EXPECT_EQ(webWidth, TextWidth(resources_.normalFont.Get(), kHomePage) + 2);
    EXPECT_EQ(mail, kSupportAddress);
    EXPECT_EQ(MailToUrl(kSupportAddress, SupportMailSubject()), L"mailto:support@tresk.com?subject=About Zevrin 3.0.0");
    EXPECT_EQ(MailToUrl(L"a@b", L"s", L"b"), L"mailto:a@b?subject=s&body=b");
}

// A dialog of our own around the template, to see which clicks reach it.
INT_PTR CALLBACK CountingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_EXAMPLE_LINK && HIWORD(wParam) == BN_CLICKED) {
        auto clicks = GetWindowLongPtrW(dialog, DWLP_USER);
        SetWindowLongPtrW(dialog, DWLP_USER, clicks + 1);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

TEST_F(SmallDialogs, ALinkWithAUrlKeepsItsClickAndOneWithoutTellsTheDialog) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPEN_URL), nullptr,
                                     CountingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    {
        CLinkButton link;
        ASSERT_TRUE(link.SubclassDlgItem(IDC_EXAMPLE_LINK, dialog));
        link.SetLink(L"", L"a link");
        EXPECT_EQ(WindowText(link.Hwnd()), L"a link");
        SendMessageW(link.Hwnd(), BM_CLICK, 0, 0);
        EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 1);

        // A target that can't be opened is not reported, and the click still stays with the link.
        link.SetLink(L"Z:\\no-such-folder-zevrin\\nothing.none");
        EXPECT_EQ(WindowText(link.Hwnd()), L"a link");
        SendMessageW(link.Hwnd(), BM_CLICK, 0, 0);
        EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 1);
    }
    // Once the link object is gone the button is an ordinary button again.
    SendMessageW(GetDlgItem(dialog, IDC_EXAMPLE_LINK), BM_CLICK, 0, 0);
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 2);
    DestroyWindow(dialog);

    EXPECT_EQ(LinkTextFormat(BS_OWNERDRAW | BS_LEFT), UINT(DT_END_ELLIPSIS | DT_LEFT | DT_SINGLELINE | DT_VCENTER));
    EXPECT_EQ(LinkTextFormat(BS_OWNERDRAW | BS_RIGHT), UINT(DT_END_ELLIPSIS | DT_RIGHT | DT_SINGLELINE | DT_VCENTER));
    EXPECT_EQ(LinkTextFormat(BS_OWNERDRAW), UINT(DT_END_ELLIPSIS | DT_CENTER | DT_SINGLELINE | DT_VCENTER));
    EXPECT_EQ(LinkTextFormat(BS_OWNERDRAW | BS_CENTER), UINT(DT_END_ELLIPSIS | DT_CENTER | DT_SINGLELINE | DT_VCENTER));
    EXPECT_EQ(LinkTextFormat(BS_OWNERDRAW | BS_LEFT | BS_MULTILINE), UINT(DT_END_ELLIPSIS | DT_LEFT | DT_WORDBREAK | DT_TOP));
}

// Many files with long names, chosen together: their names take far more than the 32,767
// characters older buffers hold.
TEST(FileDialog, ManyLongNamesChosenTogetherArriveWhole) {
    test::ScratchFolder folder(L"choose");
    std::vector<std::wstring> names;
    std::wstring typed;
    for (int i = 0; i < 300; ++i) {
        names.push_back(fw::Format(L"%03d ", i) + std::wstring(160, L'n') + L".3gp");
        HANDLE file = CreateFileW((folder / names.back()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        typed += L"\"" + names.back() + L"\" ";
    }
    ASSERT_GT(typed.size(), 40000u);
    std::wstring folderPath = folder / L"";
    folderPath.pop_back();

    COEFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_OVERWRITEPROMPT,
                         L"All Files (*.*)|*.*|3GP Videos (*.3gp)|*.3gp||");
    EXPECT_EQ(dialog.ofn.nMaxFile, 262144u);
    EXPECT_EQ(dialog.ofn.lStructSize, sizeof(OPENFILENAMEW));
    int step = 0;
    ModalDriver driver([&] {
        HWND d = FindWindowW(L"#32770", nullptr);
        if (!d || !IsWindowVisible(d)) return false;
        for (int id : {edt1, cmb13}) SetDlgItemTextW(d, id, step == 0 ? folderPath.c_str() : typed.c_str());
        PostMessageW(d, WM_COMMAND, IDOK, 0);
        return ++step == 2;
    });
    ASSERT_EQ(dialog.DoModal(), IDOK) << "dialog error " << CommDlgExtendedError();
    std::vector<std::wstring> paths = dialog.PathNames();
    ASSERT_EQ(paths.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(paths[i], folder / names[i]) << i;
    EXPECT_EQ(dialog.PathName(), paths.front());
}

TEST(FileDialog, SelectionBufferAndStructureSize) {
    const wchar_t one[] = L"C:\\media\\a.3gp\0";
    EXPECT_EQ(SelectedPaths(one), (std::vector<std::wstring>{L"C:\\media\\a.3gp"}));
    const wchar_t many[] = L"C:\\media\0a.3gp\0b c.3gp\0";
    EXPECT_EQ(SelectedPaths(many), (std::vector<std::wstring>{L"C:\\media\\a.3gp", L"C:\\media\\b c.3gp"}));
    const wchar_t root[] = L"C:\\\0a.3gp\0b.3gp\0";
    EXPECT_EQ(SelectedPaths(root), (std::vector<std::wstring>{L"C:\\a.3gp", L"C:\\b.3gp"}));
    EXPECT_TRUE(SelectedPaths(L"").empty());

    OSVERSIONINFOW os{sizeof(os)};
    os.dwPlatformId = VER_PLATFORM_WIN32_NT;
    os.dwMajorVersion = 5;
    EXPECT_EQ(OpenFileNameSize(os), sizeof(OPENFILENAMEW));
    os.dwMajorVersion = 4;
    EXPECT_EQ(OpenFileNameSize(os), DWORD(OPENFILENAME_SIZE_VERSION_400W));
    EXPECT_EQ(COEFileDialog(false, L"m3u", L"C:\\list.m3u").PathName(), L"C:\\list.m3u");
    EXPECT_EQ(COEFileDialog(true).ofn.nMaxFile, DWORD(MAX_PATH * 4)) << "single choices keep a path-sized buffer";
}

BOOL WINAPI Yes() { return TRUE; }
BOOL WINAPI No() { return FALSE; }
BOOL WINAPI FailToSetAttributes(HWND, COLORREF, BYTE, DWORD) { return FALSE; }

TEST(WindowEffects, ThemesNeedBothAnswersAndTranslucencyComesAndGoesCleanly) {
    EXPECT_EQ(IsThemed(&Yes, &Yes), 1);
    EXPECT_EQ(IsThemed(&No, &Yes), 0) << "styles switched off for the system";
    EXPECT_EQ(IsThemed(&Yes, &No), 0);

    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    auto layered = [&] { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };

    EXPECT_EQ(MakeTransparent(window, 127, nullptr), 0);
    EXPECT_FALSE(layered()) << "without the function the window stays opaque";
    EXPECT_EQ(MakeTransparent(window, 127, &FailToSetAttributes), 0);
    EXPECT_FALSE(layered()) << "a layered window without attributes would not show at all";

    EXPECT_NE(MakeTransparent(window, 127), 0);
    EXPECT_TRUE(layered());
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 127);
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));

    EXPECT_EQ(RemoveTransparency(window), 1);
    EXPECT_FALSE(layered());
    DestroyWindow(window);
}

} // namespace
