#pragma once
// What the extractors decide about an item, apart from threads and windows: whether an item
// still needs their work, the private copy an extractor works on, and how its results come
// back onto the item in the playlist, which may have changed meanwhile in what only the user
// interface touches (its play mark, its icon).
#include "playlist/PlaylistItem.h"

namespace zevrin {

// True while the item lacks its media information or its picture (a picture counts as found
// once artwork was resolved and either an image was loaded or the kind of media is known).
bool NeedsExtraction(const CPlaylistItem& item);

// Gives `to` what an extractor needs of `from`: the entry, the information and the progress.
void CopyForWork(const CPlaylistItem& from, CPlaylistItem& to);

// Moves an extractor's results from its copy onto the playlist's item.
void ApplyResults(CPlaylistItem& from, CPlaylistItem& to);

} // namespace zevrin
