#pragma once
// A blocking TCP connection: POSIX sockets natively, Windows Sockets in the programs.
#include <atomic>
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
    // A flag another thread may raise to end every wait for the peer within a tenth of a second.
    void SetCancelFlag(const std::atomic<bool>* flag) { cancelFlag = flag; }
    // The system buffers at most this many received bytes (0: its own choice); set before Connect.
    // A connection that reads only a reply head so keeps the server from sending much more.
    void LimitReceiveBuffer(int bytes) { receiveBufferLimit = bytes; }

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
    // The last connect, send or receive gave up because the cancel flag was raised.
    bool Cancelled() const { return cancelled; }

private:
    // Waits until the connection can be read (or written); false after the quiet time or when the
    // cancel flag rises.
    bool AwaitReady(bool forWriting);
    // Waits at most `milliseconds` (-1: for ever): 1 ready, 0 not yet, -1 failed.
    int WaitOnce(bool forWriting, int milliseconds);
    void ApplyReceiveBufferLimit();

    static constexpr std::intptr_t invalid = -1;
    std::intptr_t handle = invalid;
    int quietMilliseconds = 0;
    const std::atomic<bool>* cancelFlag = nullptr;
    int receiveBufferLimit = 0;
    bool timedOut = false;
    bool cancelled = false;
};

}  // namespace qivyun
