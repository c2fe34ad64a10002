#pragma once
// A worker thread object. It is created suspended so that its owner can set its priority
// before it runs, it never deletes itself, and its owner joins it before deleting it. A
// subclass puts its work in Run; InitInstance and ExitInstance bracket it on the thread.
#include "framework/Handles.h"

namespace fw {

class CWorkerThread {
public:
    CWorkerThread() = default;
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;
    // Waits for a thread that is still running, so that it can never outlive its object.
    virtual ~CWorkerThread();

    // Creates the thread suspended; false when the system refuses.
    bool CreateSuspended();
    void SetPriority(int priority) const { ::SetThreadPriority(handle_.Get(), priority); }
    void Resume() {
        resumed_ = true;
        ::ResumeThread(handle_.Get());
    }
    // CreateSuspended, SetPriority and Resume in one.
    bool Start(int priority = THREAD_PRIORITY_NORMAL);

    // Waits for the thread to end; true when it has.
    bool Join(DWORD timeoutMs = INFINITE) const;
    bool IsRunning() const;
    HANDLE Handle() const { return handle_.Get(); }
    DWORD ThreadId() const { return threadId_; }
    int ExitCode() const { return exitCode_; }

protected:
    virtual bool InitInstance() { return true; }
    virtual int Run() = 0;
    virtual int ExitInstance(int exitCode) { return exitCode; }

private:
    static DWORD WINAPI ThreadMain(void* self);

    UniqueKernelHandle handle_;
    DWORD threadId_ = 0;
    int exitCode_ = 0;
    bool resumed_ = false;
};

} // namespace fw
