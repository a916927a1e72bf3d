// The downloader against parties of the tests' own on loopback: ranges, a server without ranges,
// every small size, a file of 3 GiB, redirects, server errors, resume after a stop, and servers that
// misbehave.
#include "updater/SegmentedDownloader.h"

#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

namespace qivyun {
namespace {

namespace fs = std::filesystem;
using test::FileReply;
using test::FileServing;
using test::LoopbackServer;
using test::Reply;

std::string Bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

class SegmentedDownloaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::path(::testing::TempDir()) /
                 ("qivyun-download-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Runs one download to its end.
    void Download(const std::string& url, const fs::path& target, int segments = 4, bool resume = false) {
        downloader.Start(url, target.string(), {segments, "", resume});
        downloader.Wait();
    }

    std::vector<std::string> FilesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder;
    std::vector<std::string> messages;
    SegmentedDownloader downloader{[this](const char* text) { messages.push_back(text); }};
};

std::string Head(const std::string& path, const std::string& rangeLine) {
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n"
           "Connection: close\r\n" + rangeLine + "\r\n";
}

TEST_F(SegmentedDownloaderTest, RangedDownloadAsksFourRangesIntoOneFile) {
    const std::string content = Bytes(100000, 1);
    LoopbackServer server([&](const std::string& head) { return FileReply(head, content); });
    const fs::path target = folder / "QivYunPlay.exe";
    Download(server.Base() + "/QivYun/QivYunPlay.exe", target);

    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete);
    EXPECT_EQ(downloader.TotalSize(), 100000);
    EXPECT_TRUE(downloader.Ranged());
    EXPECT_EQ(ReadFile(target), content);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"QivYunPlay.exe"}) << "side file and record are gone";
    EXPECT_EQ(downloader.ReceivedSum(), 100000);
    EXPECT_GE(downloader.PermilleSum(), 4000);

    std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0], Head("/QivYun/QivYunPlay.exe", "Range: bytes=100-\r\n"));
    std::sort(requests.begin() + 1, requests.end());
    const char* ranges[] = {"0-24999", "25000-49999", "50000-74999", "75000-100000"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(requests[1 + i], Head("/QivYun/QivYunPlay.exe", std::string("Range: bytes=") + ranges[i] + "\r\n"));
}

TEST_F(SegmentedDownloaderTest, ServerWithoutRangesServesOverOneConnection) {
    const std::string content = Bytes(100000, 2);
    LoopbackServer server([&](const std::string& head) { return FileReply(head, content, {false, true, ""}); });
    const fs::path target = folder / "QivYunPlay.exe";
    Download(server.Base() + "/QivYun/QivYunPlay.exe", target);

    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete);
    EXPECT_FALSE(downloader.Ranged());
    EXPECT_EQ(downloader.TotalSize(), 100000);
    EXPECT_EQ(ReadFile(target), content);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1], Head("/QivYun/QivYunPlay.exe", ""));
}

// A file shorter than the probe's offset draws 416 from a server that serves ranges: with the size
// in its content range, or without it (then the whole file is asked for once more). The body of a
// short file comes with the probe: only the range before the probe's offset is asked for then.
TEST_F(SegmentedDownloaderTest, FilesOfEverySizeArriveWhateverTheServerDoesWithRanges) {
    const FileServing servings[] = {{true, true, ""}, {true, false, ""}, {false, true, ""}};
    for (std::size_t size : {0ul, 1ul, 50ul, 99ul, 100ul, 101ul, 1024ul, 65537ul, 1ul << 20}) {
        const std::string content = Bytes(size, static_cast<unsigned>(size));
        for (const FileServing& serving : servings) {
            const std::string what = std::to_string(size) + (serving.ranges ? " ranged" : "") + (serving.sizeOn416 ? "" : " bare 416");
            LoopbackServer server([&](const std::string& head) { return FileReply(head, content, serving); });
            const fs::path target = folder / ("file" + std::to_string(size));
            Download(server.Base() + "/f", target, 3);
            EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete) << what << ": " << downloader.FailureCause();
            EXPECT_EQ(downloader.TotalSize(), static_cast<std::int64_t>(size)) << what;
            EXPECT_EQ(ReadFile(target), content) << what;
            if (size >= 1024 && size <= 65536) {
                EXPECT_EQ(server.Requests().size(), serving.ranges ? 2u : 1u) << what;
            }
            fs::remove(target);
            EXPECT_TRUE(FilesInFolder().empty()) << what;
        }
    }
}

