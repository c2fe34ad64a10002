#pragma once
// A link of the new-version dialog: a dialog button that shows a text and opens an address
// when clicked. For now a plain push button stands in for the program's hyperlink control;
// the dialog uses only what both have (SetLink, AutoSize, a font), so swapping them is local
// to this file.
#include <windows.h>

#include <string>

namespace zevrin {

class CUpdateLink {
public:
    void Attach(HWND dialog, int id) { hwnd_ = GetDlgItem(dialog, id); }
    HWND Hwnd() const { return hwnd_; }

    void SetLink(const std::wstring& url, const std::wstring& text);
    void SetFont(HFONT font) const;
    // Width of the text plus a small margin; left edge and height stay.
    void AutoSize() const;
    // Opens the address in the browser; what a click does.
    void Open() const;
    const std::wstring& Url() const { return url_; }

private:
    HWND hwnd_ = nullptr;
    std::wstring url_;
};

} // namespace zevrin
