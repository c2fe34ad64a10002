#include "ui/WindowEffects.h"

namespace zevrin {

namespace {

BOOL WINAPI AnswerNo() { return FALSE; }

// The theme library is loaded on the first question and kept; a failed load is not retried.
HMODULE ThemeLibrary() {
    static const HMODULE library = LoadLibraryW(L"UxTheme.dll");
    return library;
}

// A missing function is replaced by one that answers 0.
ThemeQuery ThemeFunction(const char* name) {
    HMODULE library = ThemeLibrary();
    FARPROC found = library ? GetProcAddress(library, name) : nullptr;
    return found ? reinterpret_cast<ThemeQuery>(reinterpret_cast<void*>(found)) : &AnswerNo;
}

BOOL WINAPI IsThemeActiveLate() {
    static const ThemeQuery function = ThemeFunction("IsThemeActive");
    return function();
}

BOOL WINAPI IsAppThemedLate() {
    static const ThemeQuery function = ThemeFunction("IsAppThemed");
    return function();
}

SetLayeredAttributes SetLayeredAttributesOfSystem() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    FARPROC found = user32 ? GetProcAddress(user32, "SetLayeredWindowAttributes") : nullptr;
    return reinterpret_cast<SetLayeredAttributes>(reinterpret_cast<void*>(found));
}

} // namespace

int IsThemed(ThemeQuery isThemeActive, ThemeQuery isAppThemed) { return isThemeActive() && isAppThemed() ? 1 : 0; }

int IsThemed() { return IsThemed(&IsThemeActiveLate, &IsAppThemedLate); }

// The layered style goes on only when the attributes can be set too: a layered window whose
// attributes were never set is not drawn at all.
int MakeTransparent(HWND window, BYTE alpha, SetLayeredAttributes setAttributes) {
    if (!setAttributes) return 0;
    LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    BOOL done = setAttributes(window, 0, alpha, LWA_ALPHA);
    if (!done && !(ex & WS_EX_LAYERED)) SetWindowLongPtrW(window, GWL_EXSTYLE, ex);
    return done;
}

int MakeTransparent(HWND window, BYTE alpha) { return MakeTransparent(window, alpha, SetLayeredAttributesOfSystem()); }

int RemoveTransparency(HWND window) {
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    return 1;
}

} // namespace zevrin
