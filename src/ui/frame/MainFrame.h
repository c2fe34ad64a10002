#pragma once
// The program's single top-level window.
#include "framework/FrameWnd.h"

namespace zevrin {

class CMainFrame : public fw::CFrameWnd {
protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    int OnCreate(const CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnDropFiles(WPARAM, LPARAM);
};

} // namespace zevrin
