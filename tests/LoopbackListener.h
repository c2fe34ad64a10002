#pragma once
// The listening half every test server shares: a socket on 127.0.0.1 at a port the system
// chooses, so servers of parallel tests never collide and nothing listens beyond this machine.
#include <winsock2.h>

namespace zevrin::test {

// Listens on 127.0.0.1 at a free port and sets `port`; INVALID_SOCKET (and port 0) on failure.
// The caller has started Winsock and closes the socket.
inline SOCKET ListenOnLoopback(int backlog, unsigned short& port) {
    port = 0;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) return listener;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(address);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(listener, backlog) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return listener;  // closed by the caller; port stays 0
    port = ntohs(address.sin_port);
    return listener;
}

} // namespace zevrin::test
