#pragma once
// A small HTTP party of the tests' own on a free loopback port: it records every request head and
// answers with whatever bytes the test composes, paced or cut off as a test needs.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qivyun::test {

// A socket listening on a free loopback port, with the given queue of waiting connections.
inline int ListenOnLoopback(int backlog, int& port) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener, backlog);
    socklen_t length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return listener;
}

struct Reply {
    std::string bytes;
    // Bytes are sent in pieces of this size with a pause between them (0: all at once).
    std::size_t pieceSize = 0;
    int pauseMs = 0;
    // The connection is closed after this many bytes of `bytes` (npos: after all of them).
    std::size_t closeAfter = std::string::npos;
    // Instead of closing, the connection stays open and silent until the server is released.
    bool holdOpen = false;
};

class LoopbackServer {
public:
    using Handler = std::function<Reply(const std::string& requestHead)>;

    explicit LoopbackServer(Handler handler) : handler_(std::move(handler)) {
        listener_ = ListenOnLoopback(64, port_);
        acceptor_ = std::thread([this] { AcceptLoop(); });
    }

    ~LoopbackServer() {
        stopping_ = true;
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        acceptor_.join();
        for (auto& connection : connections_) connection.join();
    }

    // Lets the connections that are held open go.
    void Release() { released_ = true; }

    int Port() const { return port_; }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

    std::vector<std::string> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void AcceptLoop() {
        for (;;) {
            const int fd = accept(listener_, nullptr, nullptr);
            if (fd < 0) return;
            if (stopping_) {
                close(fd);
                return;
            }
            connections_.emplace_back([this, fd] { Serve(fd); });
        }
    }

    void Serve(int fd) {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos) {
            const ssize_t count = recv(fd, buffer, sizeof buffer, 0);
            if (count <= 0) break;
            head.append(buffer, static_cast<std::size_t>(count));
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(head);
        }
        const Reply reply = handler_(head);
        const std::size_t limit = std::min(reply.closeAfter, reply.bytes.size());
        const std::size_t piece = reply.pieceSize == 0 ? limit : reply.pieceSize;
        for (std::size_t sent = 0; sent < limit && !stopping_;) {
            const std::size_t count = std::min(piece, limit - sent);
            if (send(fd, reply.bytes.data() + sent, count, MSG_NOSIGNAL) <= 0) break;
            sent += count;
            if (reply.pauseMs > 0) usleep(static_cast<useconds_t>(reply.pauseMs) * 1000);
        }
        while (reply.holdOpen && !released_ && !stopping_) usleep(10000);
        shutdown(fd, SHUT_RDWR);
        close(fd);
    }

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> released_{false};
    std::thread acceptor_;
    std::vector<std::thread> connections_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

// The "Range: bytes=A-B" or "bytes=A-" of a request head, as a static web server reads it: false
// when the head has none.
inline bool RequestedRange(const std::string& head, std::size_t size, std::size_t& first, std::size_t& last) {
    const auto at = head.find("Range: bytes=");
    if (at == std::string::npos) return false;
    const std::string range = head.substr(at + 13, head.find("\r\n", at) - at - 13);
    const auto dash = range.find('-');
    first = std::stoul(range.substr(0, dash));
    last = dash + 1 < range.size() ? std::stoul(range.substr(dash + 1)) : size - 1;
    if (last >= size) last = size - 1;
    return true;
}

// How FileReply serves a file.
struct FileServing {
    // Byte ranges are served; otherwise every answer is the whole file with status 200.
    bool ranges = true;
    // A range past the end draws 416 with "Content-Range: bytes */SIZE", as the common servers
    // answer, or without it.
    bool sizeOn416 = true;
    // Sent as the file's ETag when not empty.
    std::string etag;
};

// A static file as a web server answers it: 206 with the range, 416 when the range starts past the
// end, 200 with everything when ranges are off or none is asked.
inline Reply FileReply(const std::string& head, const std::string& content, const FileServing& serving = {}) {
    const std::string etag = serving.etag.empty() ? "" : "ETag: " + serving.etag + "\r\n";
    std::size_t first = 0, last = 0;
    if (serving.ranges && RequestedRange(head, content.size(), first, last)) {
        if (first >= content.size()) {
            const std::string size = serving.sizeOn416 ? "Content-Range: bytes */" + std::to_string(content.size()) + "\r\n" : "";
            return {"HTTP/1.1 416 Range Not Satisfiable\r\nContent-Length: 0\r\n" + size + etag + "Connection: close\r\n\r\n"};
        }
        const std::string body = content.substr(first, last - first + 1);
        return {"HTTP/1.1 206 Partial Content\r\nContent-Length: " + std::to_string(body.size()) + "\r\nContent-Range: bytes " +
                std::to_string(first) + "-" + std::to_string(last) + "/" + std::to_string(content.size()) + "\r\n" + etag +
                "Connection: close\r\n\r\n" + body};
    }
    return {"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(content.size()) + "\r\n" + etag +
            "Connection: close\r\n\r\n" + content};
}

}  // namespace qivyun::test
