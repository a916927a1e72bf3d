#include "updater/TcpSocket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace qivyun {

bool StartSocketLayer() { return true; }

// The socket does not block: every wait for the peer is a poll.
int TcpSocket::WaitOnce(bool forWriting, int milliseconds) {
    pollfd entry{static_cast<int>(handle), static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
    for (;;) {
        const int ready = poll(&entry, 1, milliseconds);
        if (ready < 0 && errno == EINTR) continue;
        return ready > 0 ? 1 : ready == 0 ? 0 : -1;
    }
}

void TcpSocket::ApplyReceiveBufferLimit() {
    if (receiveBufferLimit > 0)
        setsockopt(static_cast<int>(handle), SOL_SOCKET, SO_RCVBUF, &receiveBufferLimit, sizeof receiveBufferLimit);
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
        const int fd = socket(candidate->ai_family, candidate->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                              candidate->ai_protocol);
        if (fd < 0) continue;
        handle = fd;
        ApplyReceiveBufferLimit();
        bool connected = connect(fd, candidate->ai_addr, candidate->ai_addrlen) == 0;
        if (!connected && errno == EINPROGRESS && AwaitReady(true)) {
            int error = 0;
            socklen_t length = sizeof error;
            connected = getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
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
        const ssize_t sent = send(static_cast<int>(handle), data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!AwaitReady(true)) return false;
            continue;
        }
        if (sent <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

long TcpSocket::Receive(char* buffer, std::size_t size) {
    if (!IsOpen()) return -1;
    timedOut = cancelled = false;
    for (;;) {
        const ssize_t received = recv(static_cast<int>(handle), buffer, size, 0);
        if (received < 0 && errno == EINTR) continue;
        if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!AwaitReady(false)) return -1;
            continue;
        }
        return static_cast<long>(received);
    }
}

void TcpSocket::Close() {
    if (!IsOpen()) return;
    ::close(static_cast<int>(handle));
    handle = invalid;
}

}  // namespace qivyun
