#pragma once
// What the playlist pane asks of the main frame: switching panes in its view container and the
// playlist summary on its menu bar.
#include "ui/PaneLayout.h"

#include <cstdint>

namespace zevrin {

class IPlaylistFrameLink {
public:
    using enum PaneLayout; // IPlaylistFrameLink::kOnePane and kDocked, as the pane asks

    virtual ~IPlaylistFrameLink() = default;

    virtual PaneLayout ContainerMode() const = 0;
    virtual int ActivePane() const = 0; // 0 display, 1 playlist
    virtual void ActivatePane(int pane) = 0;
    virtual void ActivateNextPane(bool backwards) = 0;
    // The item count and the total duration in microseconds of the items whose length is known.
    virtual void SetSummary(int itemCount, std::int64_t totalDuration) = 0;
};

} // namespace zevrin
