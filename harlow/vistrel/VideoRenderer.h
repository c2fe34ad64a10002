// The render window: a child (control id 0) that the tool creates inside the caller's display
// window, and the drawing of converted pictures into it.
//
// Under Wine 8 nothing painted through a DC of another process's window shows, not even our own
// child's; what shows is drawing through the DC of the top-level ancestor, with the viewport moved
// to the child's offset and clipped to it. On Windows the child's own DC is right.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace harlow::vistrel {

class VideoRenderer {
public:
    VideoRenderer() = default;
    ~VideoRenderer() { Destroy(); }
    VideoRenderer(const VideoRenderer&) = delete;
    VideoRenderer& operator=(const VideoRenderer&) = delete;

    // UI thread. `effect` holds the PlaybackEffect bits.
    bool Create(HWND parent, int effect, std::atomic<bool>* redrawRequested);
    void Destroy();
    HWND Window() const { return child_; }
    void FollowParent();                // resizes the child to the parent's client area when that changed
    void Resize(int width, int height); // command 310

    // Any thread. The area of the child the picture goes into, for a picture of the given display
    // aspect (letterboxed with kEffectKeepAspect, else the whole child).
    RECT PictureRect(double displayAspect) const;
    // Draws a top-down 32-bit BGRA picture into `area` of the child; paints the rest black when
    // borders are wanted.
    void Present(const std::uint8_t* bgra, int stride, int width, int height, const RECT& area);
    bool SmoothScaling() const { return effect_ & 2; }

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    HWND parent_ = nullptr;
    HWND child_ = nullptr;
    int effect_ = 0;
    SIZE parentSize_{};
    bool underWine_ = false;
};

} // namespace harlow::vistrel
