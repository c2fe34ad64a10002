#pragma once
// "Add URLs": several media URLs for the playlist, one a line. The dialog only collects the
// text; the caller cuts it into URLs (see UrlLines).
#include "framework/Dialog.h"
#include "ui/dialogs/LinkButton.h"

#include <string>
#include <vector>

namespace zevrin {

class CAddUrlsDialog : public fw::CDialog {
public:
    explicit CAddUrlsDialog(HWND parent);

    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;

    std::wstring urls; // the box's whole text after OK, lines separated by line breaks

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnExample();

    CLinkButton example_;
};

// The URLs of a text of lines: cut at line feeds, each piece trimmed of white space at both
// ends, empty pieces left out.
std::vector<std::wstring> UrlLines(const std::wstring& text);

} // namespace zevrin
