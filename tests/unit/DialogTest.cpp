// Modal dialogs and property sheets from templates, driven from a timer inside their own loop.
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class NameDialog : public fw::CDialog {
public:
    NameDialog() : fw::CDialog(900, nullptr) {}
    std::wstring name = L"first";

protected:
    bool OnInitDialog() override {
        SetItemText(1001, name);
        return true;
    }
    void OnOK() override {
        name = ItemText(1001);
        fw::CDialog::OnOK();
    }
};

TEST(Dialog, ShowsItsValuesAndTakesTheEditedOnesOnOk) {
    NameDialog dlg;
    ModalDriver driver([&] {
        HWND hwnd = FindWindowW(L"#32770", L"Test Dialog");
        if (!hwnd) return false;
        wchar_t text[32];
        GetDlgItemTextW(hwnd, 1001, text, 32);
        if (std::wstring(text) != L"first") return false;
        SetDlgItemTextW(hwnd, 1001, L"second");
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        return true;
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.name, L"second");
    EXPECT_EQ(dlg.Hwnd(), nullptr);
}

TEST(Dialog, CancelLeavesTheValuesAlone) {
    NameDialog dlg;
    ModalDriver driver([&] {
        HWND hwnd = FindWindowW(L"#32770", L"Test Dialog");
        if (!hwnd) return false;
        SetDlgItemTextW(hwnd, 1001, L"discarded");
        PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.name, L"first");
}

class OptionPage : public fw::CPropertyPage {
public:
    OptionPage() : fw::CPropertyPage(901) {}
    bool option = false;
    int applied = 0;

protected:
    bool OnInitDialog() override {
        SetChecked(1002, option);
        return true;
    }
    void OnApply() override {
        option = IsChecked(1002);
        ++applied;
    }
};

TEST(PropertySheets, OnlyPagesThatWereShownAreApplied) {
    OptionPage first, second;
    fw::CPropertySheet sheet(L"Test Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ModalDriver driver([&] {
        HWND hwnd = FindWindowW(L"#32770", L"Test Sheet");
        if (!hwnd || !first.Hwnd()) return false;
        CheckDlgButton(first.Hwnd(), 1002, BST_CHECKED);
        PropSheet_PressButton(hwnd, PSBTN_OK);
        return true;
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(first.option);
    EXPECT_EQ(first.applied, 1);
    EXPECT_EQ(second.applied, 0);
}

} // namespace
