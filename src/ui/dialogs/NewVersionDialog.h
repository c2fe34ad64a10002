#pragma once
// Tells the user that a newer version is out: which one, which one they have, what is new,
// with links to the product page. Closing it with "Download New Version" (IDOK) is the
// caller's cue to open the download address.
#include "framework/Dialog.h"
#include "ui/dialogs/LinkButton.h"

#include <string>

namespace zevrin {

struct NewVersionText {
    std::wstring productName;
    std::wstring newVersion;
    std::wstring currentVersion;
    std::wstring description;
};

class CNewVersionDialog : public fw::CDialog {
public:
    CNewVersionDialog(NewVersionText text, HWND parent);

    bool autoCheck = true; // the box, in and out

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnDestroy(WPARAM, LPARAM);
    void SetUpLinks();

    NewVersionText text_;
    CLinkButton versionLink_;
    CLinkButton learnMoreLink_;
};

} // namespace zevrin
