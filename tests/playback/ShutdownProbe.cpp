// Asks for the forced power-off the program uses at the end of a playlist, then waits to be
// ended. Run only inside a throwaway Wine prefix (see shutdown-in-throwaway-prefix.sh).
#include "system/Shutdown.h"

#include <cstdio>

int wmain() {
    const int accepted = zevrin::ShutDownComputer(zevrin::kShutdownFlags);
    std::printf("accepted %d\n", accepted);
    std::fflush(stdout);
    Sleep(60000);  // a shutdown that works never lets this return
    std::printf("still running\n");
    return 3;
}
