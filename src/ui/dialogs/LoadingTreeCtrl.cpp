#include "ui/dialogs/LoadingTreeCtrl.h"

#include <mmsystem.h>

namespace zevrin {

namespace {
constexpr UINT_PTR kSubclassId = 1;
constexpr UINT kTimerResolutionMs = 5;
constexpr int kStopped = 2;
} // namespace

CLoadingTreeCtrl::~CLoadingTreeCtrl() {
    StopAnimation();
    if (hwnd_) ::RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
}

bool CLoadingTreeCtrl::Attach(HWND tree) {
    if (!tree || !::SetWindowSubclass(tree, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
    hwnd_ = tree;
    return true;
}

LRESULT CALLBACK CLoadingTreeCtrl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self) {
    auto* tree = reinterpret_cast<CLoadingTreeCtrl*>(self);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        tree->hwnd_ = nullptr;
        return result;
    }
    return tree->WindowProc(message, wParam, lParam);
}

LRESULT CLoadingTreeCtrl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::DefSubclassProc(hwnd_, message, wParam, lParam);
}

// While a branch is read the tree keeps showing the snapshot taken before; a repaint wakes the
// animation so that it draws itself again over it.
LRESULT CLoadingTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (snapshotValid_) {
        if (message == WM_ERASEBKGND && PaintSnapshot(reinterpret_cast<HDC>(wParam))) return 1;
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd_, &ps);
            PaintSnapshot(dc);
            ::EndPaint(hwnd_, &ps);
            return 0;
        }
    }
    return DefaultProc(message, wParam, lParam);
}

bool CLoadingTreeCtrl::PaintSnapshot(HDC dc) {
    HDC memory = ::CreateCompatibleDC(dc);
    if (!memory) return false;
    HGDIOBJ old = ::SelectObject(memory, snapshot_.Get());
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    ::BitBlt(dc, 0, 0, rc.right, rc.bottom, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    if (wakeEvent_) ::SetEvent(wakeEvent_.Get());
    return true;
}

bool CLoadingTreeCtrl::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != hwnd_) return false;
    const auto& tv = reinterpret_cast<const NMTREEVIEWW&>(header);
    switch (header.code) {
    case TVN_ITEMEXPANDINGW:
        result = OnItemExpanding(tv);
        return true;
    case TVN_ITEMEXPANDEDW:
        OnItemExpanded(tv);
        result = 0;
        return true;
    default:
        return false;
    }
}

LRESULT CLoadingTreeCtrl::OnItemExpanding(const NMTREEVIEWW& tv) {
    if (!(tv.action & TVE_EXPAND)) return 0;
    HTREEITEM item = tv.itemNew.hItem;
    if (TreeView_GetChild(hwnd_, item) && !ReloadOnExpand(item)) return 0;
    pending_ = item;
    ::UpdateWindow(hwnd_);
    SetRedraw(false);
    TVINSERTSTRUCTW insert{};
    insert.hParent = item;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(kPlaceholderText);
    placeholder_ = TreeView_InsertItem(hwnd_, &insert);
    SetProgress(1, 0);
    return 0;
}

void CLoadingTreeCtrl::OnItemExpanded(const NMTREEVIEWW& tv) {
    HTREEITEM item = tv.itemNew.hItem;
    if (!(tv.action & TVE_EXPAND) || !pending_ || pending_ != item) return;
    if (animationEnabled_) {
        SetRedraw(true);
        TreeView_EnsureVisible(hwnd_, placeholder_);
        ::UpdateWindow(hwnd_);
    }
    StartAnimation();
    if (animationEnabled_) ClearPlaceholderIcon();
    SetRedraw(false);
    TakeSnapshot();

    TreeView_DeleteItem(hwnd_, placeholder_);
    placeholder_ = nullptr;
    int final = FillBranch(item);
    StopAnimation();

    const bool hasChildren = TreeView_GetChild(hwnd_, item) != nullptr;
    TVITEMW state{};
    state.hItem = item;
    if (final) {
        state.mask = TVIF_CHILDREN;
        state.cChildren = hasChildren ? 1 : 0;
        TreeView_SetItem(hwnd_, &state);
    } else if (!hasChildren) {
        state.mask = TVIF_STATE;
        state.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        TreeView_SetItem(hwnd_, &state);
    }
    snapshotValid_ = false;
    snapshot_.Reset();
    pending_ = nullptr;
    SetRedraw(true);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    ScrollChildrenIntoView(item);
}

