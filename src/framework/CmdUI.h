#pragma once
// The state of one command's user-interface element (a menu item, a bar button) while its
// update handler runs. Update handlers enable, check, set the radio mark of and rename it;
// each kind of element applies these in its own way.
#include <windows.h>
#include <string>

namespace fw {

class CCmdUI {
public:
    explicit CCmdUI(UINT id) : id_(id) {}
    virtual ~CCmdUI() = default;

    UINT Id() const { return id_; }
    virtual void Enable(bool on = true) = 0;
    virtual void SetCheck(int check = 1) = 0; // 0 off, 1 on
    virtual void SetRadio(bool on = true) = 0;
    virtual void SetText(const std::wstring& text) = 0;

private:
    UINT id_;
};

// No element at all: what an update handler leaves of a command's state, asked before a
// command that came from a key, a click or a message runs. Enabled unless a handler says not.
class CStateCmdUI : public CCmdUI {
public:
    explicit CStateCmdUI(UINT id) : CCmdUI(id) {}

    bool Enabled() const { return enabled_; }
    void Enable(bool on) override { enabled_ = on; }
    void SetCheck(int) override {}
    void SetRadio(bool) override {}
    void SetText(const std::wstring&) override {}

private:
    bool enabled_ = true;
};

// A menu item addressed by its position in a popup menu.
class CMenuCmdUI : public CCmdUI {
public:
    CMenuCmdUI(HMENU menu, UINT index, UINT id) : CCmdUI(id), menu_(menu), index_(index) {}

    void Enable(bool on) override;
    void SetCheck(int check) override;
    void SetRadio(bool on) override;
    void SetText(const std::wstring& text) override;

    HMENU Menu() const { return menu_; }
    UINT Index() const { return index_; }
    // An update handler that inserted items moves the update on past them.
    void SetIndex(UINT index) { index_ = index; }

    // Runs the update handlers of every command item of a popup menu through `route`; items
    // that no command target knows are disabled, as a user expects of a dead entry.
    template <class Route>
    static void UpdatePopup(HMENU popup, Route&& route);

private:
    HMENU menu_;
    UINT index_;
};

template <class Route>
void CMenuCmdUI::UpdatePopup(HMENU popup, Route&& route) {
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{sizeof(info), MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU};
        if (!GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu || (info.fType & MFT_SEPARATOR) || info.wID == 0) continue;
        CMenuCmdUI ui(popup, static_cast<UINT>(i), info.wID);
        if (!route(info.wID, &ui)) ui.Enable(false);
        i = static_cast<int>(ui.Index());
        count = GetMenuItemCount(popup); // an update handler may have inserted or removed items
    }
}

} // namespace fw
