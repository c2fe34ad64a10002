// What every tool does first: no error boxes, no crash dialogs, no FFmpeg logging (the tools run
// without standard handles), and knowing whether we run under Wine.
#pragma once

namespace harlow {

void PrepareToolProcess();
bool RunningUnderWine();

// Exit codes shared by the tools; anything but 0 is a failure to the program.
enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 1,       // no input or output named
    kExitInput = 2,       // the input can't be opened or holds nothing usable
    kExitOutput = 3,      // the output can't be written
    kExitUnsupported = 4, // an option or codec this build can't honour
    kExitStopped = 5,     // stopped by the caller
    kExitCrashed = 6,     // an unexpected exception or fault
};

} // namespace harlow
