#pragma once
// The dialog a manual update check shows while it runs: a bar that keeps running (there is no
// real progress to show), the automatic-check box and Cancel. The check itself runs on a
// thread of the dialog's, which posts WM_CHECK_DONE when it has ended; Cancel only raises the
// flag the check polls, and the dialog stays until the check has noticed it.
#include "framework/Dialog.h"

#include <atomic>
#include <functional>
#include <thread>

namespace zevrin {

class CUpdateProgressDialog : public fw::CDialog {
public:
    static constexpr UINT WM_CHECK_DONE = WM_USER + 400;

    // `check` runs on the dialog's thread and returns its result; `cancel` is the flag it polls.
    CUpdateProgressDialog(std::function<int()> check, std::atomic<int>& cancel, HWND parent);
    ~CUpdateProgressDialog() override;

    bool autoCheck = true; // the box, in and out
    int result = -1;       // what the check returned

    // The dialog while one is showing, so that a second manual check can bring it forward.
    static HWND Showing() { return showing_; }

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnCheckDone(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    std::function<int()> check_;
    std::atomic<int>& cancel_;
    std::thread thread_;
    static inline std::atomic<HWND> showing_{nullptr};
};

// The running bar: two steps on, back to 0 past the end.
int NextRunningPosition(int position);

} // namespace zevrin
