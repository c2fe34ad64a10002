#pragma once
// Gadgets: the owner-drawn buttons, sliders and labels of a gadget bar. A gadget is not a
// window; its bar paints it, hands it the mouse and lays it out. The bar's window is the only
// window, so a bar of eleven gadgets costs one window and one tooltip control.
#include <windows.h>
#include <commctrl.h>

namespace zevrin {

class CGadgetBar;

class CGadget {
public:
    static constexpr UINT kDisabled = 0x10;
    static constexpr UINT kHidden = 0x20;
    static constexpr UINT kNoCommand = static_cast<UINT>(-1);

    // Draw states, in the order of the button strips' images.
    enum DrawStateValue { Normal = 0, Hot = 1, Focused = 2, Pressed = 3, Disabled = 4 };

    CGadget(CGadgetBar& bar, UINT commandId) : bar_(bar), commandId_(commandId) {}
    CGadget(const CGadget&) = delete;
    CGadget& operator=(const CGadget&) = delete;
    virtual ~CGadget();

    virtual const RECT& GetRect() const { return rect_; }
    virtual bool IsHidden() const { return (flags_ & kHidden) != 0; }
    virtual void SetRect(const RECT& rect, bool redraw = false);
    virtual bool HitTest(POINT pt) const { return PtInRect(&rect_, pt) != FALSE; }
    virtual void ChangeFlags(UINT mask, UINT bits, bool redraw = false);
    virtual void SetHidden(bool hidden) { ChangeFlags(kHidden, hidden ? kHidden : 0, true); }
    virtual void Enable(bool enable) { ChangeFlags(kDisabled, enable ? 0 : kDisabled, true); }
    virtual void Redraw(bool updateNow = false);
    virtual void Paint(HDC dc) = 0;
    // A mouse message in bar client coordinates; true when the gadget took it.
    virtual bool MouseMessage(UINT message, WPARAM wParam, POINT pt);

    UINT CommandId() const { return commandId_; }
    UINT Flags() const { return flags_; }
    bool IsEnabled() const { return (flags_ & kDisabled) == 0; }
    CGadgetBar& Bar() const { return bar_; }
    int DrawState() const;

    // The gadgets the mouse is acting on, one of each in the process: there is one mouse.
    static CGadget* HotGadget() { return hot_; }
    static CGadget* PressedGadget() { return pressed_; }
    static CGadget* CapturedGadget() { return captured_; }
    static CGadget* FocusGadget() { return focus_; }
    static void SetHot(CGadget* gadget);
    static void SetPressed(CGadget* gadget);
    static void SetCaptured(CGadget* gadget) { captured_ = gadget; }
    static void SetFocus(CGadget* gadget) { focus_ = gadget; }

private:
    CGadgetBar& bar_;
    RECT rect_{};
    UINT commandId_;
    UINT flags_ = 0;

    static inline CGadget* hot_ = nullptr;
    static inline CGadget* pressed_ = nullptr;
    static inline CGadget* captured_ = nullptr;
    static inline CGadget* focus_ = nullptr;
};

// Gadgets whose paint is a background and a foreground, each by draw state.
class CDrawnGadget : public CGadget {
public:
    using CGadget::CGadget;
    void Paint(HDC dc) override;

protected:
    virtual void DrawBackground(HDC dc, int state) { (void)dc, (void)state; }
    virtual void DrawForeground(HDC dc, int state) = 0;
};

// A button drawn from an image list holding one image per draw state.
class CGadgetButton : public CDrawnGadget {
public:
    using CDrawnGadget::CDrawnGadget;
    // The list stays owned by the bar; buttons switch between the bar's lists.
    void SetImages(HIMAGELIST images, bool redraw = true);
    HIMAGELIST Images() const { return images_; }

protected:
    void DrawForeground(HDC dc, int state) override;

private:
    HIMAGELIST images_ = nullptr;
};

} // namespace zevrin
