// Every command of qivyun and qivyun-devserver as a new user tries it: every file it reads given as a
// missing file, a folder, a socket, an empty file and random bytes, every bad argument, every help.
// Never an exit above 2, never success for a file that is not there, one line on stderr per cause,
// and nothing on stderr that is not printable UTF-8.
#include <gtest/gtest.h>

#include "../support/LoopbackPort.h"
#include "../support/ProcessRun.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace qivyun {
namespace {

namespace fs = std::filesystem;
using test::ProcessRun;

constexpr int WorldPortBase = 47180;

ProcessRun Command(const char* program, const std::string& argumentLine) {
    std::vector<std::string> arguments{program};
    std::istringstream words(argumentLine);
    for (std::string word; words >> word;) arguments.push_back(word);
    return test::RunProgram(arguments);
}

// Whole lines of printable UTF-8: no control character, no byte outside a character.
bool PrintableLines(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == '\n' || (lead >= 0x20 && lead < 0x7F)) {
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        if (lead == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) return false;  // C1 controls
        i += length;
    }
    return text.empty() || text.back() == '\n';
}

long Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

class CommandLine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = fs::path("/tmp") / ("qivyun-command-line-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "folder");
        fs::create_directories(folder / "programs");
        std::ofstream(folder / "empty");
        std::mt19937 random(25);
        std::string bytes(4096, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random());
        std::ofstream(folder / "random", std::ios::binary) << bytes;
        std::ofstream(folder / "programs" / "QivYunPlay.exe") << "player";
        std::ofstream(folder / "programs" / "QivYunUpdate.exe") << "updater";
        std::ofstream(folder / "manifest.txt") << "[Release]\r\nserial=1\r\n";
        // a socket: a name in the folder that no one can read as a file, also as root
        const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = (folder / "socket").string();
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        close(socketFd);
    }
    static void TearDownTestSuite() { fs::remove_all(folder); }

    static std::string At(const std::string& name) { return (folder / name).string(); }
    static fs::path folder;
};
fs::path CommandLine::folder;

TEST_F(CommandLine, EveryFileReadIsCheckedAndEveryContentHasItsAnswer) {
    const std::string key = QIVYUN_TEST_PUBLIC_KEY;
    const struct {
        const char* program;
        std::string arguments;  // {} stands for the file
        int emptyExit;
        int randomExit;
    } readers[] = {
        {QIVYUN_TOOL, "md5 {}", 0, 0},
        {QIVYUN_TOOL, "manifest {} QivYunPlay md5 100", 1, 1},
        {QIVYUN_TOOL, "scrape H31B {}", 0, 0},
        {QIVYUN_TOOL, "skin info {}", 1, 1},
        {QIVYUN_TOOL, "skin render {} 74 10 10 " + At("out.png"), 1, 1},
        {QIVYUN_TOOL, "skin pack {} " + At("out.zor"), 1, 1},
        {QIVYUN_TOOL, "verify {} --key " + key, 1, 1},
        {QIVYUN_TOOL, "verify " + At("manifest.txt") + " {} --key " + key, 1, 1},
        {QIVYUN_TOOL, "verify " + At("manifest.txt") + " --key {}", 1, 1},
        {QIVYUN_TOOL, "publish " + At("www") + " --programs " + At("programs") + " --sign {}", 1, 1},
        {QIVYUN_DEVSERVER, "--port-base " + std::to_string(WorldPortBase) + " --signing-key {}", 1, 1},
    };
    const struct {
        const char* name;
        const char* cause;  // for the files that cannot be read
    } inputs[] = {{"missing", "file not found"}, {"folder", "is a folder"}, {"socket", "is not a file"},
                  {"empty", nullptr},            {"random", nullptr}};
    for (const auto& reader : readers) {
        for (const auto& input : inputs) {
            std::string arguments = reader.arguments;
            arguments.replace(arguments.find("{}"), 2, At(input.name));
            SCOPED_TRACE(arguments);
            const ProcessRun run = Command(reader.program, arguments);
            EXPECT_TRUE(PrintableLines(run.err)) << run.err;
            if (input.cause) {
                EXPECT_EQ(run.exitCode, 1);
                EXPECT_EQ(run.out, "");
                EXPECT_EQ(Lines(run.err), 1) << run.err;
                EXPECT_NE(run.err.find(At(input.name) + ": " + input.cause), std::string::npos) << run.err;
                continue;
            }
            EXPECT_EQ(run.exitCode, std::string(input.name) == "empty" ? reader.emptyExit : reader.randomExit) << run.err;
            if (run.exitCode != 0) {
                EXPECT_EQ(Lines(run.err), 1) << run.err;
            }
        }
    }
    EXPECT_FALSE(fs::exists(folder / "www")) << "a refused publish writes nothing";
    // what the content answers where it is a file
    EXPECT_EQ(Command(QIVYUN_TOOL, "md5 " + At("empty")).out, "d41d8cd98f00b204e9800998ecf8427e\n");
    EXPECT_EQ(Command(QIVYUN_TOOL, "scrape H31B " + At("random")).out, "total\t\n");
    EXPECT_EQ(Command(QIVYUN_TOOL, "skin info " + At("empty")).err, "qivyun skin info: " + At("empty") + ": result 1: the file is empty\n");
    EXPECT_EQ(Command(QIVYUN_TOOL, "manifest " + At("random") + " QivYunPlay md5 100").err,
              "qivyun manifest: " + At("random") + ": no section [QivYunPlay]\n");
}

