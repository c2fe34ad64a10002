#include "ui/dialogs/NewVersionDialog.h"

#include "services/AppInfo.h"
#include "services/AppResources.h"
#include "framework/Text.h"
#include "res/resource.h"

namespace zevrin {

namespace {
constexpr int kAutoCheckBox = 1000;
constexpr int kDescription = 1001;
constexpr int kLearnMoreLink = 1002;
constexpr int kHeadline = 1023;
constexpr int kVersionLink = 1027;
constexpr int kYourVersion = 1108;
} // namespace

CNewVersionDialog::CNewVersionDialog(NewVersionText text, HWND parent)
    : fw::CDialog(IDD_NEW_VERSION, parent), text_(std::move(text)) {}

LRESULT CNewVersionDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CNewVersionDialog> messages[] = {
        {WM_DESTROY, &CNewVersionDialog::OnDestroy},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CDialog::WindowProc(message, wParam, lParam);
}

bool CNewVersionDialog::OnInitDialog() {
    SetItemText(kHeadline, fw::Format(fw::LoadResourceString(IDS_UPDATE_NEWER).c_str(), text_.productName.c_str()));
    SetItemText(kYourVersion,
                fw::Format(fw::LoadResourceString(IDS_UPDATE_YOUR_VERSION).c_str(), text_.currentVersion.c_str()));
    SetItemText(kDescription, text_.description);
    SetChecked(kAutoCheckBox, autoCheck);
    SetUpLinks();
    // The download button has the focus, not the first link: Enter downloads.
    SetFocus(Item(IDOK));
    return false;
}

// Both links open the product page themselves; the new version's number is large, and stays
// so under the mouse.
void CNewVersionDialog::SetUpLinks() {
    if (versionLink_.SubclassDlgItem(kVersionLink, Hwnd())) {
        versionLink_.SetLink(kProductPage, text_.newVersion.c_str());
        UseDialogLinkLook(versionLink_);
        versionLink_.SetFont(Resources().largeFont.Get());
        versionLink_.hoverFont = nullptr;
        versionLink_.AutoSize();
    }
    if (learnMoreLink_.SubclassDlgItem(kLearnMoreLink, Hwnd())) {
        learnMoreLink_.SetLink(kProductPage, fw::LoadResourceString(IDS_UPDATE_LEARN_MORE).c_str());
        UseDialogLinkLook(learnMoreLink_);
    }
}

LRESULT CNewVersionDialog::OnDestroy(WPARAM, LPARAM) {
    autoCheck = IsChecked(kAutoCheckBox);
    return DefaultProc(WM_DESTROY, 0, 0);
}

} // namespace zevrin
