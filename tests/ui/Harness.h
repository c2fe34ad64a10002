#pragma once
// Drives the installed Zevrin.exe from outside, as a user would: starts it with a clean settings
// key, finds its windows, sends commands, keys and clicks, and reads back what shows. Every
// wait polls against a deadline.
#include "framework/Handles.h"
#include "framework/Registry.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zevrin::ui {

// Polls `done` every 50 ms until it holds or `timeoutMs` has passed; true when it held.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// For test messages.
std::string Utf8(const std::wstring& text);

// The installed program (ZEVRIN_DIST), empty when the tests are not given one.
std::wstring InstalledProgram();
std::wstring UiClip(const wchar_t* name);

// Settings of earlier runs go, so each case starts as on a first run.
void ResetProgramKeys();
std::optional<DWORD> SavedSetting(const wchar_t* name);
void PresetSetting(const wchar_t* name, DWORD value);

// A rectangle of the screen, read through the desktop's DC (works under Wine and Xvfb).
class ScreenShot {
public:
    explicit ScreenShot(const RECT& screenRect);
    COLORREF At(int x, int y) const;  // screen coordinates
    bool SameAs(const ScreenShot& other) const { return pixels_ == other.pixels_; }
    // Pixels that are neither black nor near it.
    int LitCount() const;

private:
    RECT rect_;
    std::vector<DWORD> pixels_;
};

class ZevrinProcess {
public:
    ZevrinProcess() = default;
    ~ZevrinProcess();
    ZevrinProcess(const ZevrinProcess&) = delete;
    ZevrinProcess& operator=(const ZevrinProcess&) = delete;

    bool Start(const std::wstring& arguments);
    // Waits for the main window to show; nullptr when it did not within the time.
    HWND WaitForFrame(DWORD timeoutMs = 30000);
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);

    HWND Frame() const { return frame_; }
    HWND Container() const;
    HWND Pane(int i) const;
    HWND ControlBar() const;
    HWND VideoPanel() const;   // wherever it is hosted
    HWND RenderWindow() const; // the picture inside the video panel
    std::wstring Title() const;
    bool WaitForTitle(const std::wstring& title, DWORD timeoutMs);
    RECT ScreenRectOf(HWND hwnd) const;

    void Command(UINT id) const { PostMessageW(frame_, WM_COMMAND, id, 0); }
    // A key with modifiers, typed into the foreground Zevrin window through the input queue.
    void Type(WORD vk, bool ctrl = false, bool shift = false, bool alt = false) const;
    // A click at a point in `hwnd`'s client coordinates.
    void Click(HWND hwnd, POINT client) const;
    // A click of the mouse itself at a point of `hwnd`: the pointer moves there and the button
    // goes down and up through the input queue, so the window is activated as by a user.
    void MouseClick(HWND hwnd, POINT client) const;

    // The window of the program that has the keyboard focus now.
    HWND FocusedWindow() const;
    // A key press and release posted to the focused window, as the message loop gets typed keys
    // (Alt alone comes as system keys; its release opens the menu bar).
    void PostKey(WORD vk) const;
    void PostAltAlone() const;
    // The visible popup menu (class #32768) of the program, if one is open.
    HWND OpenPopupMenu() const;
    // The program's thread runs a menu loop (a popup or the system menu is being tracked).
    bool InMenuMode() const;

    // The picture changes between two looks `intervalMs` apart: the video runs.
    bool PictureMoves(DWORD intervalMs = 700) const;
    // The video is showing: the render window is visible and its picture is not black.
    bool PictureShows() const;

private:
    fw::UniqueKernelHandle process_;
    DWORD pid_ = 0;
    HWND frame_ = nullptr;
};

} // namespace zevrin::ui
