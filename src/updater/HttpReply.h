#pragma once
// The downloader's HTTP text, without sockets: addresses, request heads, reply heads and where a
// reply's body starts. Everything here is plain text arithmetic.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qivyun {

// host, path and port of "scheme://host[:port]/path"; the scheme is not examined.
struct Address {
    std::string host;
    std::string path;
    int port = 0;
};

// Fills `address` (emptied first); false when there is no "://" or no slash after the host.
bool ParseAddress(std::string_view text, Address& address);

// The request head, line for line with CR LF: GET, Host, Accept, Pragma, Cache-Control, Connection,
// then the range line when `rangeLine` is not empty, then the empty line.
std::string RequestHead(const Address& address, std::string_view rangeLine);
// The probe asks for the file from this byte on, so a ranged reply's length is the file's less it.
inline constexpr std::int32_t ProbeOffset = 100;
// "Range: bytes=100-".
std::string ProbeRangeLine();
// "Range: bytes=START-END".
std::string SegmentRangeLine(std::int32_t start, std::int32_t end);

// Results of a reply head, as the downloader's probeState holds them.
enum ProbeState : int {
    ProbeSizeKnown = 1,
    ProbeRedirected = 2,
    ProbeMalformed = -1,
    ProbeServerError = -2,
};

struct ReplyHead {
    int probeState = ProbeMalformed;
    int status = 0;
    // The content length (status below 300); the file is at most 2 GiB.
    std::int64_t contentLength = 0;
    // The lower-cased location of a redirect and the address it names.
    std::string location;
    Address redirect;
};

// Reads a reply head (status line, headers) ignoring case: a status of 400 and above is a server
// error, 300..399 a redirect whose "location:" must hold an address, below 300 the head must name a
// decimal "content-length:". A header name counts only at the start of a header line, so
// "Content-Location:" is no location and "X-Content-Length:" no length.
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
