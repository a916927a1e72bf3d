#pragma once
// A blocking TCP connection: POSIX sockets natively, Windows Sockets in the programs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qivyun {

// Prepares the sockets layer of the process (Windows Sockets 2.2); true where nothing is needed.
bool StartSocketLayer();

class TcpSocket {
public:
    TcpSocket() = default;
    ~TcpSocket() { Close(); }
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Connects to the host name (or dotted address) and port; false when no address answers.
    bool Connect(const std::string& host, int port);
    // Sends every byte; false when the connection broke.
    bool SendAll(std::string_view data);
    // Receives at most `size` bytes: the count, 0 when the peer closed, negative on an error.
    long Receive(char* buffer, std::size_t size);
    void Close();
    bool IsOpen() const { return handle != invalid; }

private:
    static constexpr std::intptr_t invalid = -1;
    std::intptr_t handle = invalid;
};

}  // namespace qivyun