TEST_F(CommandLine, EveryBadArgumentIsNamedWithItsRule) {
    const std::string manifest = At("manifest.txt");
    const struct {
        const char* program;
        std::string arguments;
        std::string named;  // what the one line on stderr names
    } cases[] = {
        {QIVYUN_TOOL, "frob", "unknown command frob"},
        {QIVYUN_TOOL, "--frob", "--frob"},
        {QIVYUN_TOOL, "help frob", "no command frob"},
        {QIVYUN_TOOL, "encode", "KEYWORD is required"},
        {QIVYUN_TOOL, "encode a b", "not expected: b"},
        {QIVYUN_TOOL, "encode \xF0\x9F\x98\x80", "KEYWORD: \xF0\x9F\x98\x80 (U+1F600) cannot be searched"},
        {QIVYUN_TOOL, "encode \xFF", "KEYWORD: not UTF-8 text (byte \\xFF)"},
        {QIVYUN_TOOL, "address Ecv 1 a", "ENGINE: no site is named Ecv"},
        {QIVYUN_TOOL, "address Hash x a", "PAGE: x is not a whole number from 1 to"},
        {QIVYUN_TOOL, "address Hash 1 a\xE2\x9C\x93", "(U+2713)"},
        {QIVYUN_TOOL, "scrape Hash", "FILE is required"},
        {QIVYUN_TOOL, "scrape Hash " + manifest + " --counter=x", "--counter: x is not a whole number"},
        {QIVYUN_TOOL, "scrape Hash " + manifest + " --json --rows-only", "--json excludes --rows-only"},
        {QIVYUN_TOOL, "search", "ENGINE is required"},
        {QIVYUN_TOOL, "search Hash a --page", "--page"},
        {QIVYUN_TOOL, "search Hash a --pages 2", "--pages"},
        {QIVYUN_TOOL, "search Hash a --page 0", "--page: 0 is not a whole number from 1 to"},
        {QIVYUN_TOOL, "search Hash a --timeout abc", "--timeout: abc is not a whole number"},
        {QIVYUN_TOOL, "search all a --base http://127.0.0.1:1", "--base http://127.0.0.1:1: searching all sites, give ENGINE=ADDRESS"},
        {QIVYUN_TOOL, "search all a --base Nope=http://127.0.0.1:1", "no site is named Nope"},
        {QIVYUN_TOOL, "search all \xF0\x9F\x98\x80", "(U+1F600) cannot be searched"},
        {QIVYUN_TOOL, "play qvod list ed2k", "ENGINE: qvod not in {mtkan,kcplay}"},
        {QIVYUN_TOOL, "play mtkan box ed2k", "SOURCE: box not in {list,typed}"},
        {QIVYUN_TOOL, "play mtkan list", "ADDRESS is required"},
        {QIVYUN_TOOL, "md5", "FILE is required"},
        {QIVYUN_TOOL, "manifest " + manifest + " Release serial 0", "SIZE: 0 is not a whole number from 1 to 65536"},
        {QIVYUN_TOOL, "manifest " + manifest + " Release serial", "SIZE is required"},
        {QIVYUN_TOOL, "publish", "OUTDIR is required"},
        {QIVYUN_TOOL, "publish x --programs", "--programs"},
        {QIVYUN_TOOL, "publish x --colour red", "--colour"},
        {QIVYUN_TOOL, "publish x --serial 0", "--serial: 0 is not a whole number"},
        {QIVYUN_TOOL, "publish x --programs " + At("programs") + " --base-address https://h", "--base-address https://h: not a plain http"},
        {QIVYUN_TOOL, "keygen a", "PUBLIC is required"},
        {QIVYUN_TOOL, "verify " + manifest, "--key is required"},
        {QIVYUN_TOOL, "verify " + manifest + " --key 04ab", "--key 04ab is neither"},
        {QIVYUN_TOOL, "download", "URL is required"},
        {QIVYUN_TOOL, "download http://127.0.0.1:1/f", "TARGET or -o FILE is required"},
        {QIVYUN_TOOL, "download http://127.0.0.1:1/f t -o f", "TARGET excludes --output"},
        {QIVYUN_TOOL, "download http://127.0.0.1:1/f t --segments 11", "--segments: 11 is not a whole number from 1 to 10"},
        {QIVYUN_TOOL, "download https://127.0.0.1/f t", "https:// is not supported"},
        {QIVYUN_TOOL, "skin", "a command is needed: pack, info, render, parts"},
        {QIVYUN_TOOL, "skin frob", "frob"},
        {QIVYUN_TOOL, "skin render f NoSuchPart 10 10 o.png", "PART: no part is named NoSuchPart"},
        {QIVYUN_TOOL, "skin render f 302 10 10 o.png", "PART: no part is named 302"},
        {QIVYUN_TOOL, "skin render f 74 0 10 o.png", "WIDTH: 0 is not a whole number from 1 to 4096"},
        {QIVYUN_DEVSERVER, "--port-base abc", "--port-base"},
        {QIVYUN_DEVSERVER, "--port-base 70000", "--port-base"},
        {QIVYUN_DEVSERVER, "--port-base 65530", "--port-base 65530: the world's ports 65530-"},
        {QIVYUN_DEVSERVER, "--frob", "--frob"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProcessRun run = Command(c.program, c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Lines(run.err), 1) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_TRUE(PrintableLines(run.err)) << run.err;
    }
}

TEST_F(CommandLine, EveryCommandHelpsOnStandardOutput) {
    const char* const commands[] = {"encode",  "address", "scrape", "search", "play",     "md5",       "manifest",
                                    "publish", "keygen",  "verify", "download", "skin pack", "skin info",
                                    "skin render", "skin parts", "help"};
    for (const std::string command : commands) {
        SCOPED_TRACE(command);
        const ProcessRun help = Command(QIVYUN_TOOL, command + " --help");
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.err, "");
        EXPECT_NE(help.out.find("Usage: qivyun " + command + " [OPTIONS]"), std::string::npos) << help.out;
        EXPECT_NE(help.out.find("\nExample:\n  qivyun " + command), std::string::npos) << help.out;
        // the option before the command's arguments, and help as a command of its own, say the same
        EXPECT_EQ(Command(QIVYUN_TOOL, "help " + command).out, help.out);
    }
    for (const char* program : {QIVYUN_TOOL, QIVYUN_DEVSERVER}) {
        const ProcessRun help = Command(program, "--help"), version = Command(program, "--version");
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_NE(help.out.find("Usage: " + fs::path(program).filename().string()), std::string::npos) << help.out;
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.out, fs::path(program).filename().string() + " 1.0.0\n");
    }
    const ProcessRun bare = Command(QIVYUN_TOOL, "");
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_NE(bare.err.find("Usage: qivyun [OPTIONS] [COMMAND]"), std::string::npos) << bare.err;
}

// A second world on the ports of a first one would answer half of the requests: it refuses to start.
TEST_F(CommandLine, ASecondTestWorldOnTheSamePortBaseRefusesToStart) {
    const std::string base = std::to_string(WorldPortBase);
    std::vector<char*> argv{const_cast<char*>(QIVYUN_DEVSERVER), const_cast<char*>("--port-base"), const_cast<char*>(base.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t first = -1;
    ASSERT_EQ(posix_spawn(&first, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; i < 100 && !test::PortAnswers(WorldPortBase + 32); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(test::PortAnswers(WorldPortBase + 32));

    const ProcessRun second = Command(QIVYUN_DEVSERVER, "--port-base " + base);
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.err, "qivyun-devserver: cannot listen on 127.0.0.1:" + base + " (vendor): the port is taken\n");
    kill(first, SIGTERM);
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace qivyun
