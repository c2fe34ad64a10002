#pragma once
// Where a play request shows the video: in the display pane, over the item in the playlist
// pane, or in whichever of the two is active. The playlist pane asks, the display view decides;
// both read this one name.
namespace zevrin {

enum class VideoPlace { kAutomatic, kInDisplay, kInPlaylist };

} // namespace zevrin
