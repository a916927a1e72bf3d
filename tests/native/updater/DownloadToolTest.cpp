// qivyun download as a black box: against the test world's download modes (its own world on port
// base 58180) and against a real nginx on loopback (port 58581) for files of 0.5 KiB to 64 MiB.
#include <gtest/gtest.h>

#include "../support/LoopbackPort.h"

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
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace qivyun {
namespace {

namespace fs = std::filesystem;

constexpr int WorldPortBase = 58180;
constexpr int NginxPort = 58581;

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

    // Runs qivyun download; its stderr lands in `err`.
    int Download(const std::string& url, const fs::path& target, int segments = 4) {
        const std::string errFile = (folder / "download.err").string();
        const int code = Wait(Spawn({QIVYUN_TOOL, "download", url, target.string(), "--segments", std::to_string(segments)}, errFile));
        err = ReadFile(errFile);
        return code;
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

    struct Case {
        const char* path;
        std::size_t size;
        const char* savedAs;  // empty: nothing may be written
        int exitCode;
        const char* message;  // expected on stderr (UTF-8)
    };
    const Case cases[] = {
        {"file/300000", 300000, "out.bin", 0, "out.bin 更新完成......"},
        {"norange/300000", 300000, "out.bin", 0, "out.bin 更新完成......100%"},
        {"redirect/300000", 300000, "file-300000.bin", 0, "file-300000.bin 更新完成......"},
        {"slow/200000", 200000, "out.bin", 0, "Kbps/秒"},
        {"missing", 0, "", 1, "/modes/missing: HTTP status 404\n"},
        {"file/50", 0, "", 1, "/modes/file/50: HTTP status 416\n"},
        {"drop/300000", 0, "", 1, "/modes/drop/300000: the connection to 127.0.0.1:58181 ended after "},
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
        if (*c.savedAs) {
            EXPECT_EQ(written, std::vector<std::string>{c.savedAs}) << c.path;
            EXPECT_TRUE(ReadFile(cases / c.savedAs) == ModeFileBytes(c.size)) << c.path;
        } else {
            EXPECT_TRUE(written.empty()) << c.path;
        }
    }
    EXPECT_EQ(Download("no-scheme", folder / "x"), 1);
    EXPECT_EQ(err, "qivyun download: no-scheme: not an address of the form http://host[:port]/path\n");
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
    EXPECT_NE(shown.find("\r正在更新 slow.bin 请稍后.........."), std::string::npos) << shown;
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 1) << shown;
    const std::string last = shown.substr(shown.rfind("\x1b[K") + 3);
    EXPECT_EQ(last.rfind("slow.bin 更新完成......", 0), 0u) << last;
    EXPECT_NE(last.find("Kbps/秒  390/390  Kbit\r\n"), std::string::npos) << last;
    kill(world, SIGTERM);
    Wait(world);
}

TEST_F(DownloadToolTest, NginxFilesFromHalfAKibibyteTo64MiBArriveByteIdentical) {
    std::string config = ReadFile(QIVYUN_NGINX_CONFIG);
    const std::string listen = "listen 127.0.0.1:18081;";
    ASSERT_NE(config.find(listen), std::string::npos);
    config.replace(config.find(listen), listen.size(), "listen 127.0.0.1:" + std::to_string(NginxPort) + ";");
    std::ofstream(folder / "nginx.conf") << config;

    const std::size_t sizes[] = {512, 1000, 4096, 65536 + 7, 1u << 20, (16u << 20) + 3, 64u << 20};
    for (std::size_t size : sizes) std::ofstream(folder / "www" / ("f" + std::to_string(size)), std::ios::binary) << ModeFileBytes(size);
    const std::string prefix = folder.string() + "/";
    const pid_t nginx = Spawn({QIVYUN_NGINX, "-p", prefix, "-e", prefix + "error.log", "-c", prefix + "nginx.conf",
                               "-g", "daemon off;"}, (folder / "nginx.err").string());
    ASSERT_TRUE(AwaitPort(NginxPort)) << ReadFile(folder / "nginx.err") << ReadFile(folder / "error.log");

    for (std::size_t size : sizes) {
        for (int segments : {4, 1, 10}) {
            if (size >= (16u << 20) && segments != 4) continue;  // the big files once, as the updater asks
            const fs::path target = folder / "got";
            fs::remove(target);
            const std::string url = "http://127.0.0.1:" + std::to_string(NginxPort) + "/f" + std::to_string(size);
            EXPECT_EQ(Download(url, target, segments), 0) << size << " in " << segments << "\n" << err;
            EXPECT_EQ(fs::file_size(target), size) << size << " in " << segments;
            EXPECT_TRUE(ReadFile(target) == ReadFile(folder / "www" / ("f" + std::to_string(size)))) << size << " in " << segments;
        }
    }
    kill(nginx, SIGTERM);
    Wait(nginx);
}

}  // namespace
}  // namespace qivyun
