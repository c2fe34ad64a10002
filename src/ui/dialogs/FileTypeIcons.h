#pragma once
// The four file-type pictures (video with audio, video only, audio only, playlist) as a
// 16 x 16 image list (at 96 DPI, scaled to `dpi`), image i standing for the program's icon
// index i + 2.
#include "framework/Dpi.h"
#include "framework/Handles.h"

namespace zevrin {

fw::UniqueImageList CreateFileTypeImageList(int dpi = fw::SystemDpi());

} // namespace zevrin
