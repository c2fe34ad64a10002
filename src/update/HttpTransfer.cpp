#include "update/HttpTransfer.h"

#include "framework/Text.h"

#include <vector>

namespace zevrin {

namespace {

constexpr int kDefaultBufferSize = 4096;

const wchar_t* NullIfEmpty(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

std::wstring QueryText(HINTERNET request, DWORD info) {
    DWORD size = 0;
    HttpQueryInfoW(request, info, nullptr, &size, nullptr);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return {};
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (!HttpQueryInfoW(request, info, text.data(), &size, nullptr)) return {};
    text.resize(size / sizeof(wchar_t));
    return text;
}

} // namespace

CHttpTransfer::CHttpTransfer(HttpRequestOptions options, UrlParts url, std::wstring outputPath, HttpOutput mode,
                             HttpProgressCallback progress)
    : options_(std::move(options)), url_(std::move(url)), outputPath_(std::move(outputPath)), mode_(mode),
      progress_(std::move(progress)) {}

int CHttpTransfer::Execute() {
    response_ = {};
    int result = Connect();
    if (result == 0) result = Send();
    if (result == 0) result = ReadResponse();
    if (result == 0) result = ReceiveBody();
    CloseHandles();
    output_.Reset();
    return result;
}

// Each step runs under the lock, so a close from the waiting thread falls between steps and
// the next step sees it.
int CHttpTransfer::Connect() {
    for (bool (CHttpTransfer::*step)() : {&CHttpTransfer::OpenInternet, &CHttpTransfer::OpenConnection,
                                          &CHttpTransfer::OpenRequest, &CHttpTransfer::OpenOutput}) {
        bool ok;
        {
            std::lock_guard lock(handleLock_);
            ok = !closed_ && (this->*step)();
        }
        if (Stopped()) {
            CloseHandles();
            return 1;
        }
        if (!ok) {
            CloseHandles();
            return -1;
        }
    }
    return 0;
}

bool CHttpTransfer::OpenInternet() {
    const std::wstring agent = options_.userAgent.empty() ? kDefaultUserAgent : options_.userAgent;
    const std::wstring proxy = ProxyText(options_);
    internet_.Reset(InternetOpenW(agent.c_str(), EffectiveAccessType(options_), NullIfEmpty(proxy), nullptr, 0));
    return static_cast<bool>(internet_);
}

bool CHttpTransfer::OpenConnection() {
    connection_.Reset(InternetConnectW(internet_.Get(), url_.host.c_str(), url_.port, NullIfEmpty(options_.userName),
                                       NullIfEmpty(options_.password), INTERNET_SERVICE_HTTP, 0, 0));
    if (connection_) SetTimeouts(connection_.Get());
    return static_cast<bool>(connection_);
}

bool CHttpTransfer::OpenRequest() {
    request_.Reset(HttpOpenRequestW(connection_.Get(), NullIfEmpty(options_.verb), url_.path.c_str(),
                                    NullIfEmpty(options_.httpVersion), NullIfEmpty(options_.referrer), nullptr,
                                    RequestFlags(options_, url_.secure), 0));
    if (request_) SetTimeouts(request_.Get());
    return static_cast<bool>(request_);
}

// The library's own time-outs end a blocked call about when the waiting thread gives up. They
// are set on the connection and the request: Wine does not pass them down from the session.
void CHttpTransfer::SetTimeouts(HINTERNET handle) const {
    DWORD ms = options_.inactivityTimeoutMs;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionW(handle, option, &ms, sizeof(ms));
}

// Sharing delete lets the caller remove the file even while a worker it gave up on still
// holds it.
bool CHttpTransfer::OpenOutput() {
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    switch (mode_) {
    case HttpOutput::None:
        return true;
    case HttpOutput::NewFile:
        output_.Reset(CreateFileW(outputPath_.c_str(), GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(output_);
    case HttpOutput::Append: {
        output_.Reset(CreateFileW(outputPath_.c_str(), GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size{};
        if (!output_ || !GetFileSizeEx(output_.Get(), &size)) return false;
        if (options_.rangeStart > 0 && size.QuadPart != options_.rangeStart) return false;
        LARGE_INTEGER zero{};
        return SetFilePointerEx(output_.Get(), zero, nullptr, FILE_END) != FALSE;
    }
    }
    return false;
}

void CHttpTransfer::CloseHandles() {
    std::lock_guard lock(handleLock_);
    closed_ = true;
    request_.Reset();
    connection_.Reset();
    internet_.Reset();
}

void CHttpTransfer::Abandon() {
    std::lock_guard lock(callbackLock_);
    progress_ = nullptr;
}

HINTERNET CHttpTransfer::Request() {
    std::lock_guard lock(handleLock_);
    return request_.Get();
}

int CHttpTransfer::Send() {
    const std::wstring headers = BuildHeaders(options_);
    std::string body = fw::ToCodePage(options_.body, CP_ACP);
    BOOL sent =
        HttpSendRequestW(Request(), headers.empty() ? nullptr : headers.c_str(), static_cast<DWORD>(headers.size()),
                         body.empty() ? nullptr : body.data(), static_cast<DWORD>(body.size()));
    if (Stopped()) return 1;
    return sent ? 0 : -1;
}

int CHttpTransfer::ReadResponse() {
    HINTERNET request = Request();
    DWORD status = 0, size = sizeof(status);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) return -1;
    response_.status = status;
    if (status >= 400) return -1;
    response_.rawHeaders = QueryText(request, HTTP_QUERY_RAW_HEADERS_CRLF);
    const std::wstring length = QueryText(request, HTTP_QUERY_CONTENT_LENGTH);
    if (!length.empty()) response_.contentLength = _wtoi64(length.c_str());
    response_.contentEncoding = QueryText(request, HTTP_QUERY_CONTENT_ENCODING);
    if (status == 301 || status == 302 || status == 303) response_.location = QueryText(request, HTTP_QUERY_LOCATION);
    return 0;
}

// The body ends when a read returns nothing (or the limit is reached): a read that returns
// less than asked is no end, since a slow server delivers a body in small pieces.
int CHttpTransfer::ReceiveBody() {
    progressCounter_ = 10;
    if (!output_) return 0;
    const int64_t bound = options_.maxBodyBytes;
    if (bound >= 0 && response_.contentLength > bound) return -1;
    HttpProgress progress{response_.contentLength, response_.contentLength, 0};
    Report(kHttpBodyStarted, progress);
    const DWORD bufferSize = options_.bufferSize > 0 ? static_cast<DWORD>(options_.bufferSize) : kDefaultBufferSize;
    std::vector<char> buffer(bufferSize + 8);
    int result = 0;
    for (;;) {
        if (Stopped()) {
            result = 1;
            break;
        }
        DWORD want = bufferSize;
        if (options_.limit >= 0 && options_.limit - received_ < want)
            want = static_cast<DWORD>(options_.limit - received_);
        DWORD got = 0;
        if (!InternetReadFile(Request(), buffer.data(), want, &got) || Stopped()) {
            result = Stopped() ? 1 : -1;
            break;
        }
        if (got == 0) break;
        if (bound >= 0 && received_ + got > bound) {
            result = -1;
            break;
        }
        DWORD written = 0;
        if (!WriteFile(output_.Get(), buffer.data(), got, &written, nullptr) || written != got) {
            result = -1;
            break;
        }
        ++progressCounter_;
        received_ += got;
        progress.received = received_;
        Report(kHttpChunkWritten, progress);
        if (options_.limit >= 0 && received_ >= options_.limit) break;
    }
    Report(kHttpBodyEnded, progress);
    return result;
}

void CHttpTransfer::Report(int code, const HttpProgress& progress) {
    std::lock_guard lock(callbackLock_);
    if (progress_) progress_(code, progress);
}

} // namespace zevrin
