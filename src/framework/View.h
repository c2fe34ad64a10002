#pragma once
// A view: a child window that shows the document. Views are created with new by their parent
// and delete themselves when their window goes.
#include "framework/Wnd.h"

namespace fw {

class CDocument;
class CFrameWnd;

class CView : public CWnd {
public:
    ~CView() override;

    // Creates the view window as a child with the given id.
    bool CreateView(HWND parent, UINT id, CDocument* document, DWORD style = WS_CHILD | WS_VISIBLE);

    CDocument* Document() const { return document_; }
    CFrameWnd* ParentFrame() const;

    // Called once after the frame and all views exist.
    virtual void OnInitialUpdate() {}
    // The view gains (activate) or loses the frame's active-view status.
    virtual void OnActivateView(bool activate) { (void)activate; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Once created, a view deletes itself when its window goes.
    void PostNcDestroy() override {
        if (autoDelete_) delete this;
    }

    // Sets the device context up before drawing (mapping mode, origins, clipping).
    virtual void OnPrepareDC(HDC dc) { (void)dc; }
    virtual void OnDraw(HDC dc) = 0;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnMouseActivate(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    CDocument* document_ = nullptr;
    bool autoDelete_ = false;
};

} // namespace fw
