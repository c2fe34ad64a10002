#pragma once
// The media properties of one playlist item: file, duration, format and one block per stream.
#include "framework/Dialog.h"

namespace zevrin {

class CPlaylistItem;

class CPropertiesDialog : public fw::CDialog {
public:
    CPropertiesDialog(CPlaylistItem& item, HWND parent);

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnNotify(WPARAM, LPARAM);
    void SetUpList();
    void FillList();

    CPlaylistItem& item_;
    HWND list_ = nullptr;
};

} // namespace zevrin
