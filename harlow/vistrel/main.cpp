// Vistrel: plays media into a window of the caller and is steered by WM_COPYDATA commands.
#include "CallbackChannel.h"
#include "CommandLine.h"
#include "Player.h"
#include "PlayerOptions.h"
#include "ToolProcess.h"

#include <windows.h>

using namespace harlow;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    PrepareToolProcess();
    const CommandLine args = vistrel::ParsePlayerCommandLine(CommandLine::SplitProcessCommandLine());
    vistrel::PlayerOptions options;
    if (!vistrel::ReadPlayerOptions(args, options)) return kExitUsage;
    try {
        vistrel::Player player(options, CallbackChannel::FromCommandLine(args));
        return player.Run();
    } catch (...) {
        return kExitCrashed;
    }
}
