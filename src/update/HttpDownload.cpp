#include "update/HttpDownload.h"

#include "framework/Handles.h"

#include <process.h>

namespace zevrin {

namespace {

constexpr DWORD kPollMs = 100;

// What the worker thread gets: its own reference to the transfer, and a slot for the result.
struct WorkerStart {
    std::shared_ptr<CHttpTransfer> transfer;
    std::shared_ptr<std::atomic<int>> result;
};

unsigned __stdcall TransferThread(void* arg) {
    std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(arg));
    *start->result = start->transfer->Execute();
    return 0;
}

} // namespace

CHttpDownload::~CHttpDownload() = default;

int CHttpDownload::RunGet(const std::wstring& url, const std::wstring& outputPath, bool append) {
    options.verb = L"GET";
    return Run(url, outputPath, append ? HttpOutput::Append : HttpOutput::NewFile);
}

int CHttpDownload::Run(const std::wstring& url, const std::wstring& outputPath, HttpOutput mode) {
    response_ = {};
    received_ = 0;
    if (options.rangeStart < 0) options.rangeStart = 0;
    std::optional<UrlParts> parts = SplitUrl(url);
    if (!parts) return -1;
    if (Cancelled()) return 1;

    auto transfer = std::make_shared<CHttpTransfer>(options, *parts, outputPath, mode, progress_);
    auto result = std::make_shared<std::atomic<int>>(-1);
    auto start = std::make_unique<WorkerStart>(WorkerStart{transfer, result});
    fw::UniqueKernelHandle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TransferThread, start.get(), CREATE_SUSPENDED, nullptr)));
    if (!thread) return -1;
    (void)start.release(); // the thread's now
    SetThreadPriority(thread.Get(), THREAD_PRIORITY_NORMAL);
    ResumeThread(thread.Get());

    switch (WaitForTransfer(*transfer, thread.Get())) {
    case Wait::Ended:
        response_ = transfer->Response();
        received_ = transfer->Received();
        return *result;
    case Wait::Cancelled:
        transfer->Abandon();
        return 1;
    case Wait::TimedOut:
        transfer->Abandon();
        return -1;
    }
    return -1;
}

// Polls every 100 ms. Any new chunk restarts the inactivity countdown. On a cancel or a
// time-out the handles are closed, and the worker is left to finish on its own record.
CHttpDownload::Wait CHttpDownload::WaitForTransfer(CHttpTransfer& transfer, HANDLE thread) const {
    int lastCounter = transfer.ProgressCounter();
    int64_t countdown = options.inactivityTimeoutMs;
    for (;;) {
        if (WaitForSingleObject(thread, kPollMs) == WAIT_OBJECT_0) return Wait::Ended;
        if (Cancelled()) {
            transfer.Stop();
            transfer.CloseHandles();
            return Wait::Cancelled;
        }
        if (const int counter = transfer.ProgressCounter(); counter != lastCounter) {
            lastCounter = counter;
            countdown = options.inactivityTimeoutMs;
        } else if ((countdown -= kPollMs) <= 0) {
            transfer.Stop();
            transfer.CloseHandles();
            return Wait::TimedOut;
        }
    }
}

bool CHttpDownload::IsComplete() const {
    if (options.limit < 0) return options.rangeStart + received_ >= response_.contentLength;
    return received_ >= response_.contentLength;
}

} // namespace zevrin
