#include "framework/View.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"

namespace fw {

CView::~CView() {
    if (document_) document_->RemoveView(this);
}

bool CView::CreateView(HWND parent, UINT id, CDocument* document, DWORD style) {
    document_ = document;
    if (document_) document_->AddView(this);
    const wchar_t* cls = RegisterClass(L"ZevrinView", CS_DBLCLKS);
    autoDelete_ = Create(cls, L"", style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, RECT{}, parent, id);
    return autoDelete_;
}

CFrameWnd* CView::ParentFrame() const {
    for (HWND h = Parent(); h; h = ::GetParent(h))
        if (auto frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandle(h))) return frame;
    return nullptr;
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const Message<CView> messages[] = {
        {WM_PAINT, &CView::OnPaint},
        {WM_MOUSEACTIVATE, &CView::OnMouseActivate},
        {WM_DESTROY, &CView::OnDestroy},
    };
    if (auto r = DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CView::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    OnPrepareDC(dc);
    OnDraw(dc);
    EndPaint(Hwnd(), &ps);
    return 0;
}

// A click into a view makes it the frame's active view, as users expect of panes.
LRESULT CView::OnMouseActivate(WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefaultProc(WM_MOUSEACTIVATE, wParam, lParam);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    if (CFrameWnd* frame = ParentFrame()) frame->SetActiveView(this);
    return result;
}

// A frame must never keep a pointer to a view that is gone.
LRESULT CView::OnDestroy(WPARAM, LPARAM) {
    if (CFrameWnd* frame = ParentFrame(); frame && frame->ActiveView() == this) frame->SetActiveView(nullptr, false);
    return 0;
}

} // namespace fw
