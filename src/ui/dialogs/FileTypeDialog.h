#pragma once
// "File Type": the extension, name and picture of a file type the user adds on the File
// Associations page. It opens with no picture chosen; what it returns is checked by the page.
#include "framework/Dialog.h"
#include "framework/Handles.h"

#include <string>

namespace zevrin {

class CFileTypeDialog : public fw::CDialog {
public:
    explicit CFileTypeDialog(HWND parent);

    std::wstring extension;
    std::wstring name;
    int iconIndex = -1; // entry of the icon box, -1 for none; entry i is the program's icon i + 2

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    fw::UniqueImageList icons_;
};

} // namespace zevrin
