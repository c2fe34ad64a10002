#include "ui/dialogs/ShellContextMenu.h"

namespace zevrin {

namespace {
// The frame's message line (WM_SETMESSAGESTRING of the framework).
constexpr UINT kSetMessageString = 0x0362;
constexpr size_t kHelpChars = 260;
} // namespace

CShellContextMenu::~CShellContextMenu() {
    Attach(nullptr);
    Release();
}

void CShellContextMenu::Release() {
    if (contextMenu_) contextMenu_->Release();
    contextMenu_ = nullptr;
}

bool CShellContextMenu::Create(IShellFolder* folder, LPCITEMIDLIST child) {
    IContextMenu* menu = nullptr;
    if (folder && child &&
        FAILED(folder->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr, reinterpret_cast<void**>(&menu))))
        menu = nullptr;
    Release();
    contextMenu_ = menu;
    firstId_ = lastId_ = 0;
    return contextMenu_ != nullptr;
}

bool CShellContextMenu::FillMenu(HMENU menu, UINT position, UINT firstId, UINT lastId, UINT flags) {
    if (!contextMenu_) return false;
    firstId_ = firstId;
    lastId_ = lastId;
    UINT oldDefault = ::GetMenuDefaultItem(menu, FALSE, 0);
    HRESULT hr = contextMenu_->QueryContextMenu(menu, position, firstId, lastId, flags);
    if (flags & CMF_NODEFAULT) ::SetMenuDefaultItem(menu, oldDefault, FALSE);
    if (FAILED(hr)) {
        firstId_ = lastId_ = 0;
        return false;
    }
    lastId_ = firstId + (HRESULT_CODE(hr) & 0xFFFF) - 1;
    return true;
}

void CShellContextMenu::Attach(HWND owner) {
    if (owner_) {
        ::RemovePropW(owner_, kProperty);
        ::SetWindowLongPtrW(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc_));
        owner_ = nullptr;
        oldWndProc_ = nullptr;
    }
    if (!owner) return;
    owner_ = owner;
    oldWndProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(owner, GWLP_WNDPROC));
    ::SetPropW(owner, kProperty, this);
    ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc));
}

bool CShellContextMenu::InvokeCommand(UINT id) {
    if (!contextMenu_ || id < firstId_ || id > lastId_) return false;
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner_;
    info.lpVerb = MAKEINTRESOURCEA(id - firstId_);
    info.nShow = SW_SHOWNORMAL;
    return contextMenu_->InvokeCommand(&info) == S_OK;
}

bool CShellContextMenu::GetHelpText(UINT id, std::wstring& text) {
    text.clear();
    if (!contextMenu_ || id < firstId_ || id > lastId_) return false;
    wchar_t wide[kHelpChars] = L"";
    HRESULT hr = contextMenu_->GetCommandString(id - firstId_, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wide),
                                                kHelpChars);
    if (SUCCEEDED(hr) && wide[0]) {
        text = wide;
        return true;
    }
    char narrow[kHelpChars] = "";
    hr = contextMenu_->GetCommandString(id - firstId_, GCS_HELPTEXTA, nullptr, narrow, kHelpChars);
    if (FAILED(hr)) return false;
    wchar_t converted[kHelpChars] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, narrow, -1, converted, static_cast<int>(kHelpChars));
    converted[kHelpChars - 1] = 0;
    text = converted;
    return true;
}

LRESULT CALLBACK CShellContextMenu::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CShellContextMenu*>(::GetPropW(hwnd, kProperty));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    if (self->HandleMessage(message, wParam, lParam, result)) return result;
    WNDPROC old = self->oldWndProc_;
    if (message == WM_DESTROY) self->Attach(nullptr);
    return ::CallWindowProcW(old, hwnd, message, wParam, lParam);
}

bool CShellContextMenu::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!contextMenu_) return false;
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
        // Both records start with the control type.
        if (*reinterpret_cast<const UINT*>(lParam) != ODT_MENU) return false;
        [[fallthrough]];
    }
    case WM_INITMENUPOPUP: {
        result = message == WM_INITMENUPOPUP ? 0 : 1;
        IContextMenu2* menu2 = nullptr;
        if (FAILED(contextMenu_->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&menu2)))) return false;
        bool handled = menu2->HandleMenuMsg(message, wParam, lParam) == S_OK;
        menu2->Release();
        return handled;
    }
    case WM_MENUSELECT:
        return HandleMenuSelect(wParam, lParam, result);
    default:
        return false;
    }
}

bool CShellContextMenu::HandleMenuSelect(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!owner_) return false;
    HWND frame = ::GetAncestor(owner_, GA_ROOTOWNER);
    if (!frame || frame == owner_) return false;
    result = 0;
    if (HIWORD(wParam) == 0xFFFF) return false; // the menu closes
    UINT flags = HIWORD(wParam);
    UINT id = LOWORD(wParam);
    if (flags & MF_POPUP) {
        HMENU sub = ::GetSubMenu(reinterpret_cast<HMENU>(lParam), static_cast<int>(id));
        id = sub ? ::GetMenuItemID(sub, 0) : 0;
    }
    bool separator = (flags & MF_SEPARATOR) != 0;
    if (!separator && !(id != 0 && id >= firstId_ && id <= lastId_)) return false;
    std::wstring help;
    if (!separator) GetHelpText(id, help);
    ::SendMessageW(frame, kSetMessageString, 0, reinterpret_cast<LPARAM>(help.c_str()));
    return true;
}

} // namespace zevrin
