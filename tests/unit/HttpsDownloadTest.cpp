// The download over https against a server with a self-signed certificate, made at test time:
// an untrusted certificate fails the download, and so does a trusted one for another name.
// The server is Python's, started as a host program (Wine runs those from CreateProcess).
#include "update/HttpDownload.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <wincrypt.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace zevrin;

namespace {

constexpr char kServerScript[] = R"(import http.server, os, ssl, subprocess, sys, threading, time
d = sys.argv[1]
subprocess.run(['openssl', 'req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-keyout', d + '/key.pem',
                '-out', d + '/cert.pem', '-days', '2', '-subj', '/CN=127.0.0.1',
                '-addext', 'subjectAltName=IP:127.0.0.1'], check=True, capture_output=True)
subprocess.run(['openssl', 'x509', '-in', d + '/cert.pem', '-outform', 'DER', '-out', d + '/cert.der'], check=True)
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
)";

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(path, std::ios::binary);
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
        std::ofstream(folder_ + L"\\server.py", std::ios::binary) << kServerScript;
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
        certificate_ = ReadAll(folder_ + L"\\cert.der");
        path_ = folder_ + L"\\download.bin";
    }
    void TearDown() override {
        if (!folder_.empty()) std::ofstream(folder_ + L"\\stop") << "stop";
    }

    std::wstring Url(const wchar_t* host) const { return L"https://" + std::wstring(host) + L":" + std::to_wstring(port_) + L"/"; }

    std::string unixFolder_;
    std::wstring folder_;
    std::wstring path_;
    std::string certificate_;
    int port_ = 0;
};

// Trusts the test's certificate in the current user's root store while it lives.
class TrustedCertificate {
public:
    explicit TrustedCertificate(const std::string& der) {
        store_ = CertOpenSystemStoreW(0, L"ROOT");
        if (!store_) return;
        CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                                         static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING, &added_);
    }
    ~TrustedCertificate() {
        if (added_) CertDeleteCertificateFromStore(added_);  // frees the context too
        if (store_) CertCloseStore(store_, 0);
    }
    bool Added() const { return added_ != nullptr; }

private:
    HCERTSTORE store_ = nullptr;
    PCCERT_CONTEXT added_ = nullptr;
};

} // namespace

TEST_F(HttpsDownloadTest, AnUntrustedOrMisnamedCertificateFailsTheDownload) {
    CHttpDownload download;
    download.options.inactivityTimeoutMs = 10000;
    EXPECT_EQ(download.RunGet(Url(L"127.0.0.1"), path_), -1) << "a self-signed certificate is not trusted";
    EXPECT_EQ(ReadAll(path_), "");

    TrustedCertificate trusted(certificate_);
    ASSERT_TRUE(trusted.Added());
    const int trustedResult = download.RunGet(Url(L"127.0.0.1"), path_);
    RecordProperty("TrustedResult", trustedResult);
    if (trustedResult == 0) EXPECT_EQ(ReadAll(path_), "secure body");
    // The certificate names 127.0.0.1, not localhost.
    EXPECT_EQ(download.RunGet(Url(L"localhost"), path_), -1);
    std::printf("trusted self-signed certificate: result %d\n", trustedResult);
}
