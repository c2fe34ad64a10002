#pragma once
// A server on 127.0.0.1 that accepts every connection and never answers: a probe of one of its
// URLs waits until it gives up, which keeps the program's loader busy for as long as a test
// needs. Counts the connections.
#include <winsock2.h>

#include "../LoopbackListener.h"

#include <atomic>
#include <thread>
#include <vector>

namespace zevrin::ui {

class SilentServer {
public:
    SilentServer() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        unsigned short port = 0;
        listener_ = zevrin::test::ListenOnLoopback(8, port);
        if (port == 0) return;
        port_ = port;
        thread_ = std::thread([this] {
            for (;;) {
                SOCKET client = accept(listener_, nullptr, nullptr);
                if (client == INVALID_SOCKET) return;
                ++connections_;
                held_.push_back(client);
            }
        });
    }
    ~SilentServer() {
        closesocket(listener_);
        if (thread_.joinable()) thread_.join();
        for (SOCKET s : held_) closesocket(s);
        WSACleanup();
    }
    int Port() const { return port_; }
    int Connections() const { return connections_; }

private:
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<int> connections_{0};
    std::vector<SOCKET> held_;
    std::thread thread_;
};

} // namespace zevrin::ui
