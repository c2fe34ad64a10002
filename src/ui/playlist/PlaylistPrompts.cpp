#include "ui/playlist/PlaylistPrompts.h"

#include "app/AppSettings.h"

#include <shlobj.h>

#include <vector>

namespace zevrin {

namespace {

// A dialog template built in memory: a label, an edit box, OK and Cancel.
class CTextTemplate {
public:
    CTextTemplate(const wchar_t* title, const wchar_t* label, bool multiline) {
        const short height = multiline ? 120 : 60;
        Header(title, height);
        Item(WS_CHILD | WS_VISIBLE, 7, 7, 246, 10, 0xFFFF, 0x0082, label);
        DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
        if (multiline) editStyle |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
        Item(editStyle, 7, 20, 246, static_cast<short>(height - 44), kEditId, 0x0081, L"");
        Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 146, static_cast<short>(height - 20), 50, 14, IDOK, 0x0080, L"OK");
        Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 203, static_cast<short>(height - 20), 50, 14, IDCANCEL, 0x0080, L"Cancel");
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
    static constexpr WORD kEditId = 100;

private:
    void Align() {
        while (words_.size() % 2) words_.push_back(0);
    }
    void Dword(DWORD v) {
        words_.push_back(LOWORD(v));
        words_.push_back(HIWORD(v));
    }
    void Text(const wchar_t* s) {
        for (; *s; ++s) words_.push_back(*s);
        words_.push_back(0);
    }
    void Header(const wchar_t* title, short height) {
        Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        Dword(0);
        words_.push_back(4);  // items
        for (short v : {short(0), short(0), short(260), height}) words_.push_back(static_cast<WORD>(v));
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the dialog class
        Text(title);
        words_.push_back(8);
        Text(L"MS Shell Dlg");
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls, const wchar_t* text) {
        Align();
        Dword(style);
        Dword(0);
        for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(cls);
        Text(text);
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

struct TextPrompt {
    std::wstring* text;
};

INT_PTR CALLBACK TextPromptProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            auto* prompt = reinterpret_cast<TextPrompt*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
            HWND edit = ::GetDlgItem(hwnd, CTextTemplate::kEditId);
            std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
            text.resize(static_cast<size_t>(::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
            *prompt->text = text;
        }
        ::EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

bool AskForText(HWND owner, const wchar_t* title, const wchar_t* label, bool multiline, std::wstring& text) {
    CTextTemplate dialog(title, label, multiline);
    TextPrompt prompt{&text};
    INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), owner, TextPromptProc,
                                               reinterpret_cast<LPARAM>(&prompt));
    return result == IDOK;
}

} // namespace zevrin
