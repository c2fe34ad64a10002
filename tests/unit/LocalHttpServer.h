#pragma once
// A one-file HTTP server on 127.0.0.1 for tests that give the tools a URL. It answers GET with
// the file, and a "Range: bytes=N-" request with the rest of it from N, one connection at a time.
#include <winsock2.h>

#include "../LoopbackListener.h"
#include <ws2tcpip.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

namespace zevrin::test {

class LocalHttpServer {
public:
    explicit LocalHttpServer(std::string body) : body_(std::move(body)) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        unsigned short port = 0;
        listener_ = zevrin::test::ListenOnLoopback(4, port);
        if (port == 0) return;
        port_ = port;
        thread_ = std::thread([this] { Serve(); });
    }
    ~LocalHttpServer() {
        stopping_ = true;
        closesocket(listener_);  // ends the accept
        if (thread_.joinable()) thread_.join();
        WSACleanup();
    }
    int Port() const { return port_; }

private:
    void Serve() {
        while (!stopping_) {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            Answer(client);
            closesocket(client);
        }
    }
    void Answer(SOCKET client) {
        std::string request;
        char buffer[2048];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) return;
            request.append(buffer, static_cast<size_t>(n));
        }
        size_t from = 0;
        if (size_t range = request.find("Range: bytes="); range != std::string::npos)
            from = std::strtoull(request.c_str() + range + 13, nullptr, 10);
        if (from > body_.size()) from = body_.size();
        std::string head = from ? "HTTP/1.1 206 Partial Content\r\n" : "HTTP/1.1 200 OK\r\n";
        head += "Content-Type: application/octet-stream\r\nAccept-Ranges: bytes\r\nConnection: close\r\n";
        head += "Content-Length: " + std::to_string(body_.size() - from) + "\r\n";
        if (from)
            head += "Content-Range: bytes " + std::to_string(from) + "-" + std::to_string(body_.size() - 1) + "/" +
                    std::to_string(body_.size()) + "\r\n";
        head += "\r\n";
        const std::string reply = head + body_.substr(from);
        for (size_t sent = 0; sent < reply.size();) {
            const int n = send(client, reply.data() + sent, static_cast<int>(reply.size() - sent), 0);
            if (n <= 0) return;
            sent += static_cast<size_t>(n);
        }
    }

    std::string body_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

} // namespace zevrin::test
