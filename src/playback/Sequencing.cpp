#include "playback/Sequencing.h"

namespace zevrin {

int NextIndex(int current, int count, bool wrap) {
    if (count <= 0) return -1;
    if (current + 1 < count) return current + 1;
    return wrap ? 0 : -1;
}

int PreviousIndex(int current, int count, bool wrap) {
    if (count <= 0) return -1;
    if (current - 1 >= 0) return current - 1;
    return wrap ? count - 1 : -1;
}

AdvanceDecision DecideAdvance(RepeatMode repeat, int current, int count, bool closeAfter, bool shutdownAfter) {
    switch (repeat) {
    case RepeatMode::Current:
        return {AdvanceDecision::Play, current};
    case RepeatMode::All:
        return {AdvanceDecision::Play, NextIndex(current, count, true)};
    case RepeatMode::Off:
        break;
    }
    if (NextIndex(current, count, false) != -1) return {AdvanceDecision::SendNext};
    // Shutting down wins over closing: the window is not closed first.
    if (shutdownAfter) return {AdvanceDecision::ShutDown};
    if (closeAfter) return {AdvanceDecision::CloseWindow};
    return {AdvanceDecision::ReturnToPlaylist};
}

} // namespace zevrin
