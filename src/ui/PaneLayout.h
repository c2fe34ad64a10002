#pragma once
// How the frame shows its two panes: side by side with a divider (docked) or one at a time.
// The pane container keeps it, the frame toggles it, the playlist pane asks for it; the
// "Layout" setting stores its value.
namespace zevrin {

enum class PaneLayout { kDocked = 1, kOnePane = 2 };

// The stored setting's value as a layout: anything but docked is one pane at a time.
constexpr PaneLayout PaneLayoutOf(int stored) {
    return stored == static_cast<int>(PaneLayout::kDocked) ? PaneLayout::kDocked : PaneLayout::kOnePane;
}

} // namespace zevrin
