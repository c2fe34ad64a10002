#pragma once
// What an update check shows the user, asked in the check's own terms. The update check owns
// this interface and decides when each part shows; the user interface implements it with its
// dialogs (on the user-interface thread), so that this folder makes no window of its own.
#include "update/UpdateChecker.h"

namespace zevrin {

class IUpdateCheckView {
public:
    virtual ~IUpdateCheckView() = default;
    // A manual check's progress is showing already: it is brought forward; false when none is.
    virtual bool BringProgressForward() = 0;
    // Runs `checker.Check()` on a worker while a modal progress window shows, which can raise
    // the checker's cancel flag; returns the check's result once the window has closed.
    virtual CheckResult CheckWithProgress(CUpdateChecker& checker) = 0;
    virtual void ShowCheckFailed() = 0;
    virtual void ShowUpToDate() = 0;
    // The newer version the check found, with the version the user has; true when the user
    // chose to download it.
    virtual bool OfferNewVersion(const CUpdateChecker& checker) = 0;
};

} // namespace zevrin
