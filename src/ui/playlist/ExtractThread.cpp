#include "ui/playlist/ExtractThread.h"

namespace zevrin {

int CExtractThread::Run() {
    work_.ExtractWork(parity_, stopFlag_);
    return 0;
}

int CExtractThread::ExitInstance(int) {
    ::PostMessageW(work_.WorkWindow(), WM_EXTRACTOR_ENDED, static_cast<WPARAM>(parity_), 0);
    return 0;
}

} // namespace zevrin
