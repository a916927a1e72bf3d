#include "TestWorld.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>

namespace qivyun::devserver {
namespace {

std::mutex logMutex;

void LogRequest(const std::string& party, int port, const httplib::Request& request, const httplib::Response& response) {
    std::string target = request.target.empty() ? request.path : request.target;
    std::lock_guard lock(logMutex);
    std::printf("%s %d %s %s %d \"%s\"\n", party.c_str(), port, request.method.c_str(), target.c_str(), response.status,
                request.get_header_value("User-Agent").c_str());
    std::fflush(stdout);
}

}  // namespace

std::string HtmlEscape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

int PortOf(const std::string& address) {
    auto hostStart = address.find("://");
    hostStart = hostStart == std::string::npos ? 0 : hostStart + 3;
    auto pathStart = address.find('/', hostStart);
    std::string host = address.substr(hostStart, pathStart == std::string::npos ? std::string::npos : pathStart - hostStart);
    auto colon = host.rfind(':');
    return colon == std::string::npos ? 80 : std::stoi(host.substr(colon + 1));
}

std::string PathOf(const std::string& address) {
    auto hostStart = address.find("://");
    hostStart = hostStart == std::string::npos ? 0 : hostStart + 3;
    auto pathStart = address.find('/', hostStart);
    return pathStart == std::string::npos ? "/" : address.substr(pathStart);
}

httplib::Server& TestWorld::AddParty(const std::string& name, const std::string& configuredAddress) {
    int port = PortOf(configuredAddress) + options_.portShift;
    for (auto& party : parties_)
        if (party.port == port) return *party.server;  // parties that share a host share its server
    auto server = std::make_unique<httplib::Server>();
    server->set_logger([name, port](const httplib::Request& request, const httplib::Response& response) {
        LogRequest(name, port, request, response);
    });
    parties_.push_back({name, port, std::move(server)});
    return *parties_.back().server;
}

std::pair<int, int> TestWorld::PortSpan() const {
    std::pair<int, int> span{65535, 1};
    for (const auto& party : parties_) span = {std::min(span.first, party.port), std::max(span.second, party.port)};
    return span;
}

bool TestWorld::Listen() {
    for (auto& party : parties_) {
        // The library's default lets a second world bind the same ports and share the requests;
        // SO_REUSEADDR alone only allows a restart while old connections wait out their end.
        party.server->set_socket_options([](int socket) {
            const int yes = 1;
            setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        });
        errno = 0;
        if (!party.server->bind_to_port("127.0.0.1", party.port)) {
            std::cerr << "qivyun-devserver: cannot listen on 127.0.0.1:" << party.port << " (" << party.name
                      << "): " << (errno == EADDRINUSE || errno == 0 ? "the port is taken" : std::strerror(errno)) << "\n";
            return false;
        }
    }
    return true;
}

void TestWorld::Serve() {
    std::vector<std::thread> threads;
    for (auto& party : parties_) threads.emplace_back([&party] { party.server->listen_after_bind(); });
    for (auto& thread : threads) thread.join();
}

void TestWorld::Stop() {
    for (auto& party : parties_) party.server->stop();
}

namespace {

struct RequestLog {
    std::mutex mutex;
    std::string lines;
};

}  // namespace

// Every request but the log's own is written down before it is routed, so requests that match
// no route are logged too.
httplib::Server& LogRequests(httplib::Server& site) {
    auto log = std::make_shared<RequestLog>();
    site.set_pre_routing_handler([log](const httplib::Request& request, httplib::Response&) {
        if (request.path.rfind("/world/", 0) != 0) {
            std::lock_guard lock(log->mutex);
            log->lines += request.method + " " + request.target + " " + request.get_header_value("User-Agent") + "\n";
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    site.Get("/world/requests", [log](const httplib::Request&, httplib::Response& response) {
        std::lock_guard lock(log->mutex);
        response.set_content(log->lines, "text/plain; charset=utf-8");
    });
    site.Post("/world/requests/reset", [log](const httplib::Request&, httplib::Response& response) {
        std::lock_guard lock(log->mutex);
        log->lines.clear();
        response.set_content("", "text/plain");
    });
    return site;
}

}  // namespace qivyun::devserver
