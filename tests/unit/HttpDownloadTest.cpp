// The download component against a server the test runs on 127.0.0.1: status codes, the
// output modes, the request headers, the inactivity time-out, cancelling and the size bound.
#include "update/HttpDownload.h"
#include "ScriptedHttpServer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

using namespace zevrin;
using zevrin::test::HttpReply;
using zevrin::test::ScriptedHttpServer;

namespace {

class HttpDownloadTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + L"zevrin-download-test.bin";
        DeleteFileW(path_.c_str());
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    std::string FileText() const {
        std::ifstream in(std::filesystem::path(path_), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool FileExists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    void WriteFile(const std::string& text) const { std::ofstream(std::filesystem::path(path_), std::ios::binary) << text; }

    std::wstring path_;
};

std::string Body(size_t size) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + i % 26);
    return body;
}

bool HasHeader(const std::string& request, const std::string& line) {
    return request.find("\r\n" + line + "\r\n") != std::string::npos;
}

} // namespace

TEST_F(HttpDownloadTest, StatusDecidesTheResultAndRedirectsAreRecordedNotFollowed) {
    const std::string body = Body(10000);
    ScriptedHttpServer server([&](const std::string& request) {
        if (request.starts_with("GET /missing")) return HttpReply::Status("404 Not Found");
        if (request.starts_with("GET /moved"))
            return HttpReply{.status = "302 Found", .headers = "Location: http://127.0.0.1:1/elsewhere\r\n"};
        return HttpReply::Ok(body);
    });

    CHttpDownload download;
    EXPECT_EQ(download.RunGet(server.WideUrl("/missing"), path_), -1);
    EXPECT_EQ(download.Response().status, 404u);
    EXPECT_TRUE(FileExists()) << "a new file is made before the request goes out";
    EXPECT_EQ(FileText(), "");

    std::vector<int> codes;
    int64_t lastReceived = 0;
    download.SetProgressCallback([&](int code, const HttpProgress& progress) {
        if (codes.empty() || codes.back() != code) codes.push_back(code);
        lastReceived = progress.received;
    });
    download.options.bufferSize = 1000;
    EXPECT_EQ(download.RunGet(server.WideUrl("/file"), path_), 0);
    EXPECT_EQ(download.Response().status, 200u);
    EXPECT_EQ(download.Response().contentLength, 10000);
    EXPECT_EQ(FileText(), body);
    EXPECT_TRUE(download.IsComplete());
    EXPECT_EQ(codes, (std::vector<int>{kHttpBodyStarted, kHttpChunkWritten, kHttpBodyEnded}));
    EXPECT_EQ(lastReceived, 10000);

    download.options.noAutoRedirect = true;
    EXPECT_EQ(download.RunGet(server.WideUrl("/moved"), path_), 0);
    EXPECT_EQ(download.Response().status, 302u);
    EXPECT_EQ(download.Response().location, L"http://127.0.0.1:1/elsewhere");
    EXPECT_EQ(server.Requests().size(), 3u) << "the redirect is not followed";
}

