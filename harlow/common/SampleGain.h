// Scales audio samples in place, with clipping for the integer formats. Used for -vol/-volume: the
// tools change the level themselves rather than the system mixer's, which belongs to the user.
#pragma once

extern "C" {
#include <libavutil/samplefmt.h>
}

namespace harlow {

// planes: one per channel for planar formats, else one; samples: per channel.
void ApplyGain(AVSampleFormat format, unsigned char* const* planes, int channels, int samples, double gain);

} // namespace harlow
