#include "ui/frame/MenuBar.h"

#include "services/AppResources.h"

namespace zevrin {

namespace {

// The character after the first "&" when one stands before the last character, else the
// first character.
wchar_t MnemonicOf(const std::wstring& text) {
    size_t amp = text.find(L'&');
    if (amp != std::wstring::npos && amp + 1 < text.size()) return text[amp + 1];
    return text.empty() ? L'\0' : text[0];
}

} // namespace

CMenuBarItem::CMenuBarItem(CGadgetBar& bar, std::wstring text)
    : CGadget(bar, kNoCommand), text_(std::move(text)), mnemonic_(MnemonicOf(text_)) {}

void CMenuBarItem::Paint(HDC dc) {
    auto& bar = static_cast<CMenuBar&>(Bar());
    RECT rc = GetRect();
    bool lit = bar.ItemIsHighlighted(*this);
    if (lit) {
        fw::UniqueBrush brush(CreateSolidBrush(bar.highlightColor));
        FillRect(dc, &rc, brush.Get());
    }
    HGDIOBJ oldFont =
        SelectObject(dc, Resources().normalFont ? Resources().normalFont.Get() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, lit ? GetSysColor(COLOR_MENUTEXT) : bar.textColor);
    RECT text = rc;
    text.bottom -= 1;
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
}

} // namespace zevrin
