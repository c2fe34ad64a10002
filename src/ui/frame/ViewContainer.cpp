#include "ui/frame/ViewContainer.h"

#include "services/AppSettings.h"
#include "framework/FrameWnd.h"
#include "framework/Ids.h"
#include "framework/View.h"

#include <algorithm>

namespace zevrin {

namespace {
constexpr COLORREF kDividerColor = RGB(0x18, 0x18, 0x18);
constexpr int kPaneCount = 2;
} // namespace

ContainerLayout LayOutContainer(const RECT& client, PaneLayout mode, int playlistWidth, int& remembered, int dpi) {
    if (mode != CViewContainer::kDocked) return ContainerLayout{client, client, RECT{}};
    int wanted = playlistWidth;
    if (remembered > 0 && remembered > wanted) wanted = remembered;
    int half = (client.right - client.left) / 2;
    int edge = client.right - wanted;
    if (wanted > half) {
        remembered = wanted;
        edge = client.right - half;
    } else {
        remembered = -1;
    }
    ContainerLayout layout{client, client, client};
    layout.pane1.left = edge;
    const int divider = fw::ScaleTo(1, dpi);
    layout.pane0.right = std::max<LONG>(client.left, edge - divider);
    layout.divider.left = edge - divider;
    layout.divider.right = edge;
    return layout;
}

CViewContainer::CViewContainer()
    : mode_(PaneLayoutOf(Settings().layout)), playlistWidth_(DefaultPlaylistWidth()),
      resizeCursor_(LoadCursorW(nullptr, IDC_SIZEWE)) {}

CViewContainer::~CViewContainer() { Settings().layout = static_cast<int>(mode_); }

int CViewContainer::DefaultPlaylistWidth(int dpi) {
    return GetSystemMetrics(SM_CXVSCROLL) + fw::ScaleTo(Settings().thumbnailCx + 26, dpi);
}

bool CViewContainer::Create(HWND frame, UINT id) {
    const wchar_t* cls = RegisterClass(L"ZevrinViewContainer", CS_DBLCLKS);
    return fw::CWnd::Create(cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, RECT{}, frame, id);
}

HWND CViewContainer::GetPane(int i) const { return GetDlgItem(Hwnd(), static_cast<int>(IDW_PANE_FIRST + i)); }

void CViewContainer::SetMode(PaneLayout mode) {
    mode_ = mode;
    for (int i = 0; i < kPaneCount; ++i)
        if (HWND pane = GetPane(i)) ShowWindow(pane, mode_ == kDocked || i == ActivePane() ? SW_SHOW : SW_HIDE);
    RecalcLayout();
    Invalidate();
}

int CViewContainer::ActivePane() const {
    auto* frame = dynamic_cast<fw::CFrameWnd*>(fw::CWnd::FromHandle(Parent()));
    if (fw::CView* view = frame ? frame->ActiveView() : nullptr) {
        for (int i = 0; i < kPaneCount; ++i)
            if (view->Hwnd() && view->Hwnd() == GetPane(i)) return i;
    }
    return active_;
}

void CViewContainer::Activate(int pane) {
    HWND hwnd = GetPane(pane);
    if (!hwnd) return;
    active_ = pane;
    auto* frame = dynamic_cast<fw::CFrameWnd*>(fw::CWnd::FromHandle(Parent()));
    if (auto* view = dynamic_cast<fw::CView*>(fw::CWnd::FromHandle(hwnd)); view && frame)
        frame->SetActiveView(view);
    else
        SetFocus(hwnd);
    if (mode_ == kOnePane) {
        if (HWND other = GetPane(1 - pane)) ShowWindow(other, SW_HIDE);
        ShowWindow(hwnd, SW_SHOW);
    }
    RecalcLayout();
    ::SendMessageW(Parent(), WM_PANE_CHANGED, static_cast<WPARAM>(mode_), pane == 1 ? 1 : 0);
}

void CViewContainer::ActivateNext(bool backwards) {
    int active = ActivePane();
    int current = active < 0 ? 0 : active;
    Activate((current + (backwards ? kPaneCount - 1 : 1)) % kPaneCount);
}

void CViewContainer::RecalcLayout() {
    if (!Hwnd()) return;
    ContainerLayout layout = LayOutContainer(ClientRect(), mode_, playlistWidth_, remembered_, dpi_);
    const RECT* rects[kPaneCount] = {&layout.pane0, &layout.pane1};
    for (int i = 0; i < kPaneCount; ++i)
        if (HWND pane = GetPane(i))
            SetWindowPos(pane, nullptr, rects[i]->left, rects[i]->top, rects[i]->right - rects[i]->left,
                         rects[i]->bottom - rects[i]->top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (mode_ == kDocked) InvalidateRect(Hwnd(), &layout.divider, TRUE);
}

LRESULT CViewContainer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CViewContainer> messages[] = {
        {WM_SIZE, &CViewContainer::OnSize},
        {WM_ERASEBKGND, &CViewContainer::OnEraseBackground},
        {WM_LBUTTONDOWN, &CViewContainer::OnLButtonDown},
        {WM_LBUTTONDBLCLK, &CViewContainer::OnLButtonDblClk},
        {WM_MOUSEMOVE, &CViewContainer::OnMouseMove},
        {WM_LBUTTONUP, &CViewContainer::OnLButtonUp},
        {WM_CANCELMODE, &CViewContainer::OnCancelMode},
        {WM_CAPTURECHANGED, &CViewContainer::OnCancelMode},
        {WM_SETCURSOR, &CViewContainer::OnSetCursor},
        {WM_MOUSEWHEEL, &CViewContainer::OnMouseWheel},
        {fw::WM_DPI_RESCALE, &CViewContainer::OnDpiRescale},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return fw::CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CViewContainer::OnSize(WPARAM, LPARAM) {
    RecalcLayout();
    return 0;
}

LRESULT CViewContainer::OnEraseBackground(WPARAM wParam, LPARAM) {
    if (mode_ != kDocked) return 1;
    int remembered = remembered_;
    ContainerLayout layout = LayOutContainer(ClientRect(), mode_, playlistWidth_, remembered, dpi_);
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, kDividerColor);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &layout.divider, nullptr, 0, nullptr);
    return 1;
}

bool CViewContainer::OnDivider(int x) const {
    if (mode_ != kDocked) return false;
    int remembered = remembered_;
    ContainerLayout layout = LayOutContainer(ClientRect(), mode_, playlistWidth_, remembered, dpi_);
    return x >= layout.divider.left && x < layout.divider.right;
}

LRESULT CViewContainer::OnLButtonDown(WPARAM, LPARAM lParam) {
    int x = fw::MousePoint(lParam).x;
    if (!OnDivider(x)) return 0;
    int remembered = remembered_;
    dragOffset_ = x - LayOutContainer(ClientRect(), mode_, playlistWidth_, remembered, dpi_).pane1.left;
    dragging_ = true;
    SetCapture(Hwnd());
    return 0;
}

LRESULT CViewContainer::OnMouseMove(WPARAM, LPARAM lParam) {
    if (!dragging_) return 0;
    RECT rc = ClientRect();
    int half = (rc.right - rc.left) / 2;
    int edge = std::clamp<int>(fw::MousePoint(lParam).x - dragOffset_, rc.right - half, rc.right);
    playlistWidth_ = rc.right - edge;
    remembered_ = -1;
    RecalcLayout();
    return 0;
}

LRESULT CViewContainer::OnLButtonUp(WPARAM, LPARAM) {
    if (dragging_) ReleaseCapture();
    dragging_ = false;
    return 0;
}

LRESULT CViewContainer::OnCancelMode(WPARAM, LPARAM) {
    if (dragging_ && GetCapture() == Hwnd()) ReleaseCapture();
    dragging_ = false;
    return 0;
}

LRESULT CViewContainer::OnLButtonDblClk(WPARAM, LPARAM lParam) {
    if (!OnDivider(fw::MousePoint(lParam).x)) return 0;
    playlistWidth_ = DefaultPlaylistWidth(dpi_);
    remembered_ = -1;
    RecalcLayout();
    return 0;
}

LRESULT CViewContainer::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(Hwnd(), &pt);
    if (reinterpret_cast<HWND>(wParam) == Hwnd() && (dragging_ || OnDivider(pt.x))) {
        SetCursor(resizeCursor_);
        return TRUE;
    }
    return DefaultProc(WM_SETCURSOR, wParam, lParam);
}

// The playlist's width, chosen or remembered, keeps its size in the program's units.
LRESULT CViewContainer::OnDpiRescale(WPARAM wParam, LPARAM) {
    const int dpi = static_cast<int>(wParam);
    if (dpi <= 0 || dpi == dpi_) return 0;
    playlistWidth_ = fw::ScaleTo(fw::UnscaleFrom(playlistWidth_, dpi_), dpi);
    if (remembered_ > 0) remembered_ = fw::ScaleTo(fw::UnscaleFrom(remembered_, dpi_), dpi);
    dpi_ = dpi;
    RecalcLayout();
    return 0;
}

// The wheel scrolls the playlist, wherever the pointer is.
LRESULT CViewContainer::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    if (HWND pane = GetPane(1)) ::SendMessageW(pane, WM_MOUSEWHEEL, wParam, lParam);
    return 0;
}

} // namespace zevrin
