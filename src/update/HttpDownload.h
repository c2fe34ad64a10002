#pragma once
// Fetches one http or https resource into a local file on a worker thread, while the calling
// thread polls: it can be cancelled through a flag the caller owns, and it fails after a
// stretch without data. A general component: the update check uses only some of its options.
#include "update/HttpTransfer.h"

#include <atomic>
#include <memory>
#include <string>

namespace zevrin {

class CHttpDownload {
public:
    CHttpDownload() = default;
    CHttpDownload(const CHttpDownload&) = delete;
    CHttpDownload& operator=(const CHttpDownload&) = delete;
    ~CHttpDownload();

    // Restores the default options.
    void Reset() { options = {}; }

    HttpRequestOptions options;

    // Non-zero in *flag cancels a running transfer; the flag stays the caller's.
    void SetCancelFlag(const std::atomic<int>* flag) { cancel_ = flag; }
    // Called on the worker thread with kHttpBodyStarted, kHttpChunkWritten and kHttpBodyEnded.
    void SetProgressCallback(HttpProgressCallback callback) { progress_ = std::move(callback); }

    // GET into a new file, or appended to an existing one.
    int RunGet(const std::wstring& url, const std::wstring& outputPath, bool append = false);
    // 0 success, 1 cancelled, -1 failure (a bad URL, no connection, status 400 or more, a
    // time-out, a file that can't be written, a body over the bound).
    int Run(const std::wstring& url, const std::wstring& outputPath, HttpOutput mode);

    // Whether the last transfer got everything its content length announced.
    bool IsComplete() const;
    const HttpResponse& Response() const { return response_; }
    int64_t Received() const { return received_; }

private:
    enum class Wait { Ended, Cancelled, TimedOut };
    Wait WaitForTransfer(CHttpTransfer& transfer, HANDLE thread) const;
    bool Cancelled() const { return cancel_ && *cancel_ != 0; }

    const std::atomic<int>* cancel_ = nullptr;
    HttpProgressCallback progress_;
    HttpResponse response_;
    int64_t received_ = 0;
};

} // namespace zevrin
