#pragma once
// The shell tree with its busy animation: while a branch is read, the busy cursor turns in the
// "Loading..." row's icon place, one of its ten steps every 125 ms, and a small bar beside the
// row shows how far the reading is. Drawn straight into the tree from the animation thread.
#include "ui/dialogs/ShellTreeCtrl.h"

namespace zevrin {

// Width in pixels of the progress bar's fill (0..50). With a total the fill is proportional;
// without one (the count of children is not known in advance) it grows with the count and
// approaches the full width: 50 x (1 + 0.2c - 0.5 ln(e^2 + e^(0.4c) - 1)), computed in a form
// that does not overflow for thousands of children.
int ProgressBarWidth(int total, int current);

class CAnimatedShellTreeCtrl : public CShellTreeCtrl {
public:
    static constexpr int kSteps = 10;
    static constexpr UINT kStepMs = 125;

    CAnimatedShellTreeCtrl();
    ~CAnimatedShellTreeCtrl() override;

protected:
    void PrepareAnimation(HTREEITEM placeholder) override;
    void AnimationTick(bool timerTick, int total, int current) override;
    void ClearPlaceholderIcon() override;
    void EndAnimation() override;

private:
    fw::UniqueCursor busyCursor_; // animated, ten steps
    RECT iconRect_{};
    RECT progressRect_{};
    RECT barRect_{};
    fw::UniqueBrush frameBrush_;
    fw::UniqueBrush barBrush_;
    fw::UniqueBrush backBrush_;
    int step_ = 0;
};

} // namespace zevrin
