#pragma once
// The shell's own context menu for one shell item. The shell fills a popup menu with its
// commands in a range of ids we reserve, draws some entries itself and fills sub-menus late,
// so while the menu shows, the owner window's procedure is hooked and the menu messages are
// handed to the shell; the help text of the highlighted entry goes to the frame's message line.
// The chosen command is carried out by the shell.
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace zevrin {

class CShellContextMenu {
public:
    // The range and flags the folder tree uses.
    static constexpr UINT kFirstId = 0x0E00, kLastId = 0x0FFF;
    static constexpr UINT kTreeFlags = CMF_EXPLORE | CMF_NODEFAULT;
    static constexpr wchar_t kProperty[] = L"ShellContextMenu";

    CShellContextMenu() = default;
    CShellContextMenu(const CShellContextMenu&) = delete;
    CShellContextMenu& operator=(const CShellContextMenu&) = delete;
    ~CShellContextMenu();

    // The menu object of one child of `folder`; true when the shell gave one.
    bool Create(IShellFolder* folder, LPCITEMIDLIST child);
    bool FillMenu(HMENU menu, UINT position, UINT firstId, UINT lastId, UINT flags);
    // Hooks `owner` (nullptr: unhooks the current one).
    void Attach(HWND owner);
    bool InvokeCommand(UINT id);
    bool GetHelpText(UINT id, std::wstring& text);

    bool HasMenu() const { return contextMenu_ != nullptr; }
    UINT FirstId() const { return firstId_; }
    UINT LastId() const { return lastId_; }
    HWND Owner() const { return owner_; }

private:
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // true when the message was handled; `result` is then the answer.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleMenuSelect(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Release();

    IContextMenu* contextMenu_ = nullptr;
    UINT firstId_ = 0, lastId_ = 0;
    HWND owner_ = nullptr;
    WNDPROC oldWndProc_ = nullptr;
};

} // namespace zevrin
