#include "ui/dialogs/FolderDialogLayout.h"

#include "framework/Dpi.h"

#include <algorithm>

namespace zevrin {

namespace {
constexpr int kLabelGap = 3;  // label above its box
constexpr int kPromptGap = 4; // prompt above the tree

RECT At(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }
} // namespace

FolderDialogRects LayOutFolderDialog(SIZE client, const FolderDialogSizes& s) {
    const int m = fw::ScaleTo(kFolderDialogMargin, s.dpi), gap = fw::ScaleTo(kFolderDialogGap, s.dpi);
    const int labelGap = fw::ScaleTo(kLabelGap, s.dpi), promptGap = fw::ScaleTo(kPromptGap, s.dpi);
    const int right = client.cx - m, bottom = client.cy - m;
    FolderDialogRects r{};

    // The buttons' row along the bottom: Cancel in the corner, OK to its left, the check box at
    // the left on the same row.
    const int rowTop = bottom - s.button.cy;
    r.cancel = At(right - s.button.cx, rowTop, s.button.cx, s.button.cy);
    r.ok = At(r.cancel.left - gap - s.button.cx, rowTop, s.button.cx, s.button.cy);
    r.check =
        At(m, rowTop + (s.button.cy - s.check.cy) / 2, std::min<int>(s.check.cx, r.ok.left - gap - m), s.check.cy);

    // The filter box above the buttons reaching the right margin, or the "..." button there.
    const int filterTop = rowTop - gap - s.filterHeight;
    int filterRight = right;
    if (s.presets) {
        r.presetButton = At(right - s.presetWidth, filterTop, s.presetWidth, s.filterHeight);
        filterRight = r.presetButton.left - gap;
    }
    r.filter = RECT{m, filterTop, std::max(m, filterRight), filterTop + s.filterHeight};
    r.label = At(m, filterTop - labelGap - s.label.cy, std::min<int>(s.label.cx, right - m), s.label.cy);

    // The prompt across the top, the tree in what remains.
    r.prompt = RECT{m, m, std::max(m, right), m + s.promptHeight};
    r.tree = RECT{m, r.prompt.bottom + promptGap, std::max(m, right),
                  std::max<int>(r.prompt.bottom + promptGap, r.label.top - gap)};

    r.grip = At(client.cx - s.grip.cx, client.cy - s.grip.cy, s.grip.cx, s.grip.cy);
    return r;
}

} // namespace zevrin
