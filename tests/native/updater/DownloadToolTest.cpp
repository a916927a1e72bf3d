// qivyun download as a black box: against the test world's download modes (its own world on port
// base 58180), against a real nginx on loopback (port 58581) for files of 0 bytes to 64 MiB, and
// against an nginx that serves slowly (port 58583) for downloads killed, interrupted and continued.
#include <gtest/gtest.h>

#include "../support/LoopbackPort.h"
#include "updater/SegmentPlan.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <pty.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace qivyun {
namespace {

namespace fs = std::filesystem;

constexpr int WorldPortBase = 58180;
constexpr int NginxPort = 58581;
constexpr int SlowNginxPort = 58583;

// The bytes the test world serves for a size: the generator it documents.
std::string ModeFileBytes(std::size_t size) {
    std::mt19937 random(static_cast<unsigned>(size));
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

pid_t Spawn(const std::vector<std::string>& arguments, const std::string& errFile) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

using test::PortAnswers;

bool AwaitPort(int port) {
    for (int i = 0; i < 200; ++i) {
        if (PortAnswers(port)) return true;
        usleep(25000);
    }
    return false;
}

class DownloadToolTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = fs::path(::testing::TempDir()) / ("qivyun-download-tool-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "www");
        chmod(folder.c_str(), 0755);
        chmod((folder / "www").c_str(), 0755);
    }
    static void TearDownTestSuite() { fs::remove_all(folder); }

    // Starts qivyun download; its stderr lands in `err` once Finish has waited for it.
    pid_t StartDownload(const std::string& url, const fs::path& target, int segments = 4, bool resume = false) {
        std::vector<std::string> command{QIVYUN_TOOL, "download", url, target.string(), "--segments", std::to_string(segments)};
        if (resume) command.push_back("-c");
        return Spawn(command, (folder / "download.err").string());
    }
    int Finish(pid_t tool) {
        const int code = Wait(tool);
        err = ReadFile(folder / "download.err");
        return code;
    }
    int Download(const std::string& url, const fs::path& target, int segments = 4, bool resume = false) {
        return Finish(StartDownload(url, target, segments, resume));
    }

    // Starts nginx over folder/PREFIX/www on `port` (and on [::1] as well), with `extra` lines in its
    // http block.
    static pid_t StartNginx(const std::string& prefix, int port, const std::string& extra) {
        std::string config = ReadFile(QIVYUN_NGINX_CONFIG);
        const std::string listen = "listen 127.0.0.1:18081;";
        const std::string ports = std::to_string(port) + ";";
        config.replace(config.find(listen), listen.size(), "listen 127.0.0.1:" + ports + " listen [::1]:" + ports);
        config.replace(config.find("http {") + 6, 0, "\n" + extra);
        const fs::path root = folder / prefix;
        fs::create_directories(root / "www");
        chmod(root.c_str(), 0755);
        chmod((root / "www").c_str(), 0755);
        std::ofstream(root / "nginx.conf") << config;
        const std::string path = root.string() + "/";
        const pid_t nginx = Spawn({QIVYUN_NGINX, "-p", path, "-e", path + "error.log", "-c", path + "nginx.conf", "-g", "daemon off;"},
                                  path + "nginx.err");
        EXPECT_TRUE(AwaitPort(port)) << ReadFile(path + "nginx.err") << ReadFile(path + "error.log");
        return nginx;
    }

    static fs::path folder;
    std::string err;
};
fs::path DownloadToolTest::folder;

TEST_F(DownloadToolTest, TestWorldModes) {
    const std::string errFile = (folder / "world.err").string();
    const pid_t world = Spawn({QIVYUN_DEVSERVER, "--port-base", std::to_string(WorldPortBase)}, errFile);
    ASSERT_TRUE(AwaitPort(WorldPortBase + 1)) << ReadFile(errFile);
    const std::string base = "http://127.0.0.1:" + std::to_string(WorldPortBase + 1) + "/modes/";

    // the final line: the bytes, the time and the average speed
    const std::regex finalLine(".*: [0-9]+ bytes in [0-9]+\\.[0-9]{2} s, [0-9]+\\.[0-9] (KiB|MiB)/s\n");
    struct Case {
        const char* path;
        std::size_t size;
        std::vector<std::string> written;  // the first one is the file's name when the download completes
        int exitCode;
        const char* message;  // expected on stderr (UTF-8)
    };
    const std::vector<std::string> keptForResuming{"out.bin.down", "out.bin.down.state"};
    const Case cases[] = {
        {"file/300000", 300000, {"out.bin"}, 0, "out.bin: 300000 bytes in "},
        {"norange/300000", 300000, {"out.bin"}, 0, "out.bin: 300000 bytes in "},
        // the name the user gave stays, whatever the redirect names
        {"redirect/300000", 300000, {"out.bin"}, 0, "out.bin: 300000 bytes in "},
        {"slow/200000", 200000, {"out.bin"}, 0, "out.bin: 200000 bytes in "},
        {"file/50", 50, {"out.bin"}, 0, "out.bin: 50 bytes in "},
        {"missing", 0, {}, 1, "/modes/missing: HTTP status 404\n"},
        {"drop/300000", 0, keptForResuming, 1,
         "/modes/drop/300000: the connection to 127.0.0.1:58181 ended after 37500 of 75000 bytes (what arrived is kept: -c continues it)\n"},
    };
    for (const Case& c : cases) {
        const fs::path cases = folder / "cases";
        fs::remove_all(cases);
        fs::create_directories(cases);
        EXPECT_EQ(Download(base + c.path, cases / "out.bin"), c.exitCode) << c.path << "\n" << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.path << "\n" << err;
        // Not a terminal: the final line alone, or the one line of the failure.
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << c.path << "\n" << err;
        std::vector<std::string> written;
        for (const auto& entry : fs::directory_iterator(cases)) written.push_back(entry.path().filename().string());
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, c.written) << c.path;
        if (c.exitCode == 0) {
            EXPECT_TRUE(ReadFile(cases / "out.bin") == ModeFileBytes(c.size)) << c.path;
            EXPECT_TRUE(std::regex_match(err, finalLine)) << err;
        }
    }
    // -q writes nothing but failures; -o names the target; a target the system cannot write, or a
    // folder, is named with the cause
    const fs::path other = folder / "cases" / "other.bin";
    EXPECT_EQ(Finish(Spawn({QIVYUN_TOOL, "download", "-q", base + "file/1000", "-o", other.string()},
                           (folder / "download.err").string())),
              0);
    EXPECT_EQ(err, "");
    EXPECT_TRUE(ReadFile(other) == ModeFileBytes(1000));
    const std::string url = base + "file/1000";
    EXPECT_EQ(Download(url, folder / "no-such-folder" / "x.bin"), 1);
    EXPECT_EQ(err, "qivyun download: " + url + ": cannot write " + (folder / "no-such-folder" / "x.bin.down").string() +
                       ": No such file or directory\n");
    EXPECT_EQ(Download(url, folder / "cases"), 1);
    EXPECT_EQ(err, "qivyun download: " + (folder / "cases").string() + ": is a folder; give the file's path\n");
    EXPECT_EQ(Download("http://127.0.0.1:1/x", folder / "x"), 1);
    EXPECT_EQ(err, "qivyun download: http://127.0.0.1:1/x: cannot connect to 127.0.0.1:1\n");

