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

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Blanks and control characters would end the request line or start a header of their own.
bool FitsARequestHead(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7f;
    });
}

struct AddressParse {
    AddressProblem problem = AddressProblem::None;
    std::string scheme;
    std::string port;
};

AddressParse Refused(AddressProblem problem, std::string scheme = {}, std::string port = {}) {
    return {problem, std::move(scheme), std::move(port)};
}

AddressParse Parse(std::string_view text, Address& address) {
    address = Address{};
    text = TrimBlanks(text);
    const auto schemeEnd = text.find("://");
    if (schemeEnd == std::string_view::npos || schemeEnd == 0) return Refused(AddressProblem::Malformed);
    std::string scheme(text.substr(0, schemeEnd));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), Lower);
    if (!std::isalpha(static_cast<unsigned char>(scheme[0])) ||
        scheme.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789+-.") != std::string::npos)
        return Refused(AddressProblem::Malformed);
    if (scheme != "http") return Refused(AddressProblem::UnsupportedScheme, scheme);

    const std::string_view rest = text.substr(schemeEnd + 3);
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) return Refused(AddressProblem::Malformed);
    const std::string_view authority = rest.substr(0, slash);
    std::string_view path = rest.substr(slash);
    path = path.substr(0, path.find('#'));  // a fragment is the client's own, never sent

    std::string_view host = authority;
    std::string_view port;
    bool hasPort = false;
    if (!authority.empty() && authority.front() == '[') {
        // an IPv6 literal: hexadecimal groups, colons, perhaps a dotted IPv4 tail
        const auto close = authority.find(']');
        if (close == std::string_view::npos) return Refused(AddressProblem::Malformed);
        host = authority.substr(1, close - 1);
        if (host.find(':') == std::string_view::npos ||
            host.find_first_not_of("0123456789abcdefABCDEF:.") != std::string_view::npos)
            return Refused(AddressProblem::Malformed);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && after.front() != ':') return Refused(AddressProblem::Malformed);
        hasPort = !after.empty();
        if (hasPort) port = after.substr(1);
    } else if (const auto colon = authority.find(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
        hasPort = true;
        // a second colon is an IPv6 literal without its brackets
        if (port.find(':') != std::string_view::npos) return Refused(AddressProblem::Malformed);
    }
    if (host.empty() || host.find('@') != std::string_view::npos || !FitsARequestHead(host) || !FitsARequestHead(path))
        return Refused(AddressProblem::Malformed);

    int number = 80;
    if (hasPort && !port.empty()) {
        if (port.find_first_not_of("0123456789") != std::string_view::npos)
            return Refused(AddressProblem::BadPort, scheme, std::string(port));
        const std::string_view digits = port.substr(std::min(port.find_first_not_of('0'), port.size()));
        number = digits.size() > 5 ? 0 : digits.empty() ? 0 : std::stoi(std::string(digits));
        if (number < 1 || number > 65535) return Refused(AddressProblem::BadPort, scheme, std::string(port));
    }
    address.host = std::string(host);
    address.path = std::string(path);
    address.port = number;
    return {};
}

}  // namespace

AddressProblem ParseAddress(std::string_view text, Address& address) {
    const AddressProblem problem = Parse(text, address).problem;
    if (problem != AddressProblem::None) address = Address{};
    return problem;
}

std::string DescribeAddressProblem(std::string_view text) {
    Address address;
    const AddressParse parse = Parse(text, address);
    switch (parse.problem) {
        case AddressProblem::None: return {};
        case AddressProblem::UnsupportedScheme: return parse.scheme + ":// is not supported (only http://)";
        case AddressProblem::BadPort:
            return parse.port.find_first_not_of("0123456789") != std::string::npos
                       ? "port " + parse.port + " is not a number"
                       : "port " + parse.port + " is outside 1-65535";
        case AddressProblem::Malformed: break;
    }
    return "not an address of the form http://host[:port]/path";
}

namespace {

std::string HostText(const Address& address) {
    return address.host.find(':') != std::string::npos ? "[" + address.host + "]" : address.host;
}

}  // namespace

std::string HostAndPort(const Address& address) { return HostText(address) + ":" + std::to_string(address.port); }

std::string RequestHead(const Address& address, std::string_view rangeLine) {
    std::string head = "GET " + address.path + " HTTP/1.1\r\n";
    head += "Host: " + HostText(address) + "\r\n";
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

std::string SegmentRangeLine(std::int64_t start, std::int64_t end) {
    return "Range: bytes=" + std::to_string(start) + "-" + std::to_string(end);
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

// A decimal number of at most 18 digits; UnknownSize for anything else.
std::int64_t DecimalSize(std::string_view text) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return UnknownSize;
    return std::stoll(std::string(text));
}

// "bytes FIRST-LAST/SIZE" or "bytes */SIZE" (SIZE may be "*").
void ReadContentRange(std::string_view value, ReplyHead& reply) {
    if (value.substr(0, 6) != "bytes ") return;
    value = TrimBlanks(value.substr(6));
    const auto slash = value.find('/');
    if (slash == std::string_view::npos) return;
    const std::string_view range = TrimBlanks(value.substr(0, slash));
    reply.fileSize = DecimalSize(TrimBlanks(value.substr(slash + 1)));
    if (range != "*") reply.rangeFirst = DecimalSize(range.substr(0, range.find('-')));
}

}  // namespace

ReplyHead ParseReplyHead(std::string_view original) {
    ReplyHead reply;
    std::string lowered(original);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
    const std::string_view text = lowered;
    // a value as the server wrote it: the lowered copy has the same offsets
    const auto asSent = [&](std::string_view value) {
        return std::string(original.substr(static_cast<std::size_t>(value.data() - text.data()), value.size()));
    };

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

    std::string_view value;
    if (HeaderValue(text, "content-range:", value)) ReadContentRange(value, reply);
    if (HeaderValue(text, "etag:", value)) reply.etag = asSent(value);
    if (HeaderValue(text, "last-modified:", value)) reply.lastModified = asSent(value);

    if (reply.status >= 400) {
        // a file shorter than the probe's offset: the range cannot be served, the size is known
        const bool sizeTold = reply.status == 416 && reply.rangeFirst == UnknownSize && reply.fileSize != UnknownSize;
        reply.probeState = sizeTold ? ProbeSizeKnown : ProbeServerError;
        return reply;
    }
    if (reply.status >= 300) {
        if (!HeaderValue(text, "location:", value)) return reply;
        reply.location = std::string(value);
        reply.redirectProblem = ParseAddress(value, reply.redirect);
        if (reply.redirectProblem == AddressProblem::None) reply.probeState = ProbeRedirected;
        return reply;
    }
    if (!HeaderValue(text, "content-length:", value)) return reply;
    reply.contentLength = DecimalSize(value);
    if (reply.contentLength == UnknownSize) {
        reply.contentLength = 0;
        return reply;
    }
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