TEST_F(SegmentedDownloaderTest, RedirectToAnotherHostTakesTheLowerCasedPathAndName) {
    const std::string content = Bytes(100000, 3);
    LoopbackServer mirror([&](const std::string& head) { return FileReply(head, content); });
    LoopbackServer server([&](const std::string&) {
        return Reply{"HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:" + std::to_string(mirror.Port()) +
                     "/Mirror/QivYunPlay_New.EXE?Ver=2\r\nContent-Length: 0\r\n\r\n"};
    });
    Download(server.Base() + "/QivYun/QivYunPlay.exe", folder / "QivYunPlay.exe");

    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete);
    EXPECT_EQ(downloader.TargetPath(), (folder / "qivyunplay_new.exe").string());
    EXPECT_EQ(ReadFile(folder / "qivyunplay_new.exe"), content);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"qivyunplay_new.exe"});
    const auto requests = mirror.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0], Head("/mirror/qivyunplay_new.exe?ver=2", "Range: bytes=100-\r\n"));
}

TEST_F(SegmentedDownloaderTest, ServerErrorsShowTheMessageAndWriteNothing) {
    struct Case {
        const char* name;
        std::function<Reply(const std::string&)> reply;
    };
    const Case cases[] = {
        {"404", [](const std::string&) { return Reply{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"}; }},
        {"503", [](const std::string&) { return Reply{"HTTP/1.1 503 Busy\r\n\r\n"}; }},
    };
    for (const Case& c : cases) {
        messages.clear();
        LoopbackServer server(c.reply);
        Download(server.Base() + "/QivYun/QivYunPlay.exe", folder / "QivYunPlay.exe");
        EXPECT_EQ(messages, std::vector<std::string>{ServerErrorText}) << c.name;
        EXPECT_EQ(downloader.LastProbeState(), ProbeServerError) << c.name;
        EXPECT_EQ(downloader.TotalSize(), 0) << c.name;
        EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Idle) << c.name;
        EXPECT_EQ(server.Requests().size(), 1u) << c.name;
        EXPECT_TRUE(FilesInFolder().empty()) << c.name;
    }
}

TEST_F(SegmentedDownloaderTest, RefusedAddressesAndMalformedRepliesFailQuietlyOrWithTheAddressMessage) {
    for (const char* url : {"no-scheme/file", "http://127.0.0.1", "https://127.0.0.1/a.exe", "http://127.0.0.1:99999/a.exe"}) {
        messages.clear();
        Download(url, folder / "a.exe");
        EXPECT_EQ(messages, std::vector<std::string>{BadAddressText}) << url;
        EXPECT_TRUE(downloader.AddressRefused()) << url;
        EXPECT_EQ(downloader.FailureCause(), DescribeAddressProblem(url)) << url;
        EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Idle) << url;
    }
    // a redirect to an address that is not plain http fails the probe without a message
    LoopbackServer secure([](const std::string&) { return Reply{"HTTP/1.1 302 Found\r\nLocation: https://127.0.0.1/a.exe\r\n\r\n"}; });
    messages.clear();
    Download(secure.Base() + "/a.exe", folder / "a.exe");
    EXPECT_EQ(downloader.FailureCause(), "redirect to https://127.0.0.1/a.exe: https:// is not supported (only http://)");

    messages.clear();
    LoopbackServer noLength([](const std::string&) { return Reply{"HTTP/1.1 200 OK\r\nServer: x\r\n\r\nbody"}; });
    Download(noLength.Base() + "/a.exe", folder / "a.exe");
    LoopbackServer silent([](const std::string&) { return Reply{""}; });
    Download(silent.Base() + "/a.exe", folder / "a.exe");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(downloader.LastProbeState(), ProbeMalformed);

    // a port that is bound but not listening refuses the connection
    const int unused = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in bound{};
    bound.sin_family = AF_INET;
    bound.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(unused, reinterpret_cast<sockaddr*>(&bound), sizeof bound), 0);
    socklen_t length = sizeof bound;
    getsockname(unused, reinterpret_cast<sockaddr*>(&bound), &length);
    Download("http://127.0.0.1:" + std::to_string(ntohs(bound.sin_port)) + "/a.exe", folder / "a.exe");
    close(unused);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Idle);
    EXPECT_EQ(downloader.LastProbeState(), ProbeMalformed);
    EXPECT_TRUE(FilesInFolder().empty());
}