    // On a terminal one line is redrawn in place and the final line ends it.
    int terminal = -1;
    const pid_t tool = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(tool, 0);
    if (tool == 0) {
        const std::string target = (folder / "cases" / "slow.bin").string();
        const std::string url = base + "slow/400000";
        execl(QIVYUN_TOOL, QIVYUN_TOOL, "download", url.c_str(), target.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string shown;
    char buffer[4096];
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<size_t>(n));
    close(terminal);
    EXPECT_EQ(Wait(tool), 0) << shown;
    EXPECT_GE(std::count(shown.begin(), shown.end(), '\r'), 3) << shown;
    EXPECT_TRUE(std::regex_search(shown, std::regex("\rslow\\.bin  [0-9]+%  [0-9.]+ KiB of 390\\.6 KiB  [0-9.]+ KiB/s")))
        << shown;
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 1) << shown;
    const std::string last = shown.substr(shown.rfind("\x1b[K") + 3);
    EXPECT_EQ(last.rfind((folder / "cases" / "slow.bin").string() + ": 400000 bytes in ", 0), 0u) << last;
    kill(world, SIGTERM);
    Wait(world);
}

TEST_F(DownloadToolTest, AddressesThatAreNotPlainHttpAreRefusedWithTheirCause) {
    const std::pair<const char*, const char*> cases[] = {
        {"no-scheme", "not an address of the form http://host[:port]/path"},
        {"https://127.0.0.1/f", "https:// is not supported (only http://)"},
        {"ftp://127.0.0.1/f", "ftp:// is not supported (only http://)"},
        {"http://127.0.0.1:99999/f", "port 99999 is outside 1-65535"},
        {"http://127.0.0.1:-1/f", "port -1 is not a number"},
        {"http://127.0.0.1:abc/f", "port abc is not a number"},
        {"http://::1:8080/f", "not an address of the form http://host[:port]/path"},
    };
    for (const auto& [url, cause] : cases) {
        EXPECT_EQ(Download(url, folder / "x"), 2) << url;
        EXPECT_EQ(err, std::string("qivyun download: ") + url + ": " + cause + "\n");
    }
    EXPECT_FALSE(fs::exists(folder / "x"));
}

