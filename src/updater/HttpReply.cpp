#include "updater/HttpReply.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace qivyun {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool ParseAddress(std::string_view text, Address& address) {
    address = Address{};
    text = TrimBlanks(text);
    const auto scheme = text.find("://");
    if (scheme == std::string_view::npos) return false;
    const std::string_view rest = text.substr(scheme + 3);
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) return false;
    std::string_view host = rest.substr(0, slash);
    address.path = std::string(rest.substr(slash));
    address.port = 80;
    if (const auto colon = host.find(':'); colon != std::string_view::npos) {
        // the port is the decimal value after the colon, kept within 16 bits
        unsigned long port = 0;
        for (char c : host.substr(colon + 1)) {
            if (c < '0' || c > '9') break;
            port = (port * 10 + static_cast<unsigned long>(c - '0')) % 65536;
        }
        address.port = static_cast<int>(port);
        host = host.substr(0, colon);
    }
    address.host = std::string(host);
    return true;
}

std::string RequestHead(const Address& address, std::string_view rangeLine) {
    std::string head = "GET " + address.path + " HTTP/1.1\r\n";
    head += "Host: " + address.host + "\r\n";
    head += "Accept: */*\r\n";
    head += "Pragma: no-cache\r\n";
    head += "Cache-Control: no-cache\r\n";
    head += "Connection: close\r\n";
    if (!rangeLine.empty()) {
        head += rangeLine;
        head += "\r\n";
    }
    head += "\r\n";
    return head;
}

std::string ProbeRangeLine() { return "Range: bytes=" + std::to_string(ProbeOffset) + "-"; }

std::string SegmentRangeLine(std::int32_t start, std::int32_t end) {
    char line[64];
    std::snprintf(line, sizeof line, "Range: bytes=%d-%d", static_cast<int>(start), static_cast<int>(end));
    return line;
}

namespace {

// The value of the header line that starts with `name`, up to its CR LF, trimmed; false when no
// line of the head before its empty line starts with it. The status line is no header line.
bool HeaderValue(std::string_view text, std::string_view name, std::string_view& value) {
    auto lineStart = text.find("\r\n");
    while (lineStart != std::string_view::npos) {
        lineStart += 2;
        const auto lineEnd = text.find("\r\n", lineStart);
        if (lineEnd == std::string_view::npos || lineEnd == lineStart) return false;
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.substr(0, name.size()) == name) {
            value = TrimBlanks(line.substr(name.size()));
            return true;
        }
        lineStart = lineEnd;
    }
    return false;
}

}  // namespace

ReplyHead ParseReplyHead(std::string_view original) {
    ReplyHead reply;
    std::string lowered(original);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string_view text = lowered;

    const auto lineEnd = text.find("\r\n");
    if (lineEnd == std::string_view::npos) return reply;
    const std::string_view statusLine = TrimBlanks(text.substr(0, lineEnd));
    const auto firstSpace = statusLine.find(' ');
    if (firstSpace == std::string_view::npos) return reply;
    const auto secondSpace = statusLine.find(' ', firstSpace + 1);
    if (secondSpace == std::string_view::npos) return reply;
    const std::string_view statusText = statusLine.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    if (statusText.empty() || statusText.size() > 3 || statusText.find_first_not_of("0123456789") != std::string_view::npos)
        return reply;
    reply.status = std::stoi(std::string(statusText));

    if (reply.status >= 400) {
        reply.probeState = ProbeServerError;
        return reply;
    }
    std::string_view value;
    if (reply.status >= 300) {
        if (!HeaderValue(text, "location:", value)) return reply;
        reply.location = std::string(value);
        if (ParseAddress(value, reply.redirect)) reply.probeState = ProbeRedirected;
        return reply;
    }
    if (!HeaderValue(text, "content-length:", value)) return reply;
    // a length that is no decimal number, or one beyond the 32-bit sizes, is a malformed reply
    if (value.empty() || value.size() > 10 || value.find_first_not_of("0123456789") != std::string_view::npos)
        return reply;
    reply.contentLength = std::stoll(std::string(value));
    if (reply.contentLength > 0x7fffffff - ProbeOffset) return reply;
    reply.probeState = ProbeSizeKnown;
    return reply;
}

std::size_t BodyStart(const char* block, std::size_t size) {
    const std::size_t limit = std::min(size, ReplyHeadBlockSize);
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < limit; ++i) {
        if (block[i] != '\n') continue;
        bool empty = true;
        for (std::size_t j = lineStart; j < i; ++j)
            if (block[j] != '\r') empty = false;
        if (empty) return i + 1;
        lineStart = i + 1;
    }
    return NoBodyStart;
}

std::string RedirectTargetPath(const std::string& targetPath, std::string_view location) {
    const auto lastSlash = location.rfind('/');
    std::string_view name = lastSlash == std::string_view::npos ? location : location.substr(lastSlash + 1);
    name = name.substr(0, name.find('?'));
    const auto folderEnd = targetPath.find_last_of("\\/");
    const bool leavesFolder = name.empty() || name == "." || name == ".." || name.find_first_of("\\/:") != std::string_view::npos;
    if (leavesFolder) return targetPath;
    const std::string folder = folderEnd == std::string::npos ? std::string() : targetPath.substr(0, folderEnd + 1);
    return folder + std::string(name);
}

}  // namespace qivyun
