#pragma once
// An HTTP server on 127.0.0.1 whose answers a test writes: status and headers, a body, a body
// that stops after some bytes and then stays silent, or a connection closed at once (a server
// that is down). It keeps every request it got, and serves each connection on its own thread
// so that a stalled answer does not hold up the next one.
#include <winsock2.h>

#include "../LoopbackListener.h"
#include <ws2tcpip.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zevrin::test {

struct HttpReply {
    std::string status = "200 OK";
    std::string headers;            // extra header lines, each ending in CRLF
    std::string body;
    bool contentLength = true;      // without it the body ends when the connection closes
    size_t stallAfter = std::string::npos;  // body bytes sent before the server goes silent
    bool dropConnection = false;    // close without answering

    static HttpReply Ok(std::string body) { return HttpReply{.body = std::move(body)}; }
    static HttpReply Status(std::string status) { return HttpReply{.status = std::move(status)}; }
};

class ScriptedHttpServer {
public:
    using Handler = std::function<HttpReply(const std::string& request)>;

    explicit ScriptedHttpServer(Handler handler) : handler_(std::move(handler)) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        unsigned short port = 0;
        listener_ = zevrin::test::ListenOnLoopback(8, port);
        if (port == 0) return;
        port_ = port;
        acceptor_ = std::thread([this] { Accept(); });
    }
    ~ScriptedHttpServer() {
        SetEvent(stopEvent_);
        closesocket(listener_);
        if (acceptor_.joinable()) acceptor_.join();
        std::vector<std::thread> clients;
        {
            std::lock_guard lock(lock_);
            clients.swap(clients_);
        }
        for (auto& t : clients) t.join();
        CloseHandle(stopEvent_);
        WSACleanup();
    }

    int Port() const { return port_; }
    std::string Url(const std::string& path = "/update.xml") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    std::wstring WideUrl(const std::string& path = "/update.xml") const {
        const std::string url = Url(path);
        return std::wstring(url.begin(), url.end());
    }
    void SetHandler(Handler handler) {
        std::lock_guard lock(lock_);
        handler_ = std::move(handler);
    }
    std::vector<std::string> Requests() const {
        std::lock_guard lock(lock_);
        return requests_;
    }
    int Connections() const { return connections_; }

private:
    void Accept() {
        for (;;) {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            ++connections_;
            std::lock_guard lock(lock_);
            clients_.emplace_back([this, client] {
                Serve(client);
                closesocket(client);
            });
        }
    }

    void Serve(SOCKET client) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) return;
            request.append(buffer, static_cast<size_t>(n));
        }
        Handler handler;
        {
            std::lock_guard lock(lock_);
            requests_.push_back(request);
            handler = handler_;
        }
        const HttpReply reply = handler(request);
        if (reply.dropConnection) return;
        std::string head = "HTTP/1.1 " + reply.status + "\r\nConnection: close\r\n" + reply.headers;
        if (reply.contentLength) head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
        head += "\r\n";
        const size_t bodyBytes = reply.stallAfter < reply.body.size() ? reply.stallAfter : reply.body.size();
        if (!SendAll(client, head + reply.body.substr(0, bodyBytes))) return;
        if (bodyBytes < reply.body.size()) WaitForSingleObject(stopEvent_, INFINITE);  // silent until the end
    }

    static bool SendAll(SOCKET client, const std::string& data) {
        for (size_t sent = 0; sent < data.size();) {
            const int n = send(client, data.data() + sent, static_cast<int>(data.size() - sent), 0);
            if (n <= 0) return false;
            sent += static_cast<size_t>(n);
        }
        return true;
    }

    mutable std::mutex lock_;
    Handler handler_;
    std::vector<std::string> requests_;
    std::vector<std::thread> clients_;
    std::atomic<int> connections_{0};
    HANDLE stopEvent_ = nullptr;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread acceptor_;
};

} // namespace zevrin::test
