#include "framework/WorkerThread.h"

namespace fw {

CWorkerThread::~CWorkerThread() {
    if (!handle_) return;
    if (resumed_)
        ::WaitForSingleObject(handle_.Get(), INFINITE);
    else
        ::TerminateThread(handle_.Get(), 0); // never ran a line of its own
}

bool CWorkerThread::CreateSuspended() {
    if (handle_) return false;
    handle_.Reset(::CreateThread(nullptr, 0, &CWorkerThread::ThreadMain, this, CREATE_SUSPENDED, &threadId_));
    return static_cast<bool>(handle_);
}

bool CWorkerThread::Start(int priority) {
    if (!CreateSuspended()) return false;
    SetPriority(priority);
    Resume();
    return true;
}

bool CWorkerThread::Join(DWORD timeoutMs) const {
    return !handle_ || ::WaitForSingleObject(handle_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

bool CWorkerThread::IsRunning() const { return handle_ && ::WaitForSingleObject(handle_.Get(), 0) == WAIT_TIMEOUT; }

DWORD WINAPI CWorkerThread::ThreadMain(void* self) {
    auto* thread = static_cast<CWorkerThread*>(self);
    int code = thread->InitInstance() ? thread->Run() : -1;
    thread->exitCode_ = thread->ExitInstance(code);
    return static_cast<DWORD>(thread->exitCode_);
}

} // namespace fw
