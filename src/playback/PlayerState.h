#pragma once
// The state of the player, one name for every side that asks: the playback wrapper keeps it,
// the display view, the playlist pane, the control bar and the frame read it. Idle also after
// the end of a run.
namespace zevrin {

enum class PlayerState { Idle, Starting, Playing, Paused };

// Starting, playing or paused: a run is under way.
constexpr bool IsRunning(PlayerState state) { return state != PlayerState::Idle; }

} // namespace zevrin
