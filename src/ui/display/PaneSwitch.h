#pragma once
// What the display view asks of the window that holds the two panes: to bring the display or
// the playlist pane forward, to step to the other pane, and whether one pane shows at a time.
// The frame's pane container implements it; the display view knows nothing else about it.
namespace zevrin {

class IPaneSwitch {
public:
    virtual ~IPaneSwitch() = default;
    virtual void ShowDisplayPane() = 0;
    virtual void ShowPlaylistPane() = 0;
    virtual void ShowNextPane(bool backwards) = 0;
    // One pane at a time rather than both side by side.
    virtual bool ShowsOnePane() const = 0;
};

} // namespace zevrin
