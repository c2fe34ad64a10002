#pragma once
// The window that plays: it owns the playback wrapper, a render child into which the tool
// draws, and the play thread of the current run. It receives the tool's callbacks (the tool's
// -callbackwindow) and tells the hosting view through IPlaybackEvents.
#include "framework/Wnd.h"
#include "playback/PlaybackEvents.h"
#include "playback/PlaybackTool.h"
#include "playback/PlayThread.h"

#include <memory>
#include <string>

namespace zevrin {

class CPlayerWnd : public fw::CWnd, private IToolSink {
public:
    CPlayerWnd();
    // Destroys the window first: the play thread must be stopped while the wrapper still exists.
    ~CPlayerWnd() override;

    // Creates the window as a child of `parent`, then its render child, and sets the wrapper up
    // with the playback tool at `toolPath`.
    bool Create(HWND parent, const RECT& rect, UINT id, const std::wstring& toolPath);
    void SetEvents(IPlaybackEvents* events) { events_ = events; }

    CPlaybackTool& Tool() { return tool_; }
    const CPlaybackTool& Tool() const { return tool_; }
    HWND RenderWindow() const { return render_.Hwnd(); }
    bool HasPlayThread() const { return thread_ != nullptr; }

    // Stops what plays and starts a run of `mediaPath`; 1 when a play thread was started.
    int StartPlay(const std::wstring& mediaPath);
    // Stops the current run and returns once its thread has ended and been deleted.
    void StopPlay();

protected:
    // Places the render child (and the tool's picture inside it). This one fills the client
    // area; the display view lays the video out by zoom and aspect.
    virtual void LayoutVideo();
    // Moves the tool's picture window without waiting for the tool: a tool that has stopped
    // answering must not freeze the program.
    void MoveToolPicture(int x, int y, int cx, int cy) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int Notify(int source, int type, int argCount, const std::intptr_t* args) override;
    void WaitForPlayThread();
    void AllowToolMessages() const;

    LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnPlayThreadEnded(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

    CPlaybackTool tool_;
    fw::CWnd render_;
    std::unique_ptr<CPlayThread> thread_;
    IPlaybackEvents* events_ = nullptr;
};

} // namespace zevrin
