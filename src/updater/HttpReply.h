#pragma once
// The downloader's HTTP text, without sockets: addresses, request heads, reply heads and where a
// reply's body starts. Everything here is plain text arithmetic.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qivyun {

// host, path and port of "http://host[:port]/path"; an IPv6 host is kept without its brackets.
struct Address {
    std::string host;
    std::string path;
    int port = 0;
};

enum class AddressProblem {
    None,
    // no "://", no slash after the host, an empty host, blanks or control characters
    Malformed,
    // a scheme other than http (https, ftp, ...): the downloader speaks plain HTTP only
    UnsupportedScheme,
    // a port that is not a decimal number from 1 to 65535
    BadPort,
};

// Fills `address` (emptied first) from an address with the scheme http (in any case); the path runs
// from the first slash after the host, query included, fragment left off; an empty port is 80.
AddressProblem ParseAddress(std::string_view text, Address& address);
// Why an address is refused, in a few English words ("https:// is not supported (only http://)").
std::string DescribeAddressProblem(std::string_view text);

// "host:port", an IPv6 host in brackets.
std::string HostAndPort(const Address& address);

// The request head, line for line with CR LF: GET, Host (an IPv6 host in brackets), Accept, Pragma,
// Cache-Control, Connection, then the range line when `rangeLine` is not empty, then the empty line.
std::string RequestHead(const Address& address, std::string_view rangeLine);
// The probe asks for the file from this byte on, so a ranged reply's length is the file's less it.
inline constexpr std::int64_t ProbeOffset = 100;
// "Range: bytes=100-".
std::string ProbeRangeLine();
// "Range: bytes=START-END".
std::string SegmentRangeLine(std::int64_t start, std::int64_t end);

// Results of a reply head, as the downloader's probeState holds them.
enum ProbeState : int {
    ProbeSizeKnown = 1,
    ProbeRedirected = 2,
    ProbeMalformed = -1,
    ProbeServerError = -2,
};

// The largest content length read: 18 decimal digits, so that sizes and offsets stay within 64 bits.
inline constexpr std::int64_t MaxContentLength = 999'999'999'999'999'999;
inline constexpr std::int64_t UnknownSize = -1;

struct ReplyHead {
    int probeState = ProbeMalformed;
    int status = 0;
    // The content length (status below 300).
    std::int64_t contentLength = 0;
    // "Content-Range: bytes FIRST-LAST/SIZE" of a 206, or "bytes */SIZE" of a 416; UnknownSize where
    // the head does not tell (or says "*").
    std::int64_t rangeFirst = UnknownSize;
    std::int64_t fileSize = UnknownSize;
    // What tells one version of the file from another, as the server wrote them; empty when not sent.
    std::string etag;
    std::string lastModified;
    // The lower-cased location of a redirect, the address it names and why that is refused.
    std::string location;
    Address redirect;
    AddressProblem redirectProblem = AddressProblem::None;
};

// Reads a reply head (status line, headers) ignoring case: a status of 400 and above is a server
// error, except a 416 whose "Content-Range: bytes */SIZE" tells the size of a file shorter than the
// range asked for; 300..399 is a redirect whose "location:" must hold an address; below 300 the
// head must name a decimal "content-length:". A header name counts only at the start of a header
// line, so "Content-Location:" is no location and "X-Content-Length:" no length.
ReplyHead ParseReplyHead(std::string_view text);

// The most bytes a reply head may take: the first block the downloader receives.
inline constexpr std::size_t ReplyHeadBlockSize = 1025;
inline constexpr std::size_t NoBodyStart = static_cast<std::size_t>(-1);

// The offset just after the line that holds nothing but CR and LF, looking no further than
// ReplyHeadBlockSize bytes; NoBodyStart when the head does not end there.
std::size_t BodyStart(const char* block, std::size_t size);

// The target after a redirect: the target's folder (up to its last backslash or slash) joined with
// the location's last path component without its query. A component that is empty, holds a path
// separator or a drive colon, or names "." or ".." would leave the folder: the target then keeps
// its own name.
std::string RedirectTargetPath(const std::string& targetPath, std::string_view location);

// Blanks (space, tab, CR, LF) removed at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace qivyun
