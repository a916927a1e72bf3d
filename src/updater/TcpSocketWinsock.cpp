#include "updater/TcpSocket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace qivyun {

bool StartSocketLayer() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

bool TcpSocket::Connect(const std::string& host, int port) {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
    for (addrinfo* candidate = found; candidate; candidate = candidate->ai_next) {
        const SOCKET s = socket(candidate->ai_family, candidate->ai_socktype, candidate->ai_protocol);
        if (s == INVALID_SOCKET) continue;
        if (connect(s, candidate->ai_addr, static_cast<int>(candidate->ai_addrlen)) == 0) {
            handle = static_cast<std::intptr_t>(s);
            break;
        }
        closesocket(s);
    }
    freeaddrinfo(found);
    return IsOpen();
}

bool TcpSocket::SendAll(std::string_view data) {
    if (!IsOpen()) return false;
    while (!data.empty()) {
        const int sent = send(static_cast<SOCKET>(handle), data.data(), static_cast<int>(data.size()), 0);
        if (sent == SOCKET_ERROR || sent == 0) return false;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

long TcpSocket::Receive(char* buffer, std::size_t size) {
    if (!IsOpen()) return -1;
    const int received = recv(static_cast<SOCKET>(handle), buffer, static_cast<int>(size), 0);
    return received == SOCKET_ERROR ? -1 : received;
}

void TcpSocket::Close() {
    if (!IsOpen()) return;
    closesocket(static_cast<SOCKET>(handle));
    handle = invalid;
}

}  // namespace qivyun
