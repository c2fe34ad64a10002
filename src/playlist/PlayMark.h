#pragma once
// The mark by the item that plays: the display view sets it, the playlist pane draws it (the
// item keeps its value in playMark).
#include <cstdint>

namespace zevrin {

enum class PlayMark : std::uint16_t { kNone = 0, kPlaying = 1, kPaused = 2 };

} // namespace zevrin
