#pragma once
// What plays next: the index rules of Next and Previous, and what the display view does when a
// playback run has ended, by repeat mode and after-playback choices. Pure functions, so the
// rules can be read and tested apart from the windows that apply them.

namespace zevrin {

enum class RepeatMode { Off = 0, Current = 1, All = 2 };

// The index after `current` among `count` items; -1 when there is none.
int NextIndex(int current, int count, bool wrap);
// The index before `current`; -1 when there is none.
int PreviousIndex(int current, int count, bool wrap);

struct AdvanceDecision {
    enum Action {
        Play,             // play `index` (repeat modes 1 and 2); fall back to the playlist pane when it fails
        SendNext,         // post the "Next" command: there is a next item
        ShutDown,         // end of the playlist with "Shutdown this computer"
        CloseWindow,      // end of the playlist with "Close this window"
        ReturnToPlaylist, // end of the playlist, nothing chosen
    };
    Action action;
    int index = -1;
};

// `current` is the playing item's index, -1 when it has left the playlist.
AdvanceDecision DecideAdvance(RepeatMode repeat, int current, int count, bool closeAfter, bool shutdownAfter);

} // namespace zevrin