TEST_F(SegmentedDownloaderTest, RedirectsEndAfterABoundedNumber) {
    // every answer leads back to the same address
    std::unique_ptr<LoopbackServer> self;
    self = std::make_unique<LoopbackServer>([&](const std::string&) {
        return Reply{"HTTP/1.1 302 Found\r\nLocation: " + self->Base() + "/again.exe\r\n\r\n"};
    });
    Download(self->Base() + "/again.exe", folder / "again.exe");
    EXPECT_EQ(downloader.LastProbeState(), ProbeMalformed);
    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Idle);
    EXPECT_EQ(self->Requests().size(), static_cast<std::size_t>(MaxRedirects + 1));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(FilesInFolder().empty());
}

TEST_F(SegmentedDownloaderTest, RedirectNameThatLeavesTheFolderKeepsTheTargetsName) {
    const std::string content = Bytes(3000, 5);
    LoopbackServer mirror([&](const std::string& head) { return FileReply(head, content); });
    LoopbackServer server([&](const std::string&) {
        return Reply{"HTTP/1.1 302 Found\r\nLocation: " + mirror.Base() + "/..\r\n\r\n"};
    });
    Download(server.Base() + "/QivYunPlay.exe", folder / "QivYunPlay.exe");
    EXPECT_EQ(downloader.TargetPath(), (folder / "QivYunPlay.exe").string());
    EXPECT_EQ(ReadFile(folder / "QivYunPlay.exe"), content);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"QivYunPlay.exe"});
}

// Segment replies that would put other bytes than the file's into the target leave no target. What
// arrived intact stays for resuming, unless the file turned out to have changed on the server.
TEST_F(SegmentedDownloaderTest, MisbehavingSegmentsLeaveNoTarget) {
    const std::string content = Bytes(400000, 6);
    struct Case {
        const char* name;
        std::function<Reply(const std::string& head)> segment;
        bool kept;
    };
    const Case cases[] = {
        {"connection dropped mid-segment",
         [&](const std::string& head) {
             Reply cut = FileReply(head, content);
             cut.closeAfter = cut.bytes.size() / 2;
             return cut;
         },
         true},
        {"reply head longer than the first block",
         [&](const std::string& head) {
             Reply padded = FileReply(head, content);
             padded.bytes.insert(padded.bytes.find("\r\n") + 2, "X-Padding: " + std::string(1200, 'p') + "\r\n");
             return padded;
         },
         false},
        {"error page for a segment", [](const std::string&) { return Reply{"HTTP/1.1 500 Oops\r\nContent-Length: 5\r\n\r\noops!"}; },
         false},
        {"another range than asked for",
         [&](const std::string& head) { return FileReply(head.substr(0, head.find("Range:")) + "Range: bytes=5-\r\n", content); },
         false},
        {"another version of the file", [&](const std::string& head) { return FileReply(head, content, {true, true, "\"v2\""}); },
         false},
    };
    for (const Case& c : cases) {
        LoopbackServer server([&](const std::string& head) {
            const bool probe = head.find("Range: bytes=100-\r\n") != std::string::npos;
            return probe ? FileReply(head, content, {true, true, "\"v1\""}) : c.segment(head);
        });
        Download(server.Base() + "/QivYunUpdate.exe", folder / "QivYunUpdate_Tmp.exe");
        EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Failed) << c.name;
        const auto kept = std::vector<std::string>{"QivYunUpdate_Tmp.exe.down", "QivYunUpdate_Tmp.exe.down.state"};
        EXPECT_EQ(FilesInFolder(), c.kept ? kept : std::vector<std::string>{}) << c.name << ": " << downloader.FailureCause();
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
}

// A listening port whose queue of waiting connections is full, so that a further connect is never
// answered.
class UnansweredPort {
public:
    UnansweredPort() {
        listener = test::ListenOnLoopback(0, port);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        for (int& fd : fillers) {
            fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        }
        usleep(100000);
    }
    ~UnansweredPort() {
        for (const int fd : fillers) close(fd);
        close(listener);
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port); }

private:
    int listener = -1;
    int port = 0;
    int fillers[2] = {-1, -1};
};

