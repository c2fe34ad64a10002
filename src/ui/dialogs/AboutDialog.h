#pragma once
// "About Zevrin": the program's name in large type, its version, a line on what it is for, and
// two links, the maker's web site and the support address (which starts a new e-mail).
#include "framework/Dialog.h"
#include "ui/dialogs/LinkButton.h"

namespace zevrin {

class CAboutDialog : public fw::CDialog {
public:
    explicit CAboutDialog(HWND parent = nullptr);

    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;

protected:
    bool OnInitDialog() override;

private:
    void OnMailLink();

    CLinkButton webLink_;
    CLinkButton mailLink_;
};

} // namespace zevrin
