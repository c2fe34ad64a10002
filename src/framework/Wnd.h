#pragma once
// The base of every window class of the program. A CWnd owns its HWND: the window procedure
// finds the object through a per-thread map and calls its virtual WindowProc, where each class
// lists its message handlers in one table (see Message below).
//
// One convention for every window class:
//
//   LRESULT CMyWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
//       static constexpr fw::Message<CMyWnd> kMessages[] = {
//           {WM_SIZE, &CMyWnd::OnSize},
//           {WM_PAINT, &CMyWnd::OnPaint},
//       };
//       if (auto result = fw::DispatchMessageTable(this, kMessages, message, wParam, lParam)) return *result;
//       return Base::WindowProc(message, wParam, lParam);
//   }
//
// - A handler is `LRESULT OnName(WPARAM, LPARAM)`, named after the message, and returns what
//   the message's documentation asks for.
// - What the table does not list goes on to the base class's WindowProc, never straight to the
//   default procedure: the base class may handle it.
// - A handler that only adds to the usual processing lets it run by calling the base class's
//   WindowProc with the same message; DefaultProc is for the few handlers that mean to skip the
//   base classes' handling and reach the system's default directly.
// - Points packed into an lParam (mouse messages, WM_CONTEXTMENU) are read with MousePoint
//   below, which keeps their sign on a second screen left of or above the first.
#include "framework/CmdTarget.h"

#include <optional>
#include <span>
#include <string>

namespace fw {

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND Hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    // The object behind one of the program's windows, or nullptr for any other window.
    static CWnd* FromHandle(HWND hwnd);

    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, HWND parent, UINT id,
                DWORD exStyle = 0);
    // Creates a window of a class registered with RegisterClass below, or of any system class.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int cx,
                  int cy, HWND parent, HMENU menuOrId);
    void DestroyWindow();

    // A window class with the program's window procedure; returns the class name.
    static const wchar_t* RegisterClass(const wchar_t* name, UINT style = CS_DBLCLKS, HCURSOR cursor = nullptr,
                                        HBRUSH background = nullptr, HICON icon = nullptr);

    // Gives the window a chance to swallow a message before it is translated and dispatched.
    virtual bool PreTranslateMessage(MSG& msg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(hwnd_, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(hwnd_, message, wParam, lParam) != FALSE;
    }
    HWND Parent() const { return ::GetParent(hwnd_); }
    RECT ClientRect() const;
    RECT WindowRect() const;
    bool IsVisible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }
    void Show(int cmd) const { ::ShowWindow(hwnd_, cmd); }
    void Invalidate(bool erase = true) const { ::InvalidateRect(hwnd_, nullptr, erase); }
    UINT Id() const { return static_cast<UINT>(::GetDlgCtrlID(hwnd_)); }
    std::wstring Text() const;
    void SetText(const std::wstring& text) const { ::SetWindowTextW(hwnd_, text.c_str()); }

protected:
    virtual bool PreCreateWindow(CREATESTRUCTW& cs);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled.
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND from a menu, an accelerator or a control.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // Runs after the window is gone; windows that delete themselves do it here.
    virtual void PostNcDestroy() {}

private:
    friend LRESULT CALLBACK WndProcThunk(HWND, UINT, WPARAM, LPARAM);
    friend INT_PTR CALLBACK DialogProcThunk(HWND, UINT, WPARAM, LPARAM);
    friend class CPropertyPage;
    void Attach(HWND hwnd);
    void Detach();

    HWND hwnd_ = nullptr;
};

// WM_COMMAND from a child control with a notification code other than a click (BN_CLICKED is 0,
// as a menu's; 1 is an accelerator's).
inline bool IsControlNotification(WPARAM wParam, LPARAM lParam) {
    return lParam != 0 && HIWORD(wParam) != 0 && HIWORD(wParam) != 1;
}

// The point an lParam packs as two signed 16-bit coordinates (client or screen, as the
// message says).
inline POINT MousePoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// One row of a window class's message table: the message and the member that handles it.
template <class T>
struct Message {
    UINT message;
    LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam);
};

// Calls the handler the table lists for `message`; nullopt when the table has none, so that
// the caller can pass the message on to its base class.
template <class T, size_t N>
std::optional<LRESULT> DispatchMessageTable(T* target, const Message<T> (&table)[N], UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    for (const Message<T>& m : table)
        if (m.message == message) return (target->*m.handler)(wParam, lParam);
    return std::nullopt;
}

} // namespace fw
