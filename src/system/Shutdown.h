#pragma once
// Turning the computer off after the playlist, and keeping the screen saver away while media
// plays.
#include "playback/PlayerState.h"

#include <windows.h>

namespace zevrin {

// Power off, without asking running programs: what "Shutdown this computer" does.
inline constexpr UINT kShutdownFlags = EWX_POWEROFF | EWX_FORCE;

// Enables the shutdown privilege and asks the system to shut down with the ExitWindowsEx
// flags; non-zero when the request was accepted.
int ShutDownComputer(UINT flags);

// Whether a message is the system command that starts the screen saver and has to be dropped:
// only while the setting asks for it and the player is playing (not paused, not starting).
bool SuppressesScreenSaver(const MSG& msg, bool disableScreenSaver, PlayerState playerState);

} // namespace zevrin
