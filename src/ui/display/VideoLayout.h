#pragma once
// Where the picture goes inside the video panel: the stored size corrected by the display
// aspect, scaled by the zoom (0 = fit the window), reduced to fit when too large, centred.
#include <windows.h>

#include <optional>

namespace zevrin {

struct VideoFormat {
    int width = 0;
    int height = 0;
    int aspectNum = 0; // display aspect; 0/0 when unknown
    int aspectDen = 0;
};

// The picture's rectangle in the panel's client area; nullopt when there is no picture to show.
std::optional<RECT> LayOutVideo(const RECT& client, const VideoFormat& video, int zoom);

} // namespace zevrin
