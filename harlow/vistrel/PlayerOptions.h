// The playback tool's command line:
//   Vistrel.exe [-displaywindow h] [-vn] [-videodriver d] [-an] [-audiodriver d] [-threads n] "<media>"
//               [-ss h:mm:ss.fff] [-endpos t] [-volume 0..100] [-effect bits] [-callbackwindow h] [-context c]
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace harlow {
class CommandLine;
}

namespace harlow::vistrel {

struct PlayerOptions {
    std::wstring media;
    HWND displayWindow = nullptr;
    bool noVideo = false;
    bool noAudio = false;
    std::int64_t startUs = 0;
    std::int64_t endUs = 0; // 0: to the end
    int volume = 100;
    int effect = 0; // PlaybackEffect bits
    int threads = 0;
    std::wstring audioDriver; // "waveout" or empty: the system's device; "none": no audio device
};

CommandLine ParsePlayerCommandLine(const std::vector<std::wstring>& tokens);
// False when the line names no media.
bool ReadPlayerOptions(const CommandLine& args, PlayerOptions& options);

} // namespace harlow::vistrel
