// Fuzz target: the downloader's reading of a reply head and of the address a redirect names.
//   the whole input  the first block the server sent
#include "updater/HttpReply.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

using namespace qivyun;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view block(reinterpret_cast<const char*>(data), size);

    const ReplyHead reply = ParseReplyHead(block);
    // header names count only at the start of a line, in any case
    std::string lowered(block);
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    switch (reply.probeState) {
        case ProbeSizeKnown:
            // a size the 64-bit counters hold with the probe's offset added, or the size of a 416
            if (reply.status == 416) {
                if (reply.fileSize < 0 || lowered.find("\r\ncontent-range:") == std::string::npos) __builtin_trap();
                break;
            }
            if (reply.status < 0 || reply.status >= 300) __builtin_trap();
            if (reply.contentLength < 0 || reply.contentLength > MaxContentLength) __builtin_trap();
            if (lowered.find("\r\ncontent-length:") == std::string::npos) __builtin_trap();
            break;
        case ProbeRedirected:
            if (reply.status < 300 || reply.status >= 400) __builtin_trap();
            if (lowered.find("\r\nlocation:") == std::string::npos) __builtin_trap();
            if (reply.redirect.path.empty() || reply.redirect.path.front() != '/') __builtin_trap();
            if (reply.redirect.host.find('/') != std::string::npos) __builtin_trap();
            if (reply.redirect.port < 1 || reply.redirect.port > 65535) __builtin_trap();
            break;
        case ProbeServerError:
            if (reply.status < 400 || reply.status > 999) __builtin_trap();
            break;
        case ProbeMalformed:
            break;
        default:
            __builtin_trap();
    }

    // The body starts inside the block and within the first block's size, just after a line feed.
    const size_t body = BodyStart(block.data(), block.size());
    if (body != NoBodyStart && (body > block.size() || body > ReplyHeadBlockSize || block[body - 1] != '\n'))
        __builtin_trap();

    Address address;
    if (ParseAddress(block, address) == AddressProblem::None) {
        if (address.path.empty() || address.path.front() != '/' || address.host.empty()) __builtin_trap();
        if (address.port < 1 || address.port > 65535) __builtin_trap();
        // the head a segment sends carries the address's path and host on their own lines
        const std::string head = RequestHead(address, ProbeRangeLine());
        if (head.compare(0, 4 + address.path.size(), "GET " + address.path) != 0) __builtin_trap();
        if (head.size() < 4 || head.compare(head.size() - 4, 4, "\r\n\r\n") != 0) __builtin_trap();
        // nothing of the address starts a line of its own in the head
        if (std::count(head.begin(), head.end(), '\n') != 8) __builtin_trap();
    }
    return 0;
}