TEST_F(DownloadToolTest, NginxFilesOfEverySizeArriveByteIdentical) {
    const pid_t nginx = StartNginx("sizes", NginxPort, "");
    const fs::path www = folder / "sizes" / "www";
    const std::size_t sizes[] = {0, 1, 50, 99, 100, 101, 512, 1000, 4096, 65536 + 7, 1u << 20, (16u << 20) + 3, 64u << 20};
    for (std::size_t size : sizes) std::ofstream(www / ("f" + std::to_string(size)), std::ios::binary) << ModeFileBytes(size);

    for (std::size_t size : sizes) {
        for (int segments : {4, 1, 10}) {
            if (size >= (16u << 20) && segments != 4) continue;  // the big files once, as the updater asks
            const fs::path target = folder / "got";
            fs::remove(target);
            const std::string url = "http://127.0.0.1:" + std::to_string(NginxPort) + "/f" + std::to_string(size);
            EXPECT_EQ(Download(url, target, segments), 0) << size << " in " << segments << "\n" << err;
            EXPECT_EQ(fs::file_size(target), size) << size << " in " << segments;
            EXPECT_TRUE(ReadFile(target) == ReadFile(www / ("f" + std::to_string(size)))) << size << " in " << segments;
        }
    }
    // an IPv6 literal in brackets
    fs::remove(folder / "got");
    EXPECT_EQ(Download("http://[::1]:" + std::to_string(NginxPort) + "/f65543", folder / "got"), 0) << err;
    EXPECT_TRUE(ReadFile(folder / "got") == ReadFile(www / "f65543"));
    kill(nginx, SIGTERM);
    Wait(nginx);
}

// The bytes each request of the slow nginx sent, from its log of "STATUS RANGE BYTES" lines.
std::vector<long long> SentPerRequest(const fs::path& log) {
    std::vector<long long> sent;
    std::istringstream lines(ReadFile(log));
    std::string status, range;
    long long bytes = 0;
    while (lines >> status >> range >> bytes) sent.push_back(bytes);
    return sent;
}

long long SentSince(const fs::path& log, std::size_t requests) {
    const auto sent = SentPerRequest(log);
    long long sum = 0;
    for (std::size_t i = requests; i < sent.size(); ++i) sum += sent[i];
    return sum;
}

