#pragma once
// A control bar that is one window holding owner-drawn gadgets, with one tooltip control whose
// tools are the gadgets' rectangles. The bar paints through an off-screen bitmap, so moving a
// slider never flickers, and hands the mouse to its gadgets.
#include "framework/ControlBar.h"
#include "framework/Dpi.h"
#include "framework/FrameWnd.h"
#include "ui/display/Gadget.h"

#include <memory>
#include <string>
#include <vector>

namespace zevrin {

class CGadgetBar : public fw::CControlBar {
public:
    ~CGadgetBar() override;

    size_t GadgetCount() const { return gadgets_.size(); }
    CGadget& GadgetAt(size_t i) const { return *gadgets_[i]; }
    HWND Tooltip() const { return tooltip_; }
    // The gadget under a point of the bar's client area, hidden gadgets never.
    CGadget* GadgetFromPoint(POINT pt) const;
    // Gives every gadget's tooltip tool its gadget's rectangle and repaints the bar.
    void UpdateToolRects();
    void UpdateToolText(size_t index, const std::wstring& text);

    void OnUpdateCmdUI(fw::CFrameWnd& frame) override;
    // The bar's DPI, which scales every size of its gadgets: its window's, or the one its frame
    // last moved to.
    fw::CDpi Dpi() const { return dpi_ > 0 ? fw::CDpi(dpi_) : fw::CDpi::Of(Hwnd()); }

protected:
    // The tooltip control; false when it cannot be made.
    bool CreateTooltip();
    // Adds a gadget and its tool (tool ids count from 1 in the order of adding).
    template <class G, class... Args>
    G& AddGadget(const wchar_t* tip, Args&&... args) {
        auto gadget = std::make_unique<G>(*this, std::forward<Args>(args)...);
        G& ref = *gadget;
        gadgets_.push_back(std::move(gadget));
        AddTool(gadgets_.size(), tip);
        return ref;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Hooks for the concrete bar.
    virtual void Layout() {}
    virtual void PaintBackground(HDC dc, const RECT& rc);
    // Text of a tool whose text is asked for when shown (LPSTR_TEXTCALLBACK); empty = none.
    virtual std::wstring DynamicTipText(size_t index) {
        (void)index;
        return {};
    }
    virtual void OnMouseMoved(POINT pt) { (void)pt; }
    virtual void OnContextMenu(POINT screenPt, bool fromKeyboard) { (void)screenPt, (void)fromKeyboard; }
    virtual LRESULT OnSliderChanged(WPARAM wParam, LPARAM lParam) {
        (void)wParam, (void)lParam;
        return 0;
    }
    // The window's DPI changed: the concrete bar remakes its images and height, then lays out.
    virtual void OnDpiChanged(int dpi) {
        (void)dpi;
        Layout();
    }
    fw::CFrameWnd* Frame() const;

private:
    void AddTool(size_t toolId, const wchar_t* tip);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnCancelMode(WPARAM, LPARAM);
    LRESULT OnNotify(WPARAM, LPARAM);
    LRESULT OnContextMenuMessage(WPARAM, LPARAM);
    LRESULT OnSliderChangedMessage(WPARAM w, LPARAM l) { return OnSliderChanged(w, l); }
    LRESULT OnDpiRescale(WPARAM w, LPARAM) {
        dpi_ = static_cast<int>(w);
        OnDpiChanged(dpi_);
        return 0;
    }
    void DragFrame(POINT pt);
    void EndMouseStates();

    std::vector<std::unique_ptr<CGadget>> gadgets_;
    HWND tooltip_ = nullptr; // a child of the bar: it goes with the bar's window
    bool trackingLeave_ = false;
    std::wstring tipBuffer_;
    int dpi_ = 0; // 0 until the frame reports a change: the window's own DPI
};

} // namespace zevrin
