#include "ui/playlist/LoadThread.h"

#include <objbase.h>

namespace zevrin {

bool CLoadThread::InitInstance() {
    comInitialized_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return true;
}

int CLoadThread::Run() {
    work_.LoaderWork(stopFlag_);
    return 0;
}

// The owner waits for this message before it joins the thread.
int CLoadThread::ExitInstance(int) {
    if (comInitialized_) ::CoUninitialize();
    ::PostMessageW(work_.WorkWindow(), WM_LOADER_ENDED, 0, 0);
    return 0;
}

} // namespace zevrin
