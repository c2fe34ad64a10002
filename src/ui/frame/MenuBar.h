#pragma once
// The owner-drawn menu bar: the top-level entries of a menu as text items on a bar, their
// sub-menus opened as ordinary popup menus, with the mouse and keyboard navigation of a
// window's own menu (Alt+letter, Alt or F10, arrows across popups and cascades, Escape).
#include "framework/Handles.h"
#include "ui/display/GadgetBar.h"

#include <string>
#include <vector>

namespace zevrin {

// Opens an item's popup: wParam = item index, lParam low word != 0 when opened by keyboard.
inline constexpr UINT WM_MENUBAR_OPEN = WM_USER + 100;

class CMenuBar;

// One top-level entry of the bar.
class CMenuBarItem : public CGadget {
public:
    CMenuBarItem(CGadgetBar& bar, std::wstring text);

    const std::wstring& Text() const { return text_; }
    wchar_t Mnemonic() const { return mnemonic_; }
    void Paint(HDC dc) override;
    bool MouseMessage(UINT, WPARAM, POINT) override { return false; } // the bar handles the mouse

private:
    std::wstring text_;
    wchar_t mnemonic_;
};

class CMenuBar : public CGadgetBar {
public:
    CMenuBar();
    ~CMenuBar() override;

    // A visible child at the frame's top edge, 18 pixels high at 96 DPI.
    bool Create(fw::CFrameWnd& frame, UINT id);
    // Takes the menu (the bar owns it from now on) and shows its top-level entries.
    void LoadMenu(HMENU menu, bool rightAligned);

    size_t ItemCount() const { return GadgetCount(); }
    CMenuBarItem& Item(size_t i) const { return static_cast<CMenuBarItem&>(GadgetAt(i)); }
    HMENU Menu() const { return menu_.Get(); }
    int HotItem() const { return hot_; }
    int PressedItem() const { return pressed_; }
    bool IsTracking() const { return tracking_; }
    bool IsInPopup() const { return inPopup_; }

    // The frame's menu messages, after the frame's own handling.
    bool OnMenuChar(wchar_t letter); // true: the frame answers MNC_CLOSE
    void OnInitMenuPopup(HMENU popup);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    bool OnKeyMenu(); // Alt alone or F10: true when the bar took it

    // While the bar tracks, its keys are its own and never reach the frame's accelerators.
    bool PreTranslateMessage(MSG& msg) override;

    COLORREF textColor;
    COLORREF highlightColor;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Layout() override;
    void OnDpiChanged(int dpi) override;
    bool ItemIsHighlighted(const CMenuBarItem& item) const;

private:
    friend class CMenuBarItem;

    LRESULT OnOpenPopup(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnSysKeyDown(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam);

    int IndexOf(const CGadget* gadget) const;
    int ItemFromPoint(POINT pt) const;
    void SetHot(int index);
    void EnterTracking(int index);
    void LeaveTracking();
    void MoveHot(int delta);
    void RunPopups();
    void RequestPopup(int index, bool keyboard);
    void PressOutside(UINT message, WPARAM wParam, POINT screenPt);
    // Messages of the open popup's menu loop that the bar acts on; true to swallow.
    bool FilterPopupMessage(MSG& msg);
    static LRESULT CALLBACK MessageFilterHook(int code, WPARAM wParam, LPARAM lParam);

    fw::UniqueMenu menu_;
    bool rightAligned_ = false;
    bool layoutDirty_ = true;
    bool tracking_ = false;
    bool inPopup_ = false;
    HWND previousFocus_ = nullptr;
    int current_ = -1;
    int hot_ = -1;
    int pressed_ = -1;
    bool popupRequested_ = false;
    bool keyboardOpened_ = false;
    bool escapeInTopPopup_ = false;
    bool selectionInTopPopup_ = false;
    bool selectionHasSubmenu_ = false;
    bool trackingLeave_ = false;

    // One popup at a time in the process, and the hook that watches it.
    static inline CMenuBar* popupBar_ = nullptr;
    static inline HHOOK hook_ = nullptr;
};

} // namespace zevrin
