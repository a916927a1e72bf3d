// The downloader against parties of the tests' own on loopback: ranges, a server without ranges,
// redirects, server errors, resume after a stop, and servers that misbehave.
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
    void Download(const std::string& url, const fs::path& target, int segments = 4) {
        downloader.Start(url, target.string(), segments);
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

TEST_F(SegmentedDownloaderTest, RangedDownloadAsksFourRangesAndJoinsThem) {
    const std::string content = Bytes(1000, 1);
    LoopbackServer server([&](const std::string& head) { return FileReply(head, content); });
    const fs::path target = folder / "QivYunPlay.exe";
    Download(server.Base() + "/QivYun/QivYunPlay.exe", target);

    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete);
    EXPECT_EQ(downloader.TotalSize(), 1000u);
    EXPECT_TRUE(downloader.Ranged());
    EXPECT_EQ(ReadFile(target), content);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"QivYunPlay.exe"}) << "parts and state are gone";
    EXPECT_EQ(downloader.ReceivedSum(), 1000u);
    EXPECT_GE(downloader.PermilleSum(), 4000);

    std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0], Head("/QivYun/QivYunPlay.exe", "Range: bytes=100-\r\n"));
    std::sort(requests.begin() + 1, requests.end());
    const char* ranges[] = {"0-249", "250-499", "500-749", "750-1000"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(requests[1 + i], Head("/QivYun/QivYunPlay.exe", std::string("Range: bytes=") + ranges[i] + "\r\n"));
}

TEST_F(SegmentedDownloaderTest, ServerWithoutRangesServesOverOneConnection) {
    const std::string content = Bytes(1000, 2);
    LoopbackServer server([&](const std::string& head) { return FileReply(head, content, false); });
    const fs::path target = folder / "QivYunPlay.exe";
    Download(server.Base() + "/QivYun/QivYunPlay.exe", target);

    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete);
    EXPECT_FALSE(downloader.Ranged());
    EXPECT_EQ(downloader.TotalSize(), 1000u);
    EXPECT_EQ(ReadFile(target), content);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1], Head("/QivYun/QivYunPlay.exe", ""));
}

TEST_F(SegmentedDownloaderTest, FilesOfEverySizeArriveWhole) {
    for (std::size_t size : {0ul, 1ul, 99ul, 101ul, 1024ul, 65537ul, 1ul << 20}) {
        const std::string content = Bytes(size, static_cast<unsigned>(size));
        for (bool ranges : {true, false}) {
            LoopbackServer server([&](const std::string& head) {
                // a file of fewer than 101 bytes draws 416 from the probe; it is fetched without ranges here
                return FileReply(head, content, ranges && size > 100);
            });
            const fs::path target = folder / ("file" + std::to_string(size));
            Download(server.Base() + "/f", target, 3);
            EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete) << size << (ranges ? " ranged" : "");
            EXPECT_EQ(ReadFile(target), content) << size << (ranges ? " ranged" : "");
        }
    }
}