TEST_F(HttpDownloadTest, HeadersCarryTheOptionsAndRangeOnlyFromAStartOffset) {
    const std::string body = Body(3000);
    ScriptedHttpServer server([&](const std::string& request) {
        if (request.find("Range: bytes=1000-") != std::string::npos)
            return HttpReply{.status = "206 Partial Content", .body = body.substr(1000)};
        return HttpReply::Ok(body);
    });

    CHttpDownload download;
    ASSERT_EQ(download.RunGet(server.WideUrl(), path_), 0);
    std::string request = server.Requests().back();
    EXPECT_TRUE(request.starts_with("GET /update.xml HTTP/1.1\r\n")) << request;
    EXPECT_TRUE(HasHeader(request, "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8")) << request;
    EXPECT_TRUE(HasHeader(request, "User-Agent: Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; Trident/5.0)")) << request;
    EXPECT_EQ(request.find("Range:"), std::string::npos);
    EXPECT_EQ(request.find("Cookie:"), std::string::npos);

    // Resuming: the file holds the first 1000 bytes, the rest is appended.
    WriteFile(body.substr(0, 1000));
    download.options.rangeStart = 1000;
    download.options.acceptLanguage = L"en-us";
    download.options.cookie = L"a=1";
    download.options.extraHeaders = L"X-Test: yes\r\n";
    ASSERT_EQ(download.RunGet(server.WideUrl(), path_, true), 0);
    request = server.Requests().back();
    EXPECT_TRUE(HasHeader(request, "Range: bytes=1000-")) << request;
    EXPECT_TRUE(HasHeader(request, "Accept-Language: en-us")) << request;
    EXPECT_TRUE(HasHeader(request, "Cookie: a=1")) << request;
    EXPECT_TRUE(HasHeader(request, "X-Test: yes")) << request;
    EXPECT_EQ(FileText(), body);
    EXPECT_TRUE(download.IsComplete());

    // A file whose length is not the start offset is not appended to, nor is a missing one.
    const size_t before = server.Requests().size();
    WriteFile("short");
    EXPECT_EQ(download.RunGet(server.WideUrl(), path_, true), -1);
    EXPECT_EQ(FileText(), "short");
    DeleteFileW(path_.c_str());
    EXPECT_EQ(download.RunGet(server.WideUrl(), path_, true), -1);
    EXPECT_FALSE(FileExists());
    EXPECT_EQ(server.Requests().size(), before);

    // Reset brings the defaults back: no range, no cookie.
    download.Reset();
    ASSERT_EQ(download.RunGet(server.WideUrl(), path_), 0);
    EXPECT_EQ(server.Requests().back().find("Range:"), std::string::npos);
    EXPECT_EQ(server.Requests().back().find("Cookie:"), std::string::npos);
}

TEST_F(HttpDownloadTest, OnlyHttpAndHttpsAreFetched) {
    ScriptedHttpServer server([](const std::string&) { return HttpReply::Ok("x"); });
    const std::wstring port = std::to_wstring(server.Port());
    CHttpDownload download;
    for (const std::wstring& url : {L"ftp://127.0.0.1:" + port + L"/update.xml", std::wstring(L"file:///C:/windows/win.ini"),
                                    std::wstring(L"javascript:alert(1)"), std::wstring(L"not a url"), std::wstring()})
        EXPECT_EQ(download.RunGet(url, path_), -1) << url;
    EXPECT_FALSE(FileExists());
    EXPECT_EQ(server.Connections(), 0);
}

TEST_F(HttpDownloadTest, ASilentServerTimesOutAndACancelEndsTheWaitAtOnce) {
    const std::string body = Body(100000);
    ScriptedHttpServer server([&](const std::string&) { return HttpReply{.body = body, .stallAfter = 5000}; });

    CHttpDownload download;
    download.options.inactivityTimeoutMs = 1500;
    DWORD lastChunk = 0;
    download.SetProgressCallback([&](int code, const HttpProgress&) {
        if (code == kHttpChunkWritten) lastChunk = GetTickCount();
    });
    EXPECT_EQ(download.RunGet(server.WideUrl(), path_), -1);
    const DWORD afterLastChunk = GetTickCount() - lastChunk;
    EXPECT_NE(lastChunk, 0u) << "the first chunks arrived";
    EXPECT_GE(afterLastChunk, 1300u);
    EXPECT_LE(afterLastChunk, 5000u);

    std::atomic<int> cancel{0};
    download.SetProgressCallback(nullptr);
    download.SetCancelFlag(&cancel);
    download.options.inactivityTimeoutMs = 30000;
    DWORD cancelledAt = 0;
    std::thread canceller([&] {
        Sleep(500);
        cancelledAt = GetTickCount();
        cancel = 2;
    });
    EXPECT_EQ(download.RunGet(server.WideUrl(), path_), 1);
    const DWORD returnedAfter = GetTickCount() - cancelledAt;
    canceller.join();
    EXPECT_LE(returnedAfter, 300u);
    RecordProperty("CancelReturnedAfterMs", static_cast<int>(returnedAfter));

    // A cancel before the start stops before anything is fetched.
    const int connections = server.Connections();
    EXPECT_EQ(download.RunGet(server.WideUrl(), path_), 1);
    EXPECT_EQ(server.Connections(), connections);
}

