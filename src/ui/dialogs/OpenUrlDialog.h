#pragma once
// "Open URL": one media URL to play, typed, picked from the URLs opened before, or taken from
// the example link. The dialog only collects the text; the caller decides what to do with it.
#include "framework/Dialog.h"
#include "ui/dialogs/LinkButton.h"

#include <string>
#include <vector>

namespace zevrin {

class COpenUrlDialog : public fw::CDialog {
public:
    // `recentUrls`: the drop-down's entries, most recent first.
    COpenUrlDialog(std::vector<std::wstring> recentUrls, HWND parent);

    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;

    std::wstring url; // the box's text after OK, as it was typed

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnExample();

    std::vector<std::wstring> recentUrls_;
    CLinkButton example_;
};

// The example link of the URL dialogs: the demo clip on the maker's server, no url of its own,
// so that a click reaches the dialog, which copies the text into its box.
void SetUpExampleLink(CLinkButton& link, HWND dialog);

} // namespace zevrin
