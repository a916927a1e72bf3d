#include "updater/TcpSocket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace qivyun {

bool StartSocketLayer() { return true; }

bool TcpSocket::Connect(const std::string& host, int port) {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
    for (addrinfo* candidate = found; candidate; candidate = candidate->ai_next) {
        const int fd = socket(candidate->ai_family, candidate->ai_socktype | SOCK_CLOEXEC, candidate->ai_protocol);
        if (fd < 0) continue;
        if (connect(fd, candidate->ai_addr, candidate->ai_addrlen) == 0) {
            handle = fd;
            break;
        }
        ::close(fd);
    }
    freeaddrinfo(found);
    return IsOpen();
}

bool TcpSocket::SendAll(std::string_view data) {
    if (!IsOpen()) return false;
    while (!data.empty()) {
        const ssize_t sent = send(static_cast<int>(handle), data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

long TcpSocket::Receive(char* buffer, std::size_t size) {
    if (!IsOpen()) return -1;
    for (;;) {
        const ssize_t received = recv(static_cast<int>(handle), buffer, size, 0);
        if (received < 0 && errno == EINTR) continue;
        return static_cast<long>(received);
    }
}

void TcpSocket::Close() {
    if (!IsOpen()) return;
    ::close(static_cast<int>(handle));
    handle = invalid;
}

}  // namespace qivyun