TEST_F(HttpDownloadTest, ABodyOverTheBoundFailsWithOrWithoutALength) {
    const size_t bound = 1 << 20;
    std::string body = Body(bound);
    bool announce = true;
    ScriptedHttpServer server([&](const std::string&) { return HttpReply{.body = body, .contentLength = announce}; });
    CHttpDownload download;
    download.options.maxBodyBytes = bound;
    EXPECT_EQ(download.RunGet(server.WideUrl(), path_), 0);
    EXPECT_EQ(FileText().size(), bound);

    body += "!";
    EXPECT_EQ(download.RunGet(server.WideUrl(), path_), -1);
    announce = false;
    EXPECT_EQ(download.RunGet(server.WideUrl(), path_), -1);
    EXPECT_LE(FileText().size(), bound);
}

TEST(HttpRequestRules, FlagsProxyAndHeaderOrderFollowTheOptions) {
    HttpRequestOptions options;
    const DWORD flags = RequestFlags(options, true);
    EXPECT_EQ(flags, DWORD(INTERNET_FLAG_EXISTING_CONNECT | INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_SECURE));
    EXPECT_EQ(flags & (INTERNET_FLAG_IGNORE_CERT_CN_INVALID | INTERNET_FLAG_IGNORE_CERT_DATE_INVALID), 0u)
        << "certificates are checked";
    options.noCache = options.reload = options.noCookies = options.noAutoRedirect = true;
    options.reuseConnection = options.keepConnection = false;
    EXPECT_EQ(RequestFlags(options, false), DWORD(INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES |
                                                  INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE));

    EXPECT_EQ(EffectiveAccessType(options), DWORD(INTERNET_OPEN_TYPE_PRECONFIG));
    options.accessType = 7;
    EXPECT_EQ(EffectiveAccessType(options), DWORD(INTERNET_OPEN_TYPE_PRECONFIG));
    options.accessType = 3;
    EXPECT_EQ(EffectiveAccessType(options), DWORD(INTERNET_OPEN_TYPE_PRECONFIG)) << "no proxy host";
    EXPECT_EQ(ProxyText(options), L"");
    options.proxyHost = L"proxy.example";
    options.proxyPort = 8080;
    EXPECT_EQ(EffectiveAccessType(options), DWORD(INTERNET_OPEN_TYPE_PROXY));
    EXPECT_EQ(ProxyText(options), L"proxy.example:8080");

    options.accept.clear();
    EXPECT_EQ(BuildHeaders(options), L"");
    options.accept = L"*/*";
    options.acceptLanguage = L"de";
    options.acceptEncoding = L"gzip";
    options.cookie = L"c=1";
    options.rangeStart = 5000000000LL;
    options.extraHeaders = L"X-A: 1\r\n";
    EXPECT_EQ(BuildHeaders(options), L"Accept: */*\r\nAccept-Language: de\r\nRange: bytes=5000000000-\r\n"
                                     L"Accept-Encoding: gzip\r\nCookie: c=1\r\nX-A: 1\r\n");

    auto parts = SplitUrl(L"https://www.tresk.com/zevrin/update.xml?v=3");
    ASSERT_TRUE(parts);
    EXPECT_TRUE(parts->secure);
    EXPECT_EQ(parts->host, L"www.tresk.com");
    EXPECT_EQ(parts->port, 443);
    EXPECT_EQ(parts->path, L"/zevrin/update.xml?v=3");
}
