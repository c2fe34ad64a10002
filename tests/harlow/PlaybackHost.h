// A stand-in for Zevrin's player window: a top-level window with a render child, receiving the
// playback tool's callbacks and sending it commands, as the program does.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "harlow/ToolMessages.h"

namespace harlow::test {

struct ToolEvent {
    std::int32_t type = 0;
    std::int32_t value = 0;
    HWND toolWindow = nullptr;
    std::int64_t duration = 0;
    std::int64_t position = 0;
    std::int32_t volume = 0;
    std::int64_t framesShown = 0;
    std::int32_t videoWidth = 0, videoHeight = 0;
    std::uint32_t mediaFlags = 0;
    std::chrono::steady_clock::time_point at;
};

class PlaybackHost {
public:
    PlaybackHost();
    ~PlaybackHost();

    HWND Frame() const { return frame_; }
    HWND RenderWindow() const { return render_; }
    std::int64_t Context() const { return 0x12345678; }
    // The command line tail Zevrin would give for `media` (after the tool path).
    std::wstring CommandLine(const std::wstring& media, const std::wstring& extra = L"") const;

    // Pumps messages until `done` is true, the process ends (when given) or the time is up.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit, HANDLE process = nullptr);
    void Pump(std::chrono::milliseconds duration) { PumpUntil([] { return false; }, duration); }

    const std::vector<ToolEvent>& Events() const { return events_; }
    const ToolEvent* Last(std::int32_t type) const;
    std::size_t Count(std::int32_t type) const;
    HWND ToolWindow() const { return toolWindow_; }
    bool SawBadContext() const { return badContext_; }

    // Sends a control command the way the program does; false when no tool window is known.
    bool Send(std::int32_t command, std::int64_t a = 0, std::int64_t b = 0);
    // The colour at the centre of the render window, read back from the screen.
    COLORREF CentrePixel() const;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    void Receive(const ToolCallbackBlock& block);

    HWND frame_ = nullptr;
    HWND render_ = nullptr;
    HWND toolWindow_ = nullptr;
    std::vector<ToolEvent> events_;
    bool badContext_ = false;
};

} // namespace harlow::test
