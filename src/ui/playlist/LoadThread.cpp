#include "ui/playlist/LoadThread.h"

namespace zevrin {

int CLoadThread::Run() {
    work_.LoaderWork(stopFlag_);
    return 0;
}

// The owner waits for this message before it joins the thread.
int CLoadThread::ExitInstance(int) {
    ::PostMessageW(work_.WorkWindow(), WM_LOADER_ENDED, 0, 0);
    return 0;
}

} // namespace zevrin