void CLoadingTreeCtrl::ScrollChildrenIntoView(HTREEITEM item) const {
    for (HTREEITEM child = TreeView_GetChild(hwnd_, item); child; child = TreeView_GetNextSibling(hwnd_, child)) {
        TreeView_EnsureVisible(hwnd_, child);
        if (TreeView_GetFirstVisible(hwnd_) == item) break;
    }
}

void CLoadingTreeCtrl::TakeSnapshot() {
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    HDC window = ::GetDC(hwnd_);
    snapshot_.Reset(::CreateCompatibleBitmap(window, rc.right, rc.bottom));
    HDC memory = ::CreateCompatibleDC(window);
    if (snapshot_ && memory) {
        HGDIOBJ old = ::SelectObject(memory, snapshot_.Get());
        ::BitBlt(memory, 0, 0, rc.right, rc.bottom, window, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        snapshotValid_ = true;
    }
    if (memory) ::DeleteDC(memory);
    ::ReleaseDC(hwnd_, window);
}

void CLoadingTreeCtrl::StartAnimation() {
    PrepareAnimation(placeholder_);
    timerEvent_.Reset(::CreateEventW(nullptr, FALSE, TRUE, nullptr));
    wakeEvent_.Reset(::CreateEventW(nullptr, FALSE, TRUE, nullptr));
    stop_ = 0;
    if (!timerEvent_ || !wakeEvent_) return;
    thread_.Reset(::CreateThread(nullptr, 0, AnimationMain, this, 0, nullptr));
    if (thread_ && timerPeriodMs_)
        timerId_ =
            ::timeSetEvent(timerPeriodMs_, kTimerResolutionMs, reinterpret_cast<LPTIMECALLBACK>(timerEvent_.Get()), 0,
                           TIME_PERIODIC | TIME_CALLBACK_EVENT_SET);
}

void CLoadingTreeCtrl::StopAnimation() {
    if (timerId_) ::timeKillEvent(timerId_);
    timerId_ = 0;
    stop_ = kStopped;
    if (wakeEvent_) ::SetEvent(wakeEvent_.Get());
    bool wasRunning = static_cast<bool>(thread_);
    if (thread_) ::WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    timerEvent_.Reset();
    wakeEvent_.Reset();
    if (wasRunning) EndAnimation();
}

DWORD WINAPI CLoadingTreeCtrl::AnimationMain(void* param) {
    auto* self = static_cast<CLoadingTreeCtrl*>(param);
    HANDLE events[] = {self->timerEvent_.Get(), self->wakeEvent_.Get()};
    while (self->stop_ != kStopped) {
        DWORD woken = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
        if (woken != WAIT_OBJECT_0 && woken != WAIT_OBJECT_0 + 1) break;
        if (self->stop_ == kStopped) break;
        self->AnimationTick(woken == WAIT_OBJECT_0, self->total_, self->current_);
    }
    return 0;
}

void CLoadingTreeCtrl::SetProgress(int total, int current) {
    total_ = total;
    current_ = current;
    if (wakeEvent_) ::SetEvent(wakeEvent_.Get());
}

void CLoadingTreeCtrl::AddProgress(int n) {
    current_ += n;
    if (wakeEvent_) ::SetEvent(wakeEvent_.Get());
}

} // namespace zevrin
