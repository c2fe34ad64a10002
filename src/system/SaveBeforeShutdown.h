#pragma once
// "Shutdown this computer" at the end of the playlist. The power-off is forced, so the program
// is ended without its normal exit, which is where the settings and the default playlist are
// written: they are saved here first, or the session's changes would be lost.
#include "system/Shutdown.h"

#include <functional>

namespace zevrin {

class CAppSettings;

struct ShutdownPreparation {
    // The display view's own values (zoom, volume, mute, after-playback choices) into the
    // settings record, as it does when it is destroyed.
    std::function<void()> writeBackViewState;
    // The playlist view's "Default.play"; true when it was written or is not kept.
    std::function<bool()> saveDefaultPlaylist;
};

using ShutdownRequest = int (*)(UINT flags);

// Saves the view state, the default playlist and the settings, then asks for the shutdown.
// When the playlist could not be saved the computer is left running (0 is returned), as when
// the system refuses: the program stays at the end of the playlist with nothing lost.
// Otherwise the result of `request` (ShutDownComputer), non-zero when it was accepted.
int SaveAndShutDown(CAppSettings& settings, const ShutdownPreparation& preparation, UINT flags = kShutdownFlags,
                    ShutdownRequest request = ShutDownComputer);

} // namespace zevrin
