#pragma once
// A push button that shows one picture normally and another while hovered or pressed, on a
// plain background colour. It tells its parent of a click as a button does (WM_COMMAND with
// BN_CLICKED).
#include "framework/Wnd.h"
#include "image/ThumbnailImage.h"

namespace zevrin {

class CImageButton : public fw::CWnd {
public:
    enum DrawState { kNormal, kHover, kPressed, kFocused, kDisabled };

    bool Create(const wchar_t* text, HWND parent, UINT id);
    void SetImages(const CThumbnailImage* normal, const CThumbnailImage* highlighted);
    DrawState State() const;

    COLORREF backColor = RGB(0, 0, 0);
    bool hover = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnFocusChange(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }

    const CThumbnailImage* images_[2] = {};
    SIZE imageSize_{};
    bool pressed_ = false;
};

} // namespace zevrin
