#pragma once
// The main window's menu bar: drawn on the program's dark background strip, with the playlist's
// summary ("12 Files, 1:02:05") at its right end.
#include "ui/frame/MenuBar.h"

#include <cstdint>
#include <string>

namespace zevrin {

class CStatusMenuBar : public CMenuBar {
public:
    CStatusMenuBar();

    // The playlist's file count and total duration (microseconds).
    void SetSummary(int count, int64_t totalDuration);
    const std::wstring& Summary() const { return summary_; }

protected:
    void PaintBackground(HDC dc, const RECT& rc) override;

private:
    std::wstring summary_;
};

// "%d Files, %s" and its forms for one file and for unknown durations; empty for no files.
std::wstring PlaylistSummary(int count, int64_t totalDuration);

} // namespace zevrin
