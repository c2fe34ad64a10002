// The download over https against a server with a self-signed certificate, made at test time:
// a certificate nobody vouches for fails the download.
// The server is Python's, started as a host program (Wine runs those from CreateProcess).
#include "update/HttpDownload.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace zevrin;

namespace {

constexpr char kServerScript[] = R"(import http.server, os, shutil, ssl, subprocess, sys, threading, time
d = sys.argv[1]
subprocess.run(['openssl', 'req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-keyout', d + '/key.pem',
                '-out', d + '/cert.pem', '-days', '2', '-subj', '/CN=127.0.0.1',
                '-addext', 'subjectAltName=IP:127.0.0.1'], check=True, capture_output=True)
class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = b'secure body'
        self.send_response(200)
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass
server = http.server.HTTPServer(('127.0.0.1', 0), Handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(d + '/cert.pem', d + '/key.pem')
server.socket = context.wrap_socket(server.socket, server_side=True)
open(d + '/port.tmp', 'w').write(str(server.server_address[1]))
os.rename(d + '/port.tmp', d + '/port')
threading.Thread(target=server.serve_forever, daemon=True).start()
end = time.time() + 120
while not os.path.exists(d + '/stop') and time.time() < end:
    time.sleep(0.1)
shutil.rmtree(d, ignore_errors=True)
)";

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class HttpsDownloadTest : public testing::Test {
protected:
    void SetUp() override {
        if (GetFileAttributesW(L"Z:\\usr\\bin\\python3") == INVALID_FILE_ATTRIBUTES ||
            GetFileAttributesW(L"Z:\\usr\\bin\\openssl") == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "needs the host's python3 and openssl";
        unixFolder_ = "/tmp/zevrin-tls-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
        folder_ = L"Z:" + std::wstring(unixFolder_.begin(), unixFolder_.end());
        for (wchar_t& c : folder_)
            if (c == L'/') c = L'\\';
        CreateDirectoryW(folder_.c_str(), nullptr);
        std::ofstream(std::filesystem::path(folder_ + L"\\server.py"), std::ios::binary) << kServerScript;
        std::wstring commandLine = L"python3 " + std::wstring(unixFolder_.begin(), unixFolder_.end()) + L"/server.py " +
                                   std::wstring(unixFolder_.begin(), unixFolder_.end());
        STARTUPINFOW si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessW(L"Z:\\usr\\bin\\python3", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        for (int i = 0; i < 200 && port_ == 0; ++i, Sleep(100)) port_ = atoi(ReadAll(folder_ + L"\\port").c_str());
        ASSERT_NE(port_, 0) << "the TLS server did not start";
        path_ = folder_ + L"\\download.bin";
    }
    void TearDown() override {
        if (!folder_.empty()) std::ofstream(std::filesystem::path(folder_ + L"\\stop")) << "stop";
    }

    std::wstring Url(const wchar_t* host) const { return L"https://" + std::wstring(host) + L":" + std::to_wstring(port_) + L"/"; }

    std::string unixFolder_;
    std::wstring folder_;
    std::wstring path_;
    int port_ = 0;
};

} // namespace

// Wine's schannel completes the handshake with this server when the authority check is
// switched off (measured: error 12045, ERROR_INTERNET_INVALID_CA, otherwise), so the failure
// here is the certificate's. Adding the certificate to the user's or the machine's root store
// does not make Wine trust it, so a trusted download is not tested here.
TEST_F(HttpsDownloadTest, AnUntrustedCertificateFailsTheDownload) {
    CHttpDownload download;
    download.options.inactivityTimeoutMs = 10000;
    EXPECT_EQ(download.RunGet(Url(L"127.0.0.1"), path_), -1) << "a self-signed certificate is not trusted";
    EXPECT_EQ(ReadAll(path_), "");
    EXPECT_EQ(download.RunGet(Url(L"localhost"), path_), -1);
}
