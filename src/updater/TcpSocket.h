#pragma once
// A blocking TCP connection: POSIX sockets natively, Windows Sockets in the programs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qivyun {

// Prepares the sockets layer of the process (Windows Sockets 2.2); true where nothing is needed.
bool StartSocketLayer();

// A connection that never waits longer than its quiet time for the peer: a connect that is not
// answered, a send the peer does not take and a receive that brings nothing give up after it.
class TcpSocket {
public:
    // quietMilliseconds 0 waits for ever.
    explicit TcpSocket(int quietMilliseconds = 0) : quietMilliseconds(quietMilliseconds) {}
    ~TcpSocket() { Close(); }
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    void SetQuietTime(int milliseconds) { quietMilliseconds = milliseconds; }

    // Connects to the host name (or dotted address) and port; false when no address answers.
    bool Connect(const std::string& host, int port);
    // Sends every byte; false when the connection broke or the peer took nothing for the quiet time.
    bool SendAll(std::string_view data);
    // Receives at most `size` bytes: the count, 0 when the peer closed, negative on an error or
    // when nothing arrived for the quiet time.
    long Receive(char* buffer, std::size_t size);
    void Close();
    bool IsOpen() const { return handle != invalid; }
    // The last connect, send or receive gave up because the peer stayed quiet.
    bool TimedOut() const { return timedOut; }

private:
    // Waits until the connection can be read (or written); false after the quiet time.
    bool AwaitReady(bool forWriting);

    static constexpr std::intptr_t invalid = -1;
    std::intptr_t handle = invalid;
    int quietMilliseconds = 0;
    bool timedOut = false;
};

}  // namespace qivyun
