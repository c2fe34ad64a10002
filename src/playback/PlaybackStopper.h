#pragma once
// A view that plays media and can be told to stop before the main frame closes. The display
// view implements it; the document calls it without knowing the view's class.
namespace zevrin {

class IPlaybackStopper {
public:
    virtual ~IPlaybackStopper() = default;
    // Stops what plays and waits for the run to end; the end does not advance to another item.
    virtual void StopPlaybackWithoutAdvancing() = 0;
};

} // namespace zevrin
