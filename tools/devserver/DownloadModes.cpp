// Files for the updater's downloader, served the ways a download can go, on the update party's port:
//   GET /modes/file/N        N bytes (the same N bytes every time), byte ranges served
//   GET /modes/norange/N     the same bytes, always whole with status 200 (ranges ignored)
//   GET /modes/redirect/N    302 to the mirror party's port, an upper-case path and a query; the
//                            mirror serves /mirror/file-N.bin (the lower-cased path) with ranges
//   GET /modes/missing       404
//   GET /modes/slow/N        ranges served in 4 KiB pieces, 20 ms apart
//   GET /modes/drop/N        ranges whose connection breaks after half of the asked-for bytes
// A file shorter than the downloader's probe offset (100 bytes) answers its probe with 416 and
// "Content-Range: bytes */N". Tests read what the modes sent:
//   GET  /world/modes/sent        body bytes the modes handed to their connections since the reset
//   POST /world/modes/sent/reset  back to zero
#include "BuildConfig.h"
#include "Parties.h"

#include <atomic>
#include <random>
#include <thread>

namespace qivyun::devserver {
namespace {

constexpr std::size_t MaxModeFileSize = 256u << 20;

// Body bytes sent by the modes: for a paced reply only those its connection took.
std::atomic<long long> bodyBytesSent{0};

std::string ModeFileBytes(std::size_t size) {
    std::mt19937 random(static_cast<unsigned>(size));
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
}

// The file size named by the last path component, or nothing when it is no size we serve.
bool SizeOf(const httplib::Request& request, std::size_t& size) {
    const std::string& text = request.matches[1];
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    size = std::stoul(text);
    return size <= MaxModeFileSize;
}

// The request's single byte range within `size` bytes: 0 none, 1 satisfiable, -1 not satisfiable.
int RangeOf(const httplib::Request& request, std::size_t size, std::size_t& first, std::size_t& count) {
    if (request.ranges.empty()) return 0;
    const auto [from, to] = request.ranges.front();
    if (from < 0) return -1;  // suffix ranges are not asked for by the programs
    if (static_cast<std::size_t>(from) >= size) return -1;
    const std::size_t last = to < 0 || static_cast<std::size_t>(to) >= size ? size - 1 : static_cast<std::size_t>(to);
    first = static_cast<std::size_t>(from);
    count = last - first + 1;
    return 1;
}

// httplib would cut the body by the request's ranges once more; the handlers here do it themselves.
void TakeRangesOver(const httplib::Request& request) {
    auto& mutableRequest = const_cast<httplib::Request&>(request);
    mutableRequest.ranges.clear();
    mutableRequest.headers.erase("Range");
    mutableRequest.headers.erase("Accept-Encoding");
}

enum class Pace { Whole, Slow, Drop };

// Answers with the asked-for range of `bytes` (or all of them), paced or cut as `pace` says.
void ServeBytes(const httplib::Request& request, httplib::Response& response, std::string bytes, bool ranges, Pace pace) {
    std::size_t first = 0, count = bytes.size();
    const int range = ranges ? RangeOf(request, bytes.size(), first, count) : 0;
    TakeRangesOver(request);
    if (range < 0) {
        response.status = 416;
        response.set_header("Content-Range", "bytes */" + std::to_string(bytes.size()));
        return;
    }
    if (range > 0) {
        response.status = 206;
        response.set_header("Content-Range", "bytes " + std::to_string(first) + "-" + std::to_string(first + count - 1) +
                                                 "/" + std::to_string(bytes.size()));
    }
    auto body = std::make_shared<std::string>(bytes.substr(first, count));
    if (pace == Pace::Whole) {
        bodyBytesSent += static_cast<long long>(body->size());
        response.set_content(*body, "application/octet-stream");
        return;
    }
    response.set_content_provider(body->size(), "application/octet-stream",
                                  [body, pace](size_t offset, size_t length, httplib::DataSink& sink) {
                                      if (pace == Pace::Drop && offset >= body->size() / 2) return false;
                                      std::size_t piece = std::min<std::size_t>(length, 4096);
                                      if (pace == Pace::Drop) piece = std::min(piece, body->size() / 2 - offset);
                                      if (pace == Pace::Slow) std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                      if (!sink.write(body->data() + offset, piece)) return false;
                                      bodyBytesSent += static_cast<long long>(piece);
                                      return true;
                                  });
}

}  // namespace

void AddDownloadModes(TestWorld& world) {
    httplib::Server& server = world.AddParty("update", config::UpdateServerAddress);
    const std::string mirrorAddress =
        std::string("http://") + config::WorldHost + ":" + std::to_string(config::WorldPortBase + 3);
    httplib::Server& mirror = world.AddParty("mirror", mirrorAddress);
    const int mirrorPort = config::WorldPortBase + 3 + world.Options().portShift;

    const auto sized = [](bool ranges, Pace pace) {
        return [ranges, pace](const httplib::Request& request, httplib::Response& response) {
            std::size_t size = 0;
            if (!SizeOf(request, size)) {
                response.status = 404;
                return;
            }
            ServeBytes(request, response, ModeFileBytes(size), ranges, pace);
        };
    };
    server.Get(R"(/modes/file/(\d+))", sized(true, Pace::Whole));
    server.Get(R"(/modes/norange/(\d+))", sized(false, Pace::Whole));
    server.Get(R"(/modes/slow/(\d+))", sized(true, Pace::Slow));
    server.Get(R"(/modes/drop/(\d+))", sized(true, Pace::Drop));
    mirror.Get(R"(/mirror/file-(\d+)\.bin)", sized(true, Pace::Whole));
    server.Get(R"(/modes/redirect/(\d+))", [mirrorPort](const httplib::Request& request, httplib::Response& response) {
        response.status = 302;
        response.set_header("Location", std::string("http://") + config::WorldHost + ":" + std::to_string(mirrorPort) +
                                            "/Mirror/File-" + request.matches[1].str() + ".BIN?From=Redirect");
    });
    server.Get("/world/modes/sent", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::to_string(bodyBytesSent.load()), "text/plain");
    });
    server.Post("/world/modes/sent/reset", [](const httplib::Request&, httplib::Response& response) {
        bodyBytesSent = 0;
        response.set_content("", "text/plain");
    });
    server.Get("/modes/missing", [](const httplib::Request& request, httplib::Response& response) {
        TakeRangesOver(request);
        response.status = 404;
        response.set_content("no such file\n", "text/plain");
    });
}

}  // namespace qivyun::devserver
