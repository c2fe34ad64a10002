// Which video stream a tool takes pictures from. One rule for the probe, the player and the
// encoder, so that what one tool shows of a file is what the others show: a real video wins over
// an attached picture (cover art), wherever the picture stands among the streams.
#pragma once

#include "AvHandles.h"

namespace harlow {

enum class CoverArt {
    AsLastResort, // taken when the media has no real video (a thumbnail from an album's cover)
    Never,        // a single picture is not a video to play
};

// The index of the chosen video stream, -1 when none qualifies.
int ChooseVideoStream(AVFormatContext* input, CoverArt coverArt);

} // namespace harlow