// A download that arrived in part keeps that part for resuming; one with nothing on disk keeps nothing.
TEST_F(SegmentedDownloaderTest, QuietServersEndTheDownloadAfterTheQuietTime) {
    const std::string content = Bytes(400000, 8);
    const std::string quarter = std::to_string(content.size() / 4);
    struct Case {
        const char* name;
        std::function<Reply(const Reply& good, bool probe)> reply;
        DownloadOutcome outcome;
        std::string cause;  // after "127.0.0.1:PORT"
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {"accepts and never answers", [](const Reply&, bool) { return Reply{"", 0, 0, std::string::npos, true}; },
         DownloadOutcome::Idle, " within 300 ms", {}},
        {"stops after the head",
         [](const Reply& good, bool probe) {
             Reply head = good;
             if (!probe) head.closeAfter = good.bytes.find("\r\n\r\n") + 4, head.holdOpen = true;
             return head;
         },
         DownloadOutcome::Failed, " for 300 ms after 0 of " + quarter + " bytes", {}},
        {"stops in the middle of the body",
         [](const Reply& good, bool probe) {
             Reply half = good;
             if (!probe) half.closeAfter = good.bytes.size() - 5000, half.holdOpen = true;
             return half;
         },
         DownloadOutcome::Failed, " for 300 ms after " + std::to_string(content.size() / 4 - 5000) + " of " + quarter + " bytes",
         {"QivYunPlay.exe.down", "QivYunPlay.exe.down.state"}},
    };
    downloader.SetQuietTime(300);
    const auto downloadWithin10Seconds = [&](const std::string& url, const char* what, const std::function<void()>& release) {
        std::atomic<bool> ended{false};
        std::thread run([&] {
            Download(url, folder / "QivYunPlay.exe");
            ended = true;
        });
        for (int i = 0; i < 1000 && !ended; ++i) usleep(10000);
        EXPECT_TRUE(ended) << what << ": the download still waits on a quiet server";
        release();
        run.join();
    };
    for (const Case& c : cases) {
        LoopbackServer server([&](const std::string& head) {
            return c.reply(FileReply(head, content), head.find("Range: bytes=100-\r\n") != std::string::npos);
        });
        downloadWithin10Seconds(server.Base() + "/QivYunPlay.exe", c.name, [&] { server.Release(); });
        EXPECT_EQ(downloader.Outcome(), c.outcome) << c.name;
        EXPECT_NE(downloader.FailureCause().find("127.0.0.1:" + std::to_string(server.Port()) + c.cause), std::string::npos)
            << c.name << ": " << downloader.FailureCause();
        EXPECT_EQ(FilesInFolder(), c.left) << c.name;
        for (const std::string& name : c.left) fs::remove(folder / name);
    }
    auto port = std::make_unique<UnansweredPort>();
    downloadWithin10Seconds(port->Base() + "/QivYunPlay.exe", "connect", [&] { port.reset(); });
    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Idle);
    EXPECT_EQ(downloader.FailureCause().rfind("no answer from 127.0.0.1:", 0), 0u) << downloader.FailureCause();
    EXPECT_TRUE(FilesInFolder().empty());
}

TEST_F(SegmentedDownloaderTest, HeadArrivingInPiecesStillEnds) {
    const std::string content = Bytes(20000, 7);
    LoopbackServer server([&](const std::string& head) {
        Reply reply = FileReply(head, content);
        reply.pieceSize = 7;
        reply.pauseMs = 0;
        return reply;
    });
    Download(server.Base() + "/f.exe", folder / "f.exe");
    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete);
    EXPECT_EQ(ReadFile(folder / "f.exe"), content);
}

// The bytes of a file of any size, made from their offsets.
std::string GeneratedBytes(std::uint64_t first, std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(((first + i) * 2654435761u) >> 13);
    return bytes;
}

