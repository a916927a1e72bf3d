// The downloader's text rules: addresses, request heads, reply heads, the head's end, redirect
// names, the split into ranges and the state file.
#include "updater/HttpReply.h"
#include "updater/SegmentPlan.h"

#include <gtest/gtest.h>

namespace qivyun {
namespace {

TEST(ParseAddressTest, SplitsHostPortAndPath) {
    struct Case {
        const char* text;
        bool ok;
        const char* host;
        const char* path;
        int port;
    };
    const Case cases[] = {
        {"http://update.example/QivYun/QivYunPlay.exe", true, "update.example", "/QivYun/QivYunPlay.exe", 80},
        {"  http://127.0.0.1:18081/a/b.exe?x=1&y=2 \t", true, "127.0.0.1", "/a/b.exe?x=1&y=2", 18081},
        {"ftp://host/file", true, "host", "/file", 80},  // the scheme is not examined
        {"http://host:65617/x", true, "host", "/x", 81},  // the port is kept within 16 bits
        {"http://host/", true, "host", "/", 80},
        {"host/file", false, "", "", 0},
        {"http://host", false, "", "", 0},
        {"", false, "", "", 0},
    };
    for (const Case& c : cases) {
        Address address{"stale", "stale", 9};
        EXPECT_EQ(ParseAddress(c.text, address), c.ok) << c.text;
        EXPECT_EQ(address.host, c.host) << c.text;
        EXPECT_EQ(address.path, c.path) << c.text;
        EXPECT_EQ(address.port, c.port) << c.text;
    }
}

TEST(RequestHeadTest, ProbeAndSegmentHeadsByteForByte) {
    Address address;
    ASSERT_TRUE(ParseAddress("http://127.0.0.1:18081/QivYun/QivYunPlay.exe", address));
    const std::string common =
        "GET /QivYun/QivYunPlay.exe HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\nPragma: no-cache\r\n"
        "Cache-Control: no-cache\r\nConnection: close\r\n";
    EXPECT_EQ(RequestHead(address, ProbeRangeLine()), common + "Range: bytes=100-\r\n\r\n");
    EXPECT_EQ(RequestHead(address, SegmentRangeLine(750, 1000)), common + "Range: bytes=750-1000\r\n\r\n");
    EXPECT_EQ(RequestHead(address, ""), common + "\r\n");
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
        {"HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\n", ProbeMalformed, 200, 0, "", "", 0},
        {"HTTP/1.1 404 Not Found\r\n\r\n", ProbeServerError, 404, 0, "", "", 0},
        {"HTTP/1.1 416 Range Not Satisfiable\r\n\r\n", ProbeServerError, 416, 0, "", "", 0},
        {"HTTP/1.1 500 Oops\r\n\r\n", ProbeServerError, 500, 0, "", "", 0},
        {"HTTP/1.1 302 Found\r\nLocation: http://Mirror.Example:8080/Files/QivYunPlay.EXE?From=Old\r\n\r\n",
         ProbeRedirected, 302, 0, "mirror.example", "/files/qivyunplay.exe?from=old", 8080},
        {"HTTP/1.1 301 Moved\r\nLOCATION: /relative/only\r\n\r\n", ProbeMalformed, 301, 0, "", "", 0},
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

TEST(SegmentStateTest, EncodesLittleEndianPairsLengthsAndBases) {
    SegmentPlan plan = SplitSegments(1000, 2);
    plan.start[0] = FinishedSegment;
    plan.base[1] = 0x01020304;
    const std::string bytes = EncodeSegmentState(plan, 2);
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x9d\xff\xff\xff", 4));  // -99
    EXPECT_EQ(bytes.substr(28, 4), std::string("\x04\x03\x02\x01", 4));
    const auto decoded = DecodeSegmentState(bytes, 2);
    ASSERT_TRUE(decoded);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(decoded->start[i], plan.start[i]);
        EXPECT_EQ(decoded->end[i], plan.end[i]);
        EXPECT_EQ(decoded->length[i], plan.length[i]);
        EXPECT_EQ(decoded->base[i], plan.base[i]);
    }
    EXPECT_FALSE(DecodeSegmentState(bytes, 4)) << "four segments need 64 bytes";
}

}  // namespace
}  // namespace qivyun
