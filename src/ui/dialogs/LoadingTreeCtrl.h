#pragma once
// A tree-view control that fills each branch the first time it is opened. While the branch is
// read (on the tree's own thread, which is busy meanwhile) a "Loading..." row stands in for the
// children and a thread of its own draws a busy animation beside it, woken by a multimedia timer
// and by the progress the filling reports; the tree shows a snapshot of itself until the
// children are in. Derived classes say how a branch is filled and what the animation draws.
//
// The tree control comes from a dialog template: Attach subclasses it, and the dialog hands the
// tree's notifications to OnNotify.
#include "framework/Handles.h"

#include <windows.h>
#include <commctrl.h>

#include <atomic>

namespace zevrin {

class CLoadingTreeCtrl {
public:
    static constexpr wchar_t kPlaceholderText[] = L"Loading...";

    CLoadingTreeCtrl() = default;
    CLoadingTreeCtrl(const CLoadingTreeCtrl&) = delete;
    CLoadingTreeCtrl& operator=(const CLoadingTreeCtrl&) = delete;
    virtual ~CLoadingTreeCtrl();

    bool Attach(HWND tree);
    HWND Hwnd() const { return hwnd_; }

    // A notification the tree sent its parent; true when handled, `result` is then the answer.
    virtual bool OnNotify(const NMHDR& header, LRESULT& result);

    bool Expand(HTREEITEM item) const { return TreeView_Expand(hwnd_, item, TVE_EXPAND) != FALSE; }

protected:
    // The animation, called on the animation thread except where said.
    virtual void PrepareAnimation(HTREEITEM /*placeholder*/) {} // tree thread
    virtual void AnimationTick(bool /*timerTick*/, int /*total*/, int /*current*/) {}
    virtual void ClearPlaceholderIcon() {} // tree thread
    virtual void EndAnimation() {}         // tree thread
    // Whether an opened branch that has children is read again (0: never, here).
    virtual int ReloadOnExpand(HTREEITEM /*item*/) { return 0; }
    // Fills the branch; 1 when that is final, 0 when it is to be read again at its next opening.
    virtual int FillBranch(HTREEITEM item) = 0;

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Progress of the filling; each call wakes the animation.
    void SetProgress(int total, int current);
    void AddProgress(int n = 1);

    void SetRedraw(bool on) const { ::SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0); }

    bool animationEnabled_ = false;
    UINT timerPeriodMs_ = 0; // 0: no timer

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    static DWORD WINAPI AnimationMain(void* self);

    LRESULT OnItemExpanding(const NMTREEVIEWW& tv);
    void OnItemExpanded(const NMTREEVIEWW& tv);
    void StartAnimation();
    void StopAnimation();
    void TakeSnapshot();
    void ScrollChildrenIntoView(HTREEITEM item) const;
    bool PaintSnapshot(HDC dc);

    HWND hwnd_ = nullptr;
    HTREEITEM placeholder_ = nullptr;
    HTREEITEM pending_ = nullptr;
    UINT timerId_ = 0;
    fw::UniqueKernelHandle timerEvent_;
    fw::UniqueKernelHandle wakeEvent_;
    std::atomic<int> stop_{0};
    fw::UniqueKernelHandle thread_;
    std::atomic<int> total_{0};
    std::atomic<int> current_{0};
    fw::UniqueBitmap snapshot_;
    bool snapshotValid_ = false;
};

} // namespace zevrin
