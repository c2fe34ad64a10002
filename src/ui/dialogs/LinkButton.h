#pragma once
// A hyperlink in a dialog: an owner-drawn push button of the dialog's template that shows its
// text in blue on the dialog's background, turns red (in its hover font) under the mouse and
// shows the hand cursor. A click opens its url; a link without a url tells the dialog of the
// click as any button does (WM_COMMAND, BN_CLICKED), so the dialog can act on it.
//
// The link takes over the template's button with SubclassDlgItem. It draws itself: the dialog
// needs no code for it, and a click on a link with a url never reaches the dialog.
#include <windows.h>

#include <string>

namespace zevrin {

class CLinkButton {
public:
    CLinkButton() = default;
    ~CLinkButton();
    CLinkButton(const CLinkButton&) = delete;
    CLinkButton& operator=(const CLinkButton&) = delete;

    // Takes over button `id` of `dialog` (style BS_OWNERDRAW) until it is destroyed.
    bool SubclassDlgItem(int id, HWND dialog);
    HWND Hwnd() const { return hwnd_; }

    // Stores the url; a text, when given, becomes the link's text. Repaints the link.
    void SetLink(const std::wstring& url, const wchar_t* text = nullptr);
    // The width becomes that of the text in the link's font plus 2 pixels; left edge and
    // height stay. A multi-line link (BS_MULTILINE) keeps its size.
    void AutoSize();
    std::wstring Text() const;
    void SetFont(HFONT font) const;

    HFONT hoverFont = nullptr; // while the mouse is over the link; none: the link's own font
    COLORREF normalColor = RGB(0, 0, 255);
    COLORREF hoverColor = RGB(255, 0, 0);
    COLORREF backColor = GetSysColor(COLOR_WINDOW); // behind the text when not transparent
    std::wstring url;                               // opened on a click; empty: the dialog hears of it
    bool hover = false;
    bool transparent = true; // the dialog's background shows through

private:
    static LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    void Release();
    void Draw(const DRAWITEMSTRUCT& item) const;
    void PaintDialogBackground(HDC dc) const;
    void OnMouseMove();
    void OnMouseLeave();

    HWND hwnd_ = nullptr;
    HWND dialog_ = nullptr;
};

// The DrawText format of a link's text for its button style: ellipsis at the end; right,
// left or centred by BS_RIGHT / BS_LEFT; one vertically centred line unless BS_MULTILINE.
UINT LinkTextFormat(DWORD buttonStyle);

// The look of the program's own links: the dialog's background colour, the shared normal
// font, underlined under the mouse, and as wide as the text.
void UseDialogLinkLook(CLinkButton& link);

} // namespace zevrin
