#pragma once
// What the playlist pane asks of the display view: play an item, stop, the current item, the
// player's state, and the video panel the pane may host over the playing item's thumbnail.
#include "playback/PlayerState.h"
#include "ui/VideoPlace.h"

#include <windows.h>

#include <string>

namespace zevrin {

class IPlayViewLink {
public:
    using enum VideoPlace; // IPlayViewLink::kInDisplay and so on, as the pane asks

    virtual ~IPlayViewLink() = default;

    // Stops what plays and starts the item at `index`; non-zero on success.
    virtual int PlayItem(int index, VideoPlace where) = 0;
    virtual void StopPlayback() = 0;
    // The index of the current item, -1 when none.
    virtual int CurrentIndex() const = 0;
    virtual PlayerState GetPlayerState() const = 0;
    // Resumes a paused player (or pauses a playing one).
    virtual void TogglePause() = 0;
    // Places the hosted video again after the display pane became visible.
    virtual void LayOutHostedWindow() = 0;
    // The video panel's picture window, whose mouse messages the pane takes while it hosts it.
    virtual HWND PictureWindow() const = 0;
    virtual void ShowProperties(int index) = 0;
    // Starts the player on a path whose item the loader is still making, so that the tool opens
    // the file while the probe runs; PlayItem for that item then takes the running playback
    // over instead of starting it again. A display without this simply waits for PlayItem.
    virtual void PlayAhead(const std::wstring&) {}
    // The loader has ended: a playback started ahead for an item that never came stops.
    virtual void EndPlayAhead() {}
};

} // namespace zevrin