// A download that is killed (or interrupted with Ctrl-C) at about half leaves the side file and its
// record, and nothing else; -c continues it with less than the whole fetched again, as the server's
// log counts it. A file changed on the server meanwhile is fetched whole again.
TEST_F(DownloadToolTest, InterruptedDownloadsContinueAndChangedFilesStartOver) {
    const pid_t nginx = StartNginx("slow", SlowNginxPort,
                                   "    log_format sent '$status $http_range $body_bytes_sent';\n"
                                   "    access_log sent.log sent;\n    limit_rate 64k;\n");
    const fs::path log = folder / "slow" / "sent.log";
    const fs::path served = folder / "slow" / "www" / "big.bin";
    constexpr std::size_t size = 2u << 20;
    std::ofstream(served, std::ios::binary) << ModeFileBytes(size);
    const std::string url = "http://127.0.0.1:" + std::to_string(SlowNginxPort) + "/big.bin";
    const fs::path target = folder / "slow" / "got.bin";

    // Runs the tool until its record (written once a second) counts about half the file, then sends
    // it `signal`. Four connections of 64 KiB/s take 8 s for the whole file.
    constexpr std::int64_t aboutHalf = size * 2 / 5;
    const auto stopAtHalf = [&](int signal, bool resume) {
        const pid_t tool = StartDownload(url, target, 4, resume);
        std::int64_t recorded = 0;
        for (int i = 0; i < 400 && recorded < aboutHalf; ++i) {
            usleep(25000);
            if (const auto record = DecodeDownloadRecord(ReadFile(fs::path(target.string() + ".down.state")))) {
                recorded = 0;
                for (int s = 0; s < record->plan.count; ++s) recorded += record->received[s];
            }
        }
        kill(tool, signal);
        return std::pair(Finish(tool), recorded);
    };
    // nginx writes a request's line when it notices the connection's end
    const auto awaitLoggedRequests = [&](std::size_t count) {
        for (int i = 0; i < 200 && SentPerRequest(log).size() < count; ++i) usleep(25000);
        return SentPerRequest(log).size();
    };
    const auto leftBeside = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(target.parent_path()))
            if (entry.path().filename().string().rfind("got.bin", 0) == 0) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> kept{"got.bin.down", "got.bin.down.state"};

    auto [killed, recorded] = stopAtHalf(SIGKILL, false);
    EXPECT_EQ(killed, -1) << "ended by its signal";
    EXPECT_GE(recorded, aboutHalf);
    EXPECT_EQ(leftBeside(), kept);
    std::size_t before = awaitLoggedRequests(5);
    EXPECT_EQ(Download(url, target, 4, true), 0) << err;
    EXPECT_TRUE(ReadFile(target) == ReadFile(served));
    EXPECT_NE(err.find(": 2097152 bytes ("), std::string::npos) << "the final line tells what came now: " << err;
    EXPECT_EQ(leftBeside(), std::vector<std::string>{"got.bin"});
    const long long again = SentSince(log, before);
    EXPECT_LT(again, static_cast<long long>(size)) << "fetched again after the kill";
    EXPECT_LE(again, static_cast<long long>(size) - recorded + (128 << 10)) << "the probe takes little more than its head";

    fs::remove(target);
    auto [interrupted, halfway] = stopAtHalf(SIGINT, false);
    EXPECT_EQ(interrupted, 130);
    EXPECT_EQ(err, "qivyun download: " + url + ": interrupted by SIGINT (what arrived is kept: -c continues it)\n");
    EXPECT_EQ(leftBeside(), kept);
    EXPECT_GE(halfway, aboutHalf);

    // the same size, another modification time: the validators differ
    std::ofstream(served, std::ios::binary) << ModeFileBytes(size + 1).substr(0, size);
    fs::last_write_time(served, fs::last_write_time(served) + std::chrono::hours(1));
    before = awaitLoggedRequests(before + 5);
    EXPECT_EQ(Download(url, target, 4, true), 0) << err;
    EXPECT_TRUE(ReadFile(target) == ReadFile(served));
    EXPECT_GE(SentSince(log, before), static_cast<long long>(size)) << "the changed file is fetched whole";
    EXPECT_EQ(leftBeside(), std::vector<std::string>{"got.bin"});
    kill(nginx, SIGTERM);
    Wait(nginx);
}

}  // namespace
}  // namespace qivyun
