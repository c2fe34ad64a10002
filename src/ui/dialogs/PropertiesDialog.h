#pragma once
// The media properties of one playlist item: file, duration, format and one block per stream.
#include "framework/Dialog.h"
#include "services/ToolPaths.h"

namespace zevrin {

class CPlaylistItem;

class CPropertiesDialog : public fw::CDialog {
public:
    // `tools` probe an item whose information is not loaded yet.
    CPropertiesDialog(CPlaylistItem& item, ToolPaths tools, HWND parent);

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnNotify(WPARAM, LPARAM);
    void SetUpList();
    void FillList();

    CPlaylistItem& item_;
    ToolPaths tools_;
    HWND list_ = nullptr;
};

} // namespace zevrin
