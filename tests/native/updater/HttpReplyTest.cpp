// The downloader's text rules: addresses, request heads, reply heads, the head's end, redirect
// names, the split into ranges and the state file.
#include "updater/HttpReply.h"
#include "updater/SegmentPlan.h"

#include <gtest/gtest.h>

namespace qivyun {
namespace {

TEST(ParseAddressTest, TakesPlainHttpAddressesOnly) {
    struct Case {
        const char* text;
        AddressProblem problem;
        const char* host;
        const char* path;
        int port;
        const char* why;  // what the command line says of a refused address
    };
    const char* malformed = "not an address of the form http://host[:port]/path";
    const Case cases[] = {
        {"http://update.example/QivYun/QivYunPlay.exe", AddressProblem::None, "update.example", "/QivYun/QivYunPlay.exe", 80, ""},
        {"  HTTP://127.0.0.1:18081/a/b.exe?x=1&y=2#top \t", AddressProblem::None, "127.0.0.1", "/a/b.exe?x=1&y=2", 18081, ""},
        {"http://[::1]:8080/f", AddressProblem::None, "::1", "/f", 8080, ""},
        {"http://[2001:db8::7]/f", AddressProblem::None, "2001:db8::7", "/f", 80, ""},
        {"http://host:/x", AddressProblem::None, "host", "/x", 80, ""},
        {"http://host:00443/x", AddressProblem::None, "host", "/x", 443, ""},
        {"https://host/file", AddressProblem::UnsupportedScheme, "", "", 0, "https:// is not supported (only http://)"},
        {"FTP://host/file", AddressProblem::UnsupportedScheme, "", "", 0, "ftp:// is not supported (only http://)"},
        {"http://host:99999/x", AddressProblem::BadPort, "", "", 0, "port 99999 is outside 1-65535"},
        {"http://host:0/x", AddressProblem::BadPort, "", "", 0, "port 0 is outside 1-65535"},
        {"http://host:-1/x", AddressProblem::BadPort, "", "", 0, "port -1 is not a number"},
        {"http://host:abc/x", AddressProblem::BadPort, "", "", 0, "port abc is not a number"},
        {"http://[::1]:70000/x", AddressProblem::BadPort, "", "", 0, "port 70000 is outside 1-65535"},
        {"http://::1:8080/x", AddressProblem::Malformed, "", "", 0, malformed},
        {"http://[::1/x", AddressProblem::Malformed, "", "", 0, malformed},
        {"http://[host]/x", AddressProblem::Malformed, "", "", 0, malformed},
        {"http:///x", AddressProblem::Malformed, "", "", 0, malformed},
        {"http://user@host/x", AddressProblem::Malformed, "", "", 0, malformed},
        {"http://host/a b", AddressProblem::Malformed, "", "", 0, malformed},
        {"http://host/a\r\nX-Injected: 1", AddressProblem::Malformed, "", "", 0, malformed},
        {"host/file", AddressProblem::Malformed, "", "", 0, malformed},
        {"http://host", AddressProblem::Malformed, "", "", 0, malformed},
        {"", AddressProblem::Malformed, "", "", 0, malformed},
    };
    for (const Case& c : cases) {
        Address address{"stale", "stale", 9};
        EXPECT_EQ(ParseAddress(c.text, address), c.problem) << c.text;
        EXPECT_EQ(address.host, c.host) << c.text;
        EXPECT_EQ(address.path, c.path) << c.text;
        EXPECT_EQ(address.port, c.port) << c.text;
        EXPECT_EQ(DescribeAddressProblem(c.text), c.why) << c.text;
    }
}

TEST(RequestHeadTest, ProbeAndSegmentHeadsByteForByte) {
    Address address;
    ASSERT_EQ(ParseAddress("http://127.0.0.1:18081/QivYun/QivYunPlay.exe", address), AddressProblem::None);
    const std::string common =
        "GET /QivYun/QivYunPlay.exe HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\nPragma: no-cache\r\n"
        "Cache-Control: no-cache\r\nConnection: close\r\n";
    EXPECT_EQ(RequestHead(address, ProbeRangeLine()), common + "Range: bytes=100-\r\n\r\n");
    EXPECT_EQ(RequestHead(address, SegmentRangeLine(750, 1000)), common + "Range: bytes=750-1000\r\n\r\n");
    EXPECT_EQ(RequestHead(address, ""), common + "\r\n");
    ASSERT_EQ(ParseAddress("http://[::1]:18081/f", address), AddressProblem::None);
    EXPECT_EQ(RequestHead(address, "").substr(0, 30), "GET /f HTTP/1.1\r\nHost: [::1]\r\n");
}

TEST(ParseReplyHeadTest, StatusLengthAndRedirects) {
    struct Case {
        const char* text;
        int probeState;
        int status;
        long long length;
        const char* host;
        const char* path;
        int port;
    };
    const Case cases[] = {
        {"HTTP/1.1 206 Partial Content\r\nContent-Length: 900\r\n\r\n", ProbeSizeKnown, 206, 900, "", "", 0},
        {"HTTP/1.1 200 OK\r\nCONTENT-LENGTH:1000\r\n\r\n", ProbeSizeKnown, 200, 1000, "", "", 0},
        {"HTTP/1.1 200 OK\r\ncOnTeNt-LeNgTh:   77  \r\n\r\n", ProbeSizeKnown, 200, 77, "", "", 0},
        {"HTTP/1.0 200 OK\r\nServer: x\r\n\r\n", ProbeMalformed, 200, 0, "", "", 0},
        {"HTTP/1.1 200 OK\r\nContent-Length: many\r\n\r\n", ProbeMalformed, 200, 0, "", "", 0},
        {"HTTP/1.1 200 OK\r\nContent-Length: 3221225472\r\n\r\n", ProbeSizeKnown, 200, 3221225472, "", "", 0},
        {"HTTP/1.1 200 OK\r\nContent-Length: 1000000000000000000\r\n\r\n", ProbeMalformed, 200, 0, "", "", 0},
        {"HTTP/1.1 404 Not Found\r\n\r\n", ProbeServerError, 404, 0, "", "", 0},
        {"HTTP/1.1 416 Range Not Satisfiable\r\n\r\n", ProbeServerError, 416, 0, "", "", 0},
        {"HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes 100-/*\r\n\r\n", ProbeServerError, 416, 0, "", "", 0},
        {"HTTP/1.1 500 Oops\r\n\r\n", ProbeServerError, 500, 0, "", "", 0},
        {"HTTP/1.1 302 Found\r\nLocation: http://Mirror.Example:8080/Files/QivYunPlay.EXE?From=Old\r\n\r\n",
         ProbeRedirected, 302, 0, "mirror.example", "/files/qivyunplay.exe?from=old", 8080},
        {"HTTP/1.1 301 Moved\r\nLOCATION: /relative/only\r\n\r\n", ProbeMalformed, 301, 0, "", "", 0},
        {"HTTP/1.1 302 Found\r\nLocation: https://m.example/f.exe\r\n\r\n", ProbeMalformed, 302, 0, "", "", 0},
        {"HTTP/1.1 302 Found\r\nServer: x\r\n\r\n", ProbeMalformed, 302, 0, "", "", 0},
        {"HTTP/1.1 200\r\n\r\n", ProbeMalformed, 0, 0, "", "", 0},  // no second space
        {"garbage", ProbeMalformed, 0, 0, "", "", 0},
        {"", ProbeMalformed, 0, 0, "", "", 0},
    };
    for (const Case& c : cases) {
        const ReplyHead reply = ParseReplyHead(c.text);
        EXPECT_EQ(reply.probeState, c.probeState) << c.text;
        EXPECT_EQ(reply.status, c.status) << c.text;
        EXPECT_EQ(reply.contentLength, c.length) << c.text;
        EXPECT_EQ(reply.redirect.host, c.host) << c.text;
        EXPECT_EQ(reply.redirect.path, c.path) << c.text;
        EXPECT_EQ(reply.redirect.port, c.port) << c.text;
    }
}

// A header name counts only where a header line starts, and only within the head.
TEST(ParseReplyHeadTest, HeaderNamesMatchOnlyAtTheStartOfAHeaderLine) {
    struct Case {
        const char* text;
        int probeState;
        long long length;
        const char* host;
    };
    const Case cases[] = {
        {"HTTP/1.1 302 Found\r\nContent-Location: http://wrong.example/a.exe\r\nLocation: http://right.example/b.exe\r\n\r\n",
         ProbeRedirected, 0, "right.example"},
        {"HTTP/1.1 200 OK\r\nX-Content-Length: 5\r\nContent-Length: 900\r\n\r\n", ProbeSizeKnown, 900, ""},
        {"HTTP/1.1 302 Found\r\nCONTENT-LOCATION: http://wrong.example/a.exe\r\n\r\n", ProbeMalformed, 0, ""},
        {"HTTP/1.1 200 OK\r\nx-content-length: 5\r\n\r\n", ProbeMalformed, 0, ""},
        {"HTTP/1.1 200 OK\r\nServer: x\r\n\r\nContent-Length: 5\r\n", ProbeMalformed, 0, ""},
        {"HTTP/1.1 200 OK content-length: 5\r\n\r\n", ProbeMalformed, 0, ""},
    };
    for (const Case& c : cases) {
        const ReplyHead reply = ParseReplyHead(c.text);
        EXPECT_EQ(reply.probeState, c.probeState) << c.text;
        EXPECT_EQ(reply.contentLength, c.length) << c.text;
        EXPECT_EQ(reply.redirect.host, c.host) << c.text;
    }
}

TEST(BodyStartTest, FindsTheEmptyLineWithinTheFirstBlock) {
    const std::string head = "HTTP/1.1 206 Partial Content\r\nContent-Length: 3\r\n\r\n";
    EXPECT_EQ(BodyStart((head + "abc").data(), head.size() + 3), head.size());
    const std::string bareLines = "HTTP/1.1 200 OK\nContent-Length: 1\n\nx";
    EXPECT_EQ(BodyStart(bareLines.data(), bareLines.size()), bareLines.size() - 1);
    EXPECT_EQ(BodyStart(head.data(), head.size() - 2), NoBodyStart);  // the head has not ended yet

    // a head whose end lies past the first block is not found there
    std::string longHead = "HTTP/1.1 200 OK\r\nX-Padding: " + std::string(1100, 'p') + "\r\n\r\nbody";
    EXPECT_EQ(BodyStart(longHead.data(), longHead.size()), NoBodyStart);
    std::string fitting = "HTTP/1.1 200 OK\r\nX: " + std::string(1000, 'p') + "\r\n\r\n";
    fitting.resize(ReplyHeadBlockSize);  // the empty line ends at the block's last byte
    fitting[ReplyHeadBlockSize - 2] = '\r';
    fitting[ReplyHeadBlockSize - 1] = '\n';
    EXPECT_EQ(BodyStart(fitting.data(), fitting.size()), ReplyHeadBlockSize);
}

TEST(RedirectTargetPathTest, TakesTheLastComponentInTheTargetsFolder) {
    struct Case {
        const char* target;
        const char* location;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Games\\QivYun\\QivYunPlay.exe", "http://m.example/files/qivyunplay2.exe?from=old", "C:\\Games\\QivYun\\qivyunplay2.exe"},
        {"/tmp/dl/QivYunPlay.exe", "http://m.example/a/new.exe", "/tmp/dl/new.exe"},
        {"QivYunPlay.exe", "http://m.example/a/new.exe", "new.exe"},
        // names that would leave the folder, or name none, keep the target's own name
        {"C:\\Q\\QivYunPlay.exe", "http://m.example/a/..", "C:\\Q\\QivYunPlay.exe"},
        {"C:\\Q\\QivYunPlay.exe", "http://m.example/a/.", "C:\\Q\\QivYunPlay.exe"},
        {"C:\\Q\\QivYunPlay.exe", "http://m.example/a/..\\..\\windows\\evil.exe", "C:\\Q\\QivYunPlay.exe"},
        {"C:\\Q\\QivYunPlay.exe", "http://m.example/a/c:evil.exe", "C:\\Q\\QivYunPlay.exe"},
        {"C:\\Q\\QivYunPlay.exe", "http://m.example/dir/", "C:\\Q\\QivYunPlay.exe"},
        {"C:\\Q\\QivYunPlay.exe", "http://m.example/dir/?x=1", "C:\\Q\\QivYunPlay.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(RedirectTargetPath(c.target, c.location), c.expected) << c.location;
}

TEST(SplitSegmentsTest, RangesOfTheProbedSize) {
    struct Case {
        std::uint32_t total;
        int count;
        std::vector<std::array<std::int32_t, 3>> ranges;  // start, end, length
    };
    const Case cases[] = {
        {1000, 4, {{0, 249, 249}, {250, 499, 249}, {500, 749, 249}, {750, 1000, 250}}},
        {1000, 1, {{0, 1000, 1000}}},
        {1003, 4, {{0, 249, 249}, {250, 499, 249}, {500, 749, 249}, {750, 1003, 253}}},
        {101, 2, {{0, 49, 49}, {50, 101, 51}}},
    };
    for (const Case& c : cases) {
        const SegmentPlan plan = SplitSegments(c.total, c.count);
        std::int64_t due = 0;
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(plan.start[i], c.ranges[i][0]) << c.total << " segment " << i;
            EXPECT_EQ(plan.end[i], c.ranges[i][1]) << c.total << " segment " << i;
            EXPECT_EQ(plan.length[i], c.ranges[i][2]) << c.total << " segment " << i;
            due += SegmentBytesDue(plan, i, c.total);
        }
        EXPECT_EQ(due, c.total) << "the ranges cover every byte once";
    }
}

// What tells the size and the version of the file: the content range of a 206 and of a 416 (the
// probe's answer for a file shorter than its offset), the validators as the server wrote them.
TEST(ParseReplyHeadTest, RangesAndValidators) {
    struct Case {
        const char* text;
        int probeState;
        long long first;
        long long size;
        const char* etag;
        const char* lastModified;
    };
    const Case cases[] = {
        {"HTTP/1.1 206 Partial Content\r\nContent-Length: 3221225372\r\nContent-Range: bytes 100-3221225471/3221225472\r\n"
         "ETag: \"5F-Ab\"\r\nLast-Modified: Mon, 01 Jan 2024 00:00:00 GMT\r\n\r\n",
         ProbeSizeKnown, 100, 3221225472, "\"5F-Ab\"", "Mon, 01 Jan 2024 00:00:00 GMT"},
        {"HTTP/1.1 206 Partial Content\r\nContent-Length: 5\r\nContent-Range: bytes 100-104/*\r\n\r\n", ProbeSizeKnown, 100, -1, "", ""},
        {"HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Range: bytes */50\r\nETag: \"x\"\r\n\r\n", ProbeSizeKnown, -1, 50, "\"x\"", ""},
        {"HTTP/1.1 416 Requested Range Not Satisfiable\r\ncontent-range: BYTES */0\r\n\r\n", ProbeSizeKnown, -1, 0, "", ""},
        {"HTTP/1.1 416 Requested Range Not Satisfiable\r\nContent-Range: bytes */many\r\n\r\n", ProbeServerError, -1, -1, "", ""},
        {"HTTP/1.1 200 OK\r\nContent-Length: 7\r\nX-ETag: no\r\n\r\n", ProbeSizeKnown, -1, -1, "", ""},
    };
    for (const Case& c : cases) {
        const ReplyHead reply = ParseReplyHead(c.text);
        EXPECT_EQ(reply.probeState, c.probeState) << c.text;
        EXPECT_EQ(reply.rangeFirst, c.first) << c.text;
        EXPECT_EQ(reply.fileSize, c.size) << c.text;
        EXPECT_EQ(reply.etag, c.etag) << c.text;
        EXPECT_EQ(reply.lastModified, c.lastModified) << c.text;
    }
}

TEST(DownloadRecordTest, KeepsEveryFieldAndRefusesRecordsThatDoNotCoverTheFile) {
    DownloadRecord record{"http://127.0.0.1:1/f.exe", 3221225472, "\"5f-ab\"", "Mon, 01 Jan 2024 00:00:00 GMT",
                          SplitSegments(3221225472, 4), {}};
    record.received = {805306368, 0, 1048576, 17};
    const std::string text = EncodeDownloadRecord(record);
    const auto decoded = DecodeDownloadRecord(text);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(EncodeDownloadRecord(*decoded), text);
    EXPECT_EQ(decoded->plan.start[3], 2415919104);
    EXPECT_EQ(decoded->received[2], 1048576);

    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string damaged = text;
        damaged.replace(damaged.find(from), from.size(), to);
        return damaged;
    };
    const std::string damaged[] = {
        text.substr(0, text.size() - 1),                              // the last line cut short
        replaced("record 1", "record 2"),                             // another format
        replaced("size 3221225472", "size 3221225474"),               // the ranges stop short of the size
        replaced("segment 805306368 ", "segment 805306369 "),         // a gap between two ranges
        replaced(" 805306368\n", " 805306369\n"),                     // more received than the range holds
        replaced(" 17\n", " -17\n"),
        replaced(" 17\n", " 17 0\n"),
        replaced("etag", "colour"),
        "",
    };
    for (const std::string& bad : damaged) EXPECT_FALSE(DecodeDownloadRecord(bad)) << bad;
}

}  // namespace
}  // namespace qivyun