TEST_F(SegmentedDownloaderTest, RedirectToAnotherHostTakesTheLowerCasedPathAndName) {
    const std::string content = Bytes(5000, 3);
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
    const std::string tiny = Bytes(60, 4);
    const Case cases[] = {
        {"404", [](const std::string&) { return Reply{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"}; }},
        {"file shorter than 100 bytes", [&](const std::string& head) { return FileReply(head, tiny); }},
        {"503", [](const std::string&) { return Reply{"HTTP/1.1 503 Busy\r\n\r\n"}; }},
    };
    for (const Case& c : cases) {
        messages.clear();
        LoopbackServer server(c.reply);
        Download(server.Base() + "/QivYun/QivYunPlay.exe", folder / "QivYunPlay.exe");
        EXPECT_EQ(messages, std::vector<std::string>{ServerErrorText}) << c.name;
        EXPECT_EQ(downloader.LastProbeState(), ProbeServerError) << c.name;
        EXPECT_EQ(downloader.TotalSize(), 0u) << c.name;
        EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Idle) << c.name;
        EXPECT_EQ(server.Requests().size(), 1u) << c.name;
        EXPECT_TRUE(FilesInFolder().empty()) << c.name;
    }
}

TEST_F(SegmentedDownloaderTest, MalformedAddressesAndRepliesFailQuietlyOrWithTheAddressMessage) {
    Download("no-scheme/file", folder / "a.exe");
    Download("http://127.0.0.1", folder / "a.exe");
    EXPECT_EQ(messages, (std::vector<std::string>{BadAddressText, BadAddressText}));

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

// Segment replies that would put other bytes than the file's into the target leave no target.
TEST_F(SegmentedDownloaderTest, MisbehavingSegmentsLeaveNoTarget) {
    const std::string content = Bytes(40000, 6);
    struct Case {
        const char* name;
        std::function<Reply(const Reply& good, bool probe)> segment;
    };
    const Case cases[] = {
        {"connection dropped mid-segment",
         [](const Reply& good, bool probe) {
             Reply cut = good;
             if (!probe) cut.closeAfter = good.bytes.size() / 2;
             return cut;
         }},
        {"reply head longer than the first block",
         [](const Reply& good, bool probe) {
             if (probe) return good;
             Reply padded = good;
             padded.bytes.insert(padded.bytes.find("\r\n") + 2, "X-Padding: " + std::string(1200, 'p') + "\r\n");
             return padded;
         }},
        {"error page for a segment",
         [](const Reply& good, bool probe) {
             return probe ? good : Reply{"HTTP/1.1 500 Oops\r\nContent-Length: 5\r\n\r\noops!"};
         }},
        {"more bytes than the range",
         [](const Reply& good, bool probe) {
             Reply longer = good;
             if (!probe) longer.bytes += "extra";
             return longer;
         }},
    };
    for (const Case& c : cases) {
        LoopbackServer server([&](const std::string& head) {
            const bool probe = head.find("Range: bytes=100-\r\n") != std::string::npos;
            return c.segment(FileReply(head, content), probe);
        });
        Download(server.Base() + "/QivYunUpdate.exe", folder / "QivYunUpdate_Tmp.exe");
        EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Failed) << c.name;
        EXPECT_TRUE(FilesInFolder().empty()) << c.name;
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

TEST_F(SegmentedDownloaderTest, QuietServersEndTheDownloadAfterTheQuietTimeWithNothingLeft) {
    const std::string content = Bytes(40000, 8);
    const std::string quarter = std::to_string(content.size() / 4);
    struct Case {
        const char* name;
        std::function<Reply(const Reply& good, bool probe)> reply;
        DownloadOutcome outcome;
        std::string cause;  // after "127.0.0.1:PORT"
    };
    const Case cases[] = {
        {"accepts and never answers", [](const Reply&, bool) { return Reply{"", 0, 0, std::string::npos, true}; },
         DownloadOutcome::Idle, " within 300 ms"},
        {"stops after the head",
         [](const Reply& good, bool probe) {
             Reply head = good;
             if (!probe) head.closeAfter = good.bytes.find("\r\n\r\n") + 4, head.holdOpen = true;
             return head;
         },
         DownloadOutcome::Failed, " for 300 ms after 0 of " + quarter + " bytes"},
        {"stops in the middle of the body",
         [](const Reply& good, bool probe) {
             Reply half = good;
             if (!probe) half.closeAfter = good.bytes.size() - 5000, half.holdOpen = true;
             return half;
         },
         DownloadOutcome::Failed, " for 300 ms after " + std::to_string(content.size() / 4 - 5000) + " of " + quarter + " bytes"},
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
        EXPECT_TRUE(FilesInFolder().empty()) << c.name;
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

TEST_F(SegmentedDownloaderTest, StopAndSaveKeepsTheStateAndTheNextStartResumes) {
    const std::string content = Bytes(400000, 8);
    std::atomic<bool> slow{true};
    LoopbackServer server([&](const std::string& head) {
        Reply reply = FileReply(head, content);
        if (slow) {
            reply.pieceSize = 2048;
            reply.pauseMs = 10;
        }
        return reply;
    });
    const fs::path target = folder / "QivYunPlay.exe";
    downloader.Start(server.Base() + "/QivYunPlay.exe", target.string(), 4);
    for (int i = 0; i < 500 && downloader.ReceivedSum() < 40000; ++i) usleep(5000);
    downloader.StopAndSave();
    const std::uint32_t before = downloader.ReceivedSum();
    ASSERT_EQ(downloader.Outcome(), DownloadOutcome::Stopped);
    ASSERT_GT(before, 0u);
    ASSERT_LT(before, content.size());
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(fs::file_size(folder / "QivYunPlay.exe.down"), 64u) << "four pairs, lengths and bases";
    std::uintmax_t onDisk = 0;
    for (int i = 0; i < 4; ++i) onDisk += fs::file_size(folder / ("QivYunPlay.exe.down" + std::to_string(i)));
    EXPECT_EQ(onDisk, before);

    slow = false;
    const std::size_t earlierRequests = server.Requests().size();
    Download(server.Base() + "/QivYunPlay.exe", target);
    EXPECT_TRUE(downloader.Resumed());
    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Complete);
    EXPECT_EQ(ReadFile(target), content);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"QivYunPlay.exe"});
    // the resumed ranges start after the bytes already on disk
    std::size_t askedAgain = 0;
    const auto requests = server.Requests();
    for (std::size_t i = earlierRequests + 1; i < requests.size(); ++i) {
        std::size_t first = 0, last = 0;
        ASSERT_TRUE(test::RequestedRange(requests[i], content.size(), first, last));
        askedAgain += last - first + 1;
    }
    EXPECT_EQ(askedAgain, content.size() - before);
}

TEST_F(SegmentedDownloaderTest, StateOfAnotherFileIsNotResumed) {
    const std::string content = Bytes(30000, 9);
    LoopbackServer server([&](const std::string& head) { return FileReply(head, content); });
    // a state and a part left by a download of a file of 20000 bytes
    {
        SegmentPlan old = SplitSegments(20000, 4);
        std::ofstream(folder / "f.exe.down", std::ios::binary) << EncodeSegmentState(old, 4);
        std::ofstream(folder / "f.exe.down0", std::ios::binary) << "stale bytes";
    }
    Download(server.Base() + "/f.exe", folder / "f.exe");
    EXPECT_FALSE(downloader.Resumed());
    EXPECT_EQ(ReadFile(folder / "f.exe"), content);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"f.exe"});
}

}  // namespace
}  // namespace qivyun
