#pragma once
// One transfer of CHttpDownload: everything its worker thread touches lives here, shared
// between the worker and the waiting caller. A cancelled or stalled transfer is ended by
// closing its handles; under Wine that does not wake a blocked read, so the caller may return
// before the worker does, and the worker then finishes alone on this record, which keeps no
// reference to anything of the caller's.
#include "update/HttpRequest.h"

#include "framework/Handles.h"

#include <wininet.h>

#include <atomic>
#include <functional>
#include <mutex>

namespace zevrin {

enum class HttpOutput { None = 0, NewFile = 1, Append = 2 };

// Progress callback codes.
inline constexpr int kHttpBodyStarted = 2;
inline constexpr int kHttpChunkWritten = 10;
inline constexpr int kHttpBodyEnded = 4;

struct HttpProgress {
    int64_t size = 0; // size of the body being received (its content length, -1 unknown)
    int64_t contentLength = -1;
    int64_t received = 0; // bytes written so far
};
using HttpProgressCallback = std::function<void(int code, const HttpProgress&)>;

struct HttpResponse {
    DWORD status = 0;
    std::wstring rawHeaders;
    int64_t contentLength = -1;
    std::wstring contentEncoding;
    std::wstring location; // for 301, 302 and 303
};

using UniqueInternet = fw::UniqueHandle<fw::NullIsInvalid<HINTERNET, ::InternetCloseHandle>>;

class CHttpTransfer {
public:
    CHttpTransfer(HttpRequestOptions options, UrlParts url, std::wstring outputPath, HttpOutput mode,
                  HttpProgressCallback progress);

    // The worker's whole work; 0 success, 1 stopped, -1 failure.
    int Execute();

    // From the waiting thread.
    void Stop() { stop_ = 1; }
    void CloseHandles();
    // After this the worker calls no callback any more.
    void Abandon();
    int ProgressCounter() const { return progressCounter_; }

    // Valid once Execute has returned.
    const HttpResponse& Response() const { return response_; }
    int64_t Received() const { return received_; }

private:
    int Connect();
    bool OpenInternet();
    bool OpenConnection();
    bool OpenRequest();
    bool OpenOutput();
    void SetTimeouts(HINTERNET handle) const;
    int Send();
    int ReadResponse();
    int ReceiveBody();
    void Report(int code, const HttpProgress& progress);
    bool Stopped() const { return stop_ != 0; }
    HINTERNET Request();

    const HttpRequestOptions options_;
    const UrlParts url_;
    const std::wstring outputPath_;
    const HttpOutput mode_;

    std::mutex handleLock_; // opening and closing the connection handles
    UniqueInternet internet_;
    UniqueInternet connection_;
    UniqueInternet request_;
    bool closed_ = false; // CloseHandles ran: nothing is opened any more
    fw::UniqueFile output_;

    std::mutex callbackLock_;
    HttpProgressCallback progress_;

    std::atomic<int> stop_{0};
    std::atomic<int> progressCounter_{0};
    HttpResponse response_;
    int64_t received_ = 0;
};

} // namespace zevrin
