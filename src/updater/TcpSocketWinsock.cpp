#include "updater/TcpSocket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace qivyun {

bool StartSocketLayer() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

// The socket does not block: every wait for the peer is a select. A connect that fails shows in
// the exception set.
int TcpSocket::WaitOnce(bool forWriting, int milliseconds) {
    const SOCKET s = static_cast<SOCKET>(handle);
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    const int count = select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed,
                             milliseconds >= 0 ? &limit : nullptr);
    if (count == 0) return 0;
    return count > 0 && FD_ISSET(s, &ready) && !FD_ISSET(s, &failed) ? 1 : -1;
}

void TcpSocket::ApplyReceiveBufferLimit() {
    if (receiveBufferLimit > 0)
        setsockopt(static_cast<SOCKET>(handle), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBufferLimit),
                   sizeof receiveBufferLimit);
}

bool TcpSocket::Connect(const std::string& host, int port) {
    Close();
    timedOut = cancelled = false;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
    for (addrinfo* candidate = found; candidate && !IsOpen(); candidate = candidate->ai_next) {
        const SOCKET s = socket(candidate->ai_family, candidate->ai_socktype, candidate->ai_protocol);
        if (s == INVALID_SOCKET) continue;
        handle = static_cast<std::intptr_t>(s);
        ApplyReceiveBufferLimit();
        u_long nonBlocking = 1;
        bool connected = ioctlsocket(s, FIONBIO, &nonBlocking) == 0 &&
                         connect(s, candidate->ai_addr, static_cast<int>(candidate->ai_addrlen)) == 0;
        if (!connected && WSAGetLastError() == WSAEWOULDBLOCK && AwaitReady(true)) {
            int error = 0;
            int length = sizeof error;
            connected = getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == 0 && error == 0;
        }
        if (!connected) Close();
    }
    freeaddrinfo(found);
    return IsOpen();
}

bool TcpSocket::SendAll(std::string_view data) {
    if (!IsOpen()) return false;
    timedOut = cancelled = false;
    while (!data.empty()) {
        const int sent = send(static_cast<SOCKET>(handle), data.data(), static_cast<int>(data.size()), 0);
        if (sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
            if (!AwaitReady(true)) return false;
            continue;
        }
        if (sent == SOCKET_ERROR || sent == 0) return false;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

long TcpSocket::Receive(char* buffer, std::size_t size) {
    if (!IsOpen()) return -1;
    timedOut = cancelled = false;
    for (;;) {
        const int received = recv(static_cast<SOCKET>(handle), buffer, static_cast<int>(size), 0);
        if (received == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
            if (!AwaitReady(false)) return -1;
            continue;
        }
        return received == SOCKET_ERROR ? -1 : received;
    }
}

void TcpSocket::Close() {
    if (!IsOpen()) return;
    closesocket(static_cast<SOCKET>(handle));
    handle = invalid;
}

}  // namespace qivyun
