#pragma once
// The control bar's time display: elapsed or remaining time, with or without the total, in
// grey text that lights up under the mouse. A click cycles through the four forms.
#include "ui/display/Gadget.h"

#include <cstdint>
#include <string>

namespace zevrin {

// "01:05", "-00:30", "01:00:00 / 02:00:00": the text for the given times in milliseconds.
std::wstring TimeDisplayText(int64_t durationMs, int64_t positionMs, bool showRemaining, bool showTotal);
// The width the text needs: hours widen it, so does the total.
int TimeDisplayWidth(int64_t durationMs, bool showTotal);

class CTimeLabel : public CDrawnGadget {
public:
    CTimeLabel(CGadgetBar& bar, UINT commandId) : CDrawnGadget(bar, commandId) {}

    void SetFont(HFONT font) { font_ = font; }
    // Microseconds, as the player reports them; the position goes back to 0.
    void SetDuration(int64_t microseconds);
    // Ignored while there is no duration; never beyond the duration.
    void SetPosition(int64_t microseconds, bool redraw = true);
    void SetPositionMs(int64_t ms, bool redraw = true);
    // Elapsed → remaining → elapsed with total → remaining with total → elapsed.
    void ToggleMode();

    int64_t DurationMs() const { return durationMs_; }
    int64_t PositionMs() const { return positionMs_; }
    bool ShowsRemaining() const { return showRemaining_; }
    bool ShowsTotal() const { return showTotal_; }
    int Width() const { return TimeDisplayWidth(durationMs_, showTotal_); }
    const std::wstring& Text() const { return text_; }

protected:
    void DrawForeground(HDC dc, int state) override;

private:
    void UpdateText();

    int64_t durationMs_ = 0;
    int64_t positionMs_ = 0;
    bool showRemaining_ = false;
    bool showTotal_ = false;
    std::wstring text_ = L"00:00";
    HFONT font_ = nullptr;
};

} // namespace zevrin
