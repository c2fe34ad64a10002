#pragma once
// The update check's windows: its progress dialog, its two messages and the new-version
// dialog, each owned by the main window's thread. Both boxes "check automatically" write the
// setting back as the user leaves them.
#include "update/UpdateCheckView.h"

namespace zevrin {

class CUpdateCheckDialogs : public IUpdateCheckView {
public:
    bool BringProgressForward() override;
    CheckResult CheckWithProgress(CUpdateChecker& checker) override;
    void ShowCheckFailed() override;
    void ShowUpToDate() override;
    bool OfferNewVersion(const CUpdateChecker& checker) override;
};

} // namespace zevrin
