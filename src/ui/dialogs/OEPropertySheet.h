#pragma once
// A property sheet in the program's own dialog font: once the sheet exists, the sheet and each
// of its direct children (tabs, buttons, pages) get the shared normal font and are redrawn.
#include "framework/PropertySheet.h"

namespace zevrin {

class COEPropertySheet : public fw::CPropertySheet {
public:
    COEPropertySheet(std::wstring caption, HWND owner, int firstPage)
        : fw::CPropertySheet(std::move(caption), owner), firstPage_(firstPage) {}

    INT_PTR DoModal() { return fw::CPropertySheet::DoModal(firstPage_); }

protected:
    void OnInitSheet(HWND sheet) override;

private:
    int firstPage_;
};

} // namespace zevrin