// The ranges asked for after the probe, sorted, as "FIRST-LAST".
std::vector<std::string> SegmentRanges(const std::vector<std::string>& requests, std::size_t from) {
    std::vector<std::string> ranges;
    for (std::size_t i = from; i < requests.size(); ++i) {
        const auto at = requests[i].find("Range: bytes=");
        if (at == std::string::npos || requests[i].find("Range: bytes=100-\r\n") != std::string::npos) continue;
        ranges.push_back(requests[i].substr(at + 13, requests[i].find("\r\n", at) - at - 13));
    }
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

// A server that announces 3 GiB and serves the first MiB of each range asked for, then stays silent:
// the ranges, offsets, counters and the record go past 2 and 4 GiB boundaries without a 3 GiB file
// anywhere (the side file is made at full size, but holds only what was written).
TEST_F(SegmentedDownloaderTest, ThreeGibibyteFileIsCutWrittenRecordedAndContinuedIn64Bits) {
    constexpr std::int64_t size = 3ll << 30;
    constexpr std::size_t served = 1 << 20;
    LoopbackServer server([&](const std::string& head) {
        std::size_t first = 0, last = 0;
        test::RequestedRange(head, size, first, last);
        Reply reply{"HTTP/1.1 206 Partial Content\r\nContent-Length: " + std::to_string(last - first + 1) +
                    "\r\nContent-Range: bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" +
                    std::to_string(size) + "\r\nETag: \"big\"\r\n\r\n"};
        if (first == 100) return reply;
        reply.bytes += GeneratedBytes(first, served);
        reply.holdOpen = true;
        return reply;
    });
    const fs::path target = folder / "big.bin";
    const auto runUntilEachRangeHasAnotherMebibyte = [&](std::int64_t received) {
        downloader.Start(server.Base() + "/big.bin", target.string(), {4, "", true});
        for (int i = 0; i < 1000 && downloader.ReceivedSum() < received; ++i) usleep(10000);
        downloader.StopAndSave();
        EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Stopped);
        EXPECT_EQ(downloader.ReceivedSum(), received);
    };
    runUntilEachRangeHasAnotherMebibyte(4 * served);
    EXPECT_EQ(downloader.TotalSize(), size);
    EXPECT_EQ(SegmentRanges(server.Requests(), 0),
              (std::vector<std::string>{"0-805306367", "1610612736-2415919103", "2415919104-3221225472", "805306368-1610612735"}));
    EXPECT_EQ(fs::file_size(folder / "big.bin.down"), static_cast<std::uintmax_t>(size));
    {
        std::ifstream side(folder / "big.bin.down", std::ios::binary);
        side.seekg(2415919104);
        std::string last(served, '\0');
        side.read(last.data(), static_cast<std::streamsize>(served));
        EXPECT_TRUE(last == GeneratedBytes(2415919104, served)) << "the last range's bytes at their place";
    }
    const auto record = DecodeDownloadRecord(ReadFile(folder / "big.bin.down.state"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->size, size);
    EXPECT_EQ(record->received[3], static_cast<std::int64_t>(served));

    const std::size_t before = server.Requests().size();
    runUntilEachRangeHasAnotherMebibyte(8 * served);
    EXPECT_TRUE(downloader.Resumed());
    EXPECT_EQ(SegmentRanges(server.Requests(), before),
              (std::vector<std::string>{"1048576-805306367", "1611661312-2415919103", "2416967680-3221225472",
                                        "806354944-1610612735"}));
    server.Release();
}

// A stopped download goes on where it stopped when the server still has the same file; a file
// changed on the server (another validator) or a download without the resume option starts over.
TEST_F(SegmentedDownloaderTest, ResumeContinuesOnlyTheSameFile) {
    std::string content = Bytes(400000, 8);
    std::string etag = "\"v1\"";
    std::atomic<bool> slow{true};
    LoopbackServer server([&](const std::string& head) {
        Reply reply = FileReply(head, content, {true, true, etag});
        if (slow) {
            reply.pieceSize = 2048;
            reply.pauseMs = 10;
        }
        return reply;
    });
    const fs::path target = folder / "QivYunPlay.exe";
    const auto stopAtATenth = [&] {
        slow = true;
        downloader.Start(server.Base() + "/QivYunPlay.exe", target.string(), {4, "", true});
        for (int i = 0; i < 500 && downloader.ReceivedSum() < 40000; ++i) usleep(5000);
        downloader.StopAndSave();
        slow = false;
        EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Stopped);
        EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"QivYunPlay.exe.down", "QivYunPlay.exe.down.state"}));
        return downloader.ReceivedSum();
    };
    // the bytes asked for by the ranges of the download after `from` requests
    const auto askedSince = [&](std::size_t from) {
        std::size_t asked = 0;
        const auto requests = server.Requests();
        for (std::size_t i = from + 1; i < requests.size(); ++i) {
            std::size_t first = 0, last = 0;
            if (test::RequestedRange(requests[i], content.size(), first, last)) asked += last - first + 1;
        }
        return asked;
    };
    struct Case {
        const char* name;
        const char* newEtag;
        bool resume;
        bool continues;
    };
    for (const Case& c : {Case{"the same file", "\"v1\"", true, true}, Case{"a changed file", "\"v2\"", true, false},
                          Case{"without the option", "\"v1\"", false, false}}) {
        const std::int64_t before = stopAtATenth();
        ASSERT_GT(before, 0) << c.name;
        ASSERT_LT(before, static_cast<std::int64_t>(content.size())) << c.name;
        etag = c.newEtag;
        content = Bytes(content.size(), c.continues ? 8 : 9);
        const std::size_t requests = server.Requests().size();
        Download(server.Base() + "/QivYunPlay.exe", target, 4, c.resume);
        EXPECT_EQ(downloader.Resumed(), c.continues) << c.name;
        EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete) << c.name;
        EXPECT_TRUE(ReadFile(target) == content) << c.name;
        EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"QivYunPlay.exe"}) << c.name;
        EXPECT_EQ(askedSince(requests), content.size() - (c.continues ? before : 0)) << c.name;
        fs::remove(target);
    }
}

}  // namespace
}  // namespace qivyun
