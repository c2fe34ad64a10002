#pragma once
// What one playback run plays. The wrapper keeps one of these; its volume and mute are also the
// live volume and mute of the running tool.
#include <string>

namespace zevrin {

struct CPlayRequest {
    int reserved = 0;
    std::wstring mediaPath; // file or URL
    int startMs = 0;        // start position; only a positive one reaches the tool
    int endMs = -1;         // kept for the record, never passed on
    int videoStream = 0;    // negative: play without video
    int audioStream = 0;    // negative: play without audio
    std::wstring audioFile; // kept for the record, never passed on
    int volume = 100;       // 0..100
    int mute = 0;
    int reserved2 = 0;

    // Back to the initial values, except the volume and mute the user has chosen: a new run
    // goes on sounding as loud as the one it replaces.
    void ResetKeepingVolume() {
        CPlayRequest fresh;
        fresh.volume = volume;
        fresh.mute = mute;
        *this = std::move(fresh);
    }
};

} // namespace zevrin
