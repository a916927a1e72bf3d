// Black-box checks of the update server side: the qivyun md5, manifest, publish, keygen and verify
// subcommands, the test world's update party (its own world on port base 38080) and the published
// folder served by a real nginx on loopback.
#include "versioncheck/Manifest.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include "../support/LoopbackPort.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace qivyun {
namespace {

namespace fs = std::filesystem;

constexpr int WorldPortBase = 38080;
constexpr int WorldUpdatePort = WorldPortBase + 1;
constexpr int NginxPort = 38581;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
}

// A fresh folder under the test temp folder, readable by everyone (nginx workers may run as nobody).
fs::path MakeFolder(const std::string& name) {
    fs::path folder = fs::path(::testing::TempDir()) / ("qivyun-update-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    chmod(folder.c_str(), 0755);
    return folder;
}

std::string Bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
}

// The digests by implementations of their own: coreutils' md5sum and sha256sum.
std::string CoreutilsDigest(const char* tool, const fs::path& path, std::size_t length) {
    std::string command = std::string(tool) + " '" + path.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    char line[256] = {};
    std::string text = pipe && fgets(line, sizeof line, pipe) ? line : "";
    if (pipe) pclose(pipe);
    return text.substr(0, length);
}
std::string Md5Sum(const fs::path& path) { return CoreutilsDigest("md5sum", path, 32); }
std::string Sha256Sum(const fs::path& path) { return CoreutilsDigest("sha256sum", path, 64); }

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ProcessResult Run(const std::vector<std::string>& arguments) {
    static int runs = 0;
    const std::string base = ::testing::TempDir() + "qivyun-run-" + std::to_string(getpid()) + "-" + std::to_string(++runs);
    const std::string outFile = base + ".out", errFile = base + ".err";
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ProcessResult result;
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = ReadFile(outFile);
    result.err = ReadFile(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return result;
}

ProcessResult Tool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), QIVYUN_TOOL);
    return Run(arguments);
}

using test::PortAnswers;

// A server process of the test's own, ended with SIGTERM and waited for when the test ends.
class ServerProcess {
public:
    ServerProcess(const std::vector<std::string>& arguments, const fs::path& logFile, int port) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 100 && pid_ > 0 && !PortAnswers(port); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ready_ = pid_ > 0 && PortAnswers(port);
    }
    ~ServerProcess() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    bool Ready() const { return ready_; }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

struct HttpReply {
    long status = 0;
    std::map<std::string, std::string> headers;  // names in lower case
    std::string body;
};

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* reply) {
    static_cast<HttpReply*>(reply)->body.append(data, size * count);
    return size * count;
}

std::size_t AppendHeader(char* data, std::size_t size, std::size_t count, void* reply) {
    std::string line(data, size * count);
    auto colon = line.find(':');
    if (colon != std::string::npos) {
        std::string name = line.substr(0, colon);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        value.erase(value.find_last_not_of("\r\n") + 1);
        static_cast<HttpReply*>(reply)->headers[name] = value;
    }
    return size * count;
}

HttpReply Http(const std::string& method, const std::string& url, const std::string& range = "",
               const std::string& body = "") {
    HttpReply reply;
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
    if (method == "POST") {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    }
    if (!range.empty()) curl_easy_setopt(curl, CURLOPT_RANGE, range.c_str());
    // Ask for compression as a browser does: the update server must still send the bytes as they are.
    curl_slist* headers = curl_slist_append(nullptr, "Accept-Encoding: gzip, deflate");
    // Bodies are files (programs, manifests), not forms.
    if (method == "POST") headers = curl_slist_append(headers, "Content-Type: application/octet-stream");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, AppendHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &reply);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 10L);
    if (curl_easy_perform(curl) == CURLE_OK) curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return reply;
}

HttpReply Get(const std::string& url, const std::string& range = "") { return Http("GET", url, range); }

// The updater's way: a probe from byte 100, then four ranges on four requests, put together.
void ExpectSegmentedDownload(const std::string& url, const std::string& expected) {
    HttpReply probe = Get(url, "100-");
    ASSERT_EQ(probe.status, 206) << url;
    EXPECT_EQ(probe.headers["content-length"], std::to_string(expected.size() - 100));
    EXPECT_EQ(probe.body, expected.substr(100));
    std::string whole;
    const std::size_t part = expected.size() / 4;
    for (std::size_t i = 0; i < 4; ++i) {
        std::size_t first = i * part, last = i == 3 ? expected.size() - 1 : (i + 1) * part - 1;
        HttpReply segment = Get(url, std::to_string(first) + "-" + std::to_string(last));
        ASSERT_EQ(segment.status, 206) << first << "-" << last;
        EXPECT_EQ(segment.headers["content-range"],
                  "bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" + std::to_string(expected.size()));
        whole += segment.body;
    }
    EXPECT_TRUE(whole == expected) << "segments do not put together the file of " << url;
}

// Two built programs of our own making, of sizes that do not divide evenly.
class FakePrograms : public ::testing::Test {
protected:
    void SetUp() override {
        programs = MakeFolder(std::string("programs-") +
                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        player = Bytes(70001, 1);
        updater = Bytes(30003, 2);
        WriteFile(programs / "QivYunPlay.exe", player);
        WriteFile(programs / "QivYunUpdate.exe", updater);
    }
    void TearDown() override { fs::remove_all(programs); }

    fs::path programs;
    std::string player;
    std::string updater;
};

TEST(QivYunMd5, PrintsTheDigestOrNothing) {
    fs::path folder = MakeFolder("md5");
    const struct {
        const char* name;
        std::string content;
    } files[] = {{"empty", ""}, {"abc", "abc"}, {"kilobyte", Bytes(1024, 3)}, {"larger", Bytes(5000, 4)}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        WriteFile(folder / file.name, file.content);
        ProcessResult result = Tool({"md5", (folder / file.name).string()});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, Md5Sum(folder / file.name) + "\n");
    }
    EXPECT_EQ(Tool({"md5", (folder / "empty").string()}).out, "d41d8cd98f00b204e9800998ecf8427e\n");

    const struct {
        std::vector<std::string> arguments;
        int exitCode;
    } failures[] = {
        {{"md5", (folder / "missing").string()}, 1},
        {{"md5", folder.string()}, 1},
        {{"md5"}, 2},
        {{"md5", "a", "b"}, 2},
    };
    for (const auto& failure : failures) {
        ProcessResult result = Tool(failure.arguments);
        EXPECT_EQ(result.exitCode, failure.exitCode) << failure.arguments.size();
        EXPECT_EQ(result.out, "");
    }
    fs::remove_all(folder);
}

TEST(QivYunManifest, ReadsUnderTheGivenBufferSize) {
    fs::path folder = MakeFolder("manifest");
    const std::string longAddress = "http://127.0.0.1/" + std::string(233, 'c');
    WriteFile(folder / "QivYunUpdate.ini",
              "[Count]\r\nCountAsp=" + longAddress + "\r\n[QivYunPlay]\r\nMD5=ABCDEF\r\nurl=\r\n");
    const std::string ini = (folder / "QivYunUpdate.ini").string();
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out;
    } cases[] = {
        {{"manifest", ini, "Count", "CountAsp", "200"}, 0, longAddress.substr(0, 199) + "\n"},
        {{"manifest", ini, "count", "COUNTASP", "1000"}, 0, longAddress + "\n"},
        {{"manifest", ini, "qivyunplay", "md5", "100"}, 0, "ABCDEF\n"},
        {{"manifest", ini, "QivYunPlay", "url", "100"}, 0, "\n"},
        // a missing section or key is no empty value
        {{"manifest", ini, "QivYunUpdate", "md5", "100"}, 1, ""},
        {{"manifest", ini, "QivYunPlay", "sha256", "100"}, 1, ""},
        {{"manifest", (folder / "missing.ini").string(), "QivYunPlay", "md5", "100"}, 1, ""},
        {{"manifest", ini, "QivYunPlay", "md5", "0"}, 2, ""},
        {{"manifest", ini, "QivYunPlay", "md5", "12x"}, 2, ""},
        {{"manifest", ini, "QivYunPlay", "md5"}, 2, ""},
    };
    for (const auto& c : cases) {
        ProcessResult result = Tool(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments[2] << "/" << c.arguments[3];
        EXPECT_EQ(result.out, c.out) << c.arguments[2] << "/" << c.arguments[3];
    }
    fs::remove_all(folder);
}

TEST_F(FakePrograms, PublishLaysOutTheServerFolder) {
    fs::path out = MakeFolder("publish");
    ProcessResult result = Tool({"publish", out.string(), "--programs", programs.string(), "--base-address",
                                 "http://update.example:8080/"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const fs::path site = out / "QivYun";
    EXPECT_EQ(ReadFile(site / "QivYunPlay.exe"), player);
    EXPECT_EQ(ReadFile(site / "QivYunUpdate.exe"), updater);
    EXPECT_EQ(ReadFile(site / "Acoun.txt"), "0\r\n");
    EXPECT_EQ(ReadFile(site / "AcounRen.txt"), "0\r\n");
    for (const char* page : {"Count.html", "CountRen.html", "Mtkan.html", "qvod.html"})
        EXPECT_NE(ReadFile(site / page).find("<html>"), std::string::npos) << page;
    for (const auto& entry : fs::directory_iterator(site)) EXPECT_NE(entry.path().extension(), ".partial");

    const std::string manifest = (site / "QivYunUpdate.txt").string();
    const std::string base = "http://update.example:8080";
    const struct {
        const char* section;
        const char* key;
        std::size_t size;
        std::string expected;
    } values[] = {
        {"QivYunPlay", "md5", 100, Md5Sum(programs / "QivYunPlay.exe")},
        {"QivYunPlay", "sha256", 100, Sha256Sum(programs / "QivYunPlay.exe")},
        {"QivYunPlay", "url", 200, base + "/QivYun/QivYunPlay.exe"},
        {"QivYunUpdate", "md5", 100, Md5Sum(programs / "QivYunUpdate.exe")},
        {"QivYunUpdate", "sha256", 100, Sha256Sum(programs / "QivYunUpdate.exe")},
        {"QivYunUpdate", "url", 200, base + "/QivYun/QivYunUpdate.exe"},
        {"Release", "serial", 32, "1"},
        {"Count", "CountAsp", 200, base + "/QivYun/Count.html"},
        {"Count", "CountrenAsp", 200, base + "/QivYun/CountRen.html"},
        {"Count", "AcounTxt", 50, base + "/QivYun/Acoun.txt"},
        {"Count", "AcounRenTxt", 50, base + "/QivYun/AcounRen.txt"},
        {"Mtkan", "url", 600, base + "/QivYun/Mtkan.html"},
        {"qvod", "url", 600, base + "/QivYun/qvod.html"},
    };
    for (const auto& value : values)
        EXPECT_EQ(ReadManifestValueAt(manifest, value.section, value.key, value.size), value.expected)
            << value.section << "/" << value.key;
    EXPECT_NE(ReadFile(manifest).find("\r\n"), std::string::npos);

    // The next release keeps what the live counters counted meanwhile.
    WriteFile(site / "Acoun.txt", "1234\r\n");
    WriteFile(site / "Count.html", "<html>1234</html>");
    ASSERT_EQ(Tool({"publish", out.string(), "--programs", programs.string(), "--base-address", base}).exitCode, 0);
    EXPECT_EQ(ReadFile(site / "Acoun.txt"), "1234\r\n");
    EXPECT_EQ(ReadFile(site / "Count.html"), "<html>1234</html>");
    EXPECT_EQ(ReadManifestValueAt(manifest, "Release", "serial", 32), "2");
    fs::remove_all(out);
}

// Nothing is written when the release would not serve the programs: each cause on its line.
TEST_F(FakePrograms, PublishRefusesWhatTheProgramsCouldNotUse) {
    const std::string tooLong = "http://" + std::string(30, 'h') + ".example:8080";  // text counters need < 50
    const struct {
        const char* what;
        bool removeUpdater;
        bool removePlayer;
        std::string baseAddress;
        int exitCode;
        long causes;
    } cases[] = {
        {"updater missing: half a release is no release", true, false, "http://127.0.0.1:18081", 1, 1},
        {"no program at all", true, true, "http://127.0.0.1:18081", 1, 2},
        {"https base the downloader cannot fetch", false, false, "https://127.0.0.1", 2, 1},
        {"base without a host", false, false, "http://", 2, 1},
        {"addresses the programs would cut", false, false, tooLong, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.removeUpdater) fs::remove(programs / "QivYunUpdate.exe");
        if (c.removePlayer) fs::remove(programs / "QivYunPlay.exe");
        fs::path out = MakeFolder("refuse");
        ProcessResult result =
            Tool({"publish", out.string(), "--programs", programs.string(), "--base-address", c.baseAddress});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), c.causes) << result.err;
        EXPECT_FALSE(fs::exists(out / "QivYun")) << "nothing published";
        if (c.removeUpdater) {
            EXPECT_NE(result.err.find((programs / "QivYunUpdate.exe").string() + ": file not found"), std::string::npos)
                << result.err;
        }
        fs::remove_all(out);
    }
}

// keygen, publish --sign and verify together: a release signed, then checked as the programs
// check it; a truncated or flipped signature, a changed manifest and another key are refused.
TEST_F(FakePrograms, SignedPublishVerifiesAndDamageDoesNot) {
    const fs::path folder = MakeFolder("signed");
    const std::string privateKey = (folder / "maker.pem").string(), publicKey = (folder / "maker.pub.pem").string();
    ProcessResult made = Tool({"keygen", privateKey, publicKey});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_NE(made.out.find("-DQIVYUN_UPDATE_PUBLIC_KEY=04"), std::string::npos) << made.out;
    EXPECT_EQ(fs::status(privateKey).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Tool({"keygen", privateKey, (folder / "other.pem").string()}).exitCode, 1) << "a key is never overwritten";

    const fs::path out = folder / "www";
    const std::vector<std::string> publish = {"publish", out.string(), "--programs", programs.string(), "--sign", privateKey};
    ASSERT_EQ(Tool(publish).exitCode, 0);
    const fs::path manifest = out / "QivYun" / "QivYunUpdate.txt", signature = out / "QivYun" / "QivYunUpdate.txt.sig";
    ProcessResult verified = Tool({"verify", manifest.string(), "--key", publicKey});
    EXPECT_EQ(verified.exitCode, 0) << verified.err;
    EXPECT_NE(verified.out.find("serial 1"), std::string::npos) << verified.out;
    // Each publication goes on from the serial already there, unless told otherwise.
    ASSERT_EQ(Tool(publish).exitCode, 0);
    EXPECT_EQ(ReadManifestValueAt(manifest.string(), "Release", "serial", 32), "2");
    std::vector<std::string> seventh = publish;
    seventh.insert(seventh.end(), {"--serial", "7"});
    ASSERT_EQ(Tool(seventh).exitCode, 0);
    EXPECT_EQ(ReadManifestValueAt(manifest.string(), "Release", "serial", 32), "7");
    std::vector<std::string> lower = publish;
    lower.insert(lower.end(), {"--serial", "6"});
    EXPECT_EQ(Tool(lower).exitCode, 2) << "a lower serial than the one published";
    EXPECT_EQ(Tool({"verify", manifest.string(), signature.string(), "--key", publicKey}).exitCode, 0);

    const std::string goodSignature = ReadFile(signature), goodManifest = ReadFile(manifest);
    std::string flippedSignature = goodSignature;
    const std::size_t digit = flippedSignature.find("signature: ") + 20;
    flippedSignature[digit] = flippedSignature[digit] == '0' ? '1' : '0';
    std::string changedManifest = goodManifest;
    changedManifest[changedManifest.find("md5=") + 4] ^= 0x01;
    const struct {
        const char* what;
        std::string manifest, signature;
        std::string key;
        std::string cause;
    } refused[] = {
        {"truncated signature", goodManifest, goodSignature.substr(0, goodSignature.size() - 10), publicKey,
         "is not a manifest signature"},
        {"bit-flipped signature", goodManifest, flippedSignature, publicKey, "does not match"},
        {"changed manifest", changedManifest, goodSignature, publicKey, "does not match"},
        {"another key", goodManifest, goodSignature, QIVYUN_TEST_PUBLIC_KEY, "not with key"},
    };
    for (const auto& c : refused) {
        WriteFile(manifest, c.manifest);
        WriteFile(signature, c.signature);
        ProcessResult result = Tool({"verify", manifest.string(), "--key", c.key});
        EXPECT_EQ(result.exitCode, 1) << c.what;
        EXPECT_NE(result.err.find(c.cause), std::string::npos) << c.what << ": " << result.err;
    }
    // An unsigned publication takes the old signature away rather than leave one that no longer fits.
    ASSERT_EQ(Tool({"publish", out.string(), "--programs", programs.string()}).exitCode, 0);
    EXPECT_FALSE(fs::exists(signature));
    ProcessResult unsignedResult = Tool({"verify", manifest.string(), "--key", publicKey});
    EXPECT_EQ(unsignedResult.exitCode, 1);
    EXPECT_NE(unsignedResult.err.find("unsigned"), std::string::npos) << unsignedResult.err;

    EXPECT_EQ(Tool({"verify", manifest.string()}).exitCode, 2);
    EXPECT_EQ(Tool({"verify", manifest.string(), "--key", "04abc"}).exitCode, 2);
    EXPECT_EQ(Tool({"publish", out.string(), "--programs", programs.string(), "--sign", publicKey}).exitCode, 1);
    EXPECT_EQ(Tool({"publish", out.string(), "--programs", programs.string(), "--serial", "0"}).exitCode, 2);
    fs::remove_all(folder);
}

class UpdateParty : public FakePrograms {
protected:
    std::string Address(const std::string& path) { return "http://127.0.0.1:" + std::to_string(WorldUpdatePort) + path; }
};

TEST_F(UpdateParty, ServesManifestProgramsAndCounters) {
    const fs::path log = programs.parent_path() / ("qivyun-update-world-" + std::to_string(getpid()) + ".log");
    ServerProcess world({QIVYUN_DEVSERVER, "--port-base", std::to_string(WorldPortBase), "--programs", programs.string()},
                        log, WorldUpdatePort);
    ASSERT_TRUE(world.Ready()) << "the test world did not start";

    HttpReply manifest = Get(Address("/QivYun/QivYunUpdate.txt"));
    ASSERT_EQ(manifest.status, 200);
    EXPECT_EQ(manifest.headers.count("content-encoding"), 0u);
    const struct {
        const char* section;
        const char* key;
        std::string expected;
    } values[] = {
        {"QivYunPlay", "md5", Md5Sum(programs / "QivYunPlay.exe")},
        {"QivYunPlay", "url", Address("/QivYun/QivYunPlay.exe")},
        {"QivYunUpdate", "md5", Md5Sum(programs / "QivYunUpdate.exe")},
        {"QivYunUpdate", "url", Address("/QivYun/QivYunUpdate.exe")},
        {"Count", "CountAsp", Address("/QivYun/Count.html")},
        {"Count", "CountrenAsp", Address("/QivYun/CountRen.html")},
        {"Count", "AcounTxt", Address("/QivYun/Acoun.txt")},
        {"Count", "AcounRenTxt", Address("/QivYun/AcounRen.txt")},
        {"Mtkan", "url", Address("/QivYun/Mtkan.html")},
        {"qvod", "url", Address("/QivYun/qvod.html")},
    };
    for (const auto& value : values)
        EXPECT_EQ(ReadIniValue(manifest.body, value.section, value.key, 600), value.expected) << value.section << "/" << value.key;

    EXPECT_EQ(ReadIniValue(manifest.body, "QivYunPlay", "sha256", 100), Sha256Sum(programs / "QivYunPlay.exe"));
    EXPECT_EQ(ReadIniValue(manifest.body, "Release", "serial", 32), "1");
    // Signed with the test key: what the test builds verify.
    const fs::path copy = programs / "served.txt";
    WriteFile(copy, manifest.body);
    const std::string signature = Get(Address("/QivYun/QivYunUpdate.txt.sig")).body;
    WriteFile(copy.string() + ".sig", signature);
    EXPECT_EQ(Tool({"verify", copy.string(), "--key", QIVYUN_TEST_PUBLIC_KEY}).exitCode, 0);
    // The updater fetches the signature in byte ranges too: they must be pieces of one signature.
    ExpectSegmentedDownload(Address("/QivYun/QivYunUpdate.txt.sig"), signature);

    ExpectSegmentedDownload(Address("/QivYun/QivYunPlay.exe"), player);
    ExpectSegmentedDownload(Address("/QivYun/QivYunUpdate.exe"), updater);
    HttpReply whole = Get(Address("/QivYun/QivYunPlay.exe"));
    EXPECT_EQ(whole.status, 200);
    EXPECT_TRUE(whole.body == player);

    // Each counter counts its own hits.
    const struct {
        const char* path;
        std::string expected;
    } hits[] = {
        {"/QivYun/Acoun.txt", "1\r\n"},
        {"/QivYun/Acoun.txt", "2\r\n"},
        {"/QivYun/AcounRen.txt", "1\r\n"},
        {"/QivYun/Acoun.txt", "3\r\n"},
    };
    for (const auto& hit : hits) {
        HttpReply reply = Get(Address(hit.path));
        EXPECT_EQ(reply.status, 200);
        EXPECT_EQ(reply.body, hit.expected) << hit.path;
    }
    EXPECT_NE(Get(Address("/QivYun/Count.html")).body.find("Count: 1<"), std::string::npos);
    EXPECT_NE(Get(Address("/QivYun/Count.html")).body.find("Count: 2<"), std::string::npos);
    EXPECT_EQ(Get(Address("/world/counters")).body,
              "/QivYun/Acoun.txt 3\n/QivYun/AcounRen.txt 1\n/QivYun/Count.html 2\n/QivYun/CountRen.html 0\n");
    EXPECT_EQ(Http("POST", Address("/world/counters/reset")).status, 200);
    EXPECT_EQ(Get(Address("/QivYun/AcounRen.txt")).body, "1\r\n");

    // A scenario's own manifest, an error status, then back to the built programs.
    const struct {
        std::string query;
        std::string body;
        long status;
    } overrides[] = {
        {"", "[QivYunPlay]\r\nmd5=0123456789ABCDEF0123456789ABCDEF\r\n", 200},
        {"?status=500", "server trouble", 500},
        {"?status=404", "", 404},
    };
    for (const auto& o : overrides) {
        ASSERT_EQ(Http("POST", Address("/world/manifest" + o.query), "", o.body).status, 200);
        HttpReply reply = Get(Address("/QivYun/QivYunUpdate.txt"));
        EXPECT_EQ(reply.status, o.status);
        EXPECT_EQ(reply.body, o.body);
    }
    EXPECT_EQ(Http("POST", Address("/world/manifest?status=abc"), "", "x").status, 400);
    // A posted manifest is signed by the world, unless it is to go without; a posted signature
    // stands beside it as it is; posted files are served with ranges.
    const std::string posted = "[Release]\r\nserial=4\r\n" + std::string(120, ';') + "\r\n";
    ASSERT_EQ(Http("POST", Address("/world/manifest"), "", posted).status, 200);
    WriteFile(copy, Get(Address("/QivYun/QivYunUpdate.txt")).body);
    WriteFile(copy.string() + ".sig", Get(Address("/QivYun/QivYunUpdate.txt.sig")).body);
    EXPECT_EQ(Tool({"verify", copy.string(), "--key", QIVYUN_TEST_PUBLIC_KEY}).exitCode, 0);
    EXPECT_EQ(Http("POST", Address("/world/sign"), "", posted).body.substr(0, 26), "QivYun manifest signature\r");
    ASSERT_EQ(Http("POST", Address("/world/manifest/signature"), "", "not a signature").status, 200);
    EXPECT_EQ(Get(Address("/QivYun/QivYunUpdate.txt.sig")).body, "not a signature");
    ASSERT_EQ(Http("POST", Address("/world/manifest?signature=none"), "", posted).status, 200);
    EXPECT_EQ(Get(Address("/QivYun/QivYunUpdate.txt.sig")).status, 404);
    ASSERT_EQ(Http("POST", Address("/world/files/stand-in.exe"), "", player).status, 200);
    ExpectSegmentedDownload(Address("/files/stand-in.exe"), player);
    EXPECT_EQ(Get(Address("/files/other.exe")).status, 404);
    EXPECT_EQ(Http("DELETE", Address("/world/manifest")).status, 200);
    EXPECT_EQ(Get(Address("/QivYun/QivYunUpdate.txt")).body, manifest.body);

    // A program that disappears (or was never built) leaves the manifest without it, at once.
    fs::remove(programs / "QivYunUpdate.exe");
    HttpReply without = Get(Address("/QivYun/QivYunUpdate.txt"));
    EXPECT_EQ(without.status, 200);
    EXPECT_EQ(ReadIniValue(without.body, "QivYunUpdate", "md5", 100), "");
    EXPECT_EQ(ReadIniValue(without.body, "QivYunPlay", "md5", 100), Md5Sum(programs / "QivYunPlay.exe"));
    EXPECT_EQ(Get(Address("/QivYun/QivYunUpdate.exe")).status, 404);

    // Every request is in the log, in the world's format.
    const std::string logText = ReadFile(log);
    EXPECT_NE(logText.find("update 38081 GET /QivYun/QivYunUpdate.txt 200 \""), std::string::npos) << logText;
    EXPECT_NE(logText.find("update 38081 GET /QivYun/QivYunPlay.exe 206 \""), std::string::npos);
    fs::remove(log);
}

TEST_F(FakePrograms, PublishedFolderServedByNginx) {
    const fs::path prefix = MakeFolder("nginx");
    const std::string base = "http://127.0.0.1:" + std::to_string(NginxPort);
    ProcessResult published = Tool({"publish", (prefix / "www").string(), "--programs", programs.string(),
                                     "--base-address", base, "--sign", QIVYUN_TEST_SIGNING_KEY});
    ASSERT_EQ(published.exitCode, 0) << published.err;
    for (const auto& entry : fs::recursive_directory_iterator(prefix)) chmod(entry.path().c_str(), entry.is_directory() ? 0755 : 0644);

    // The shipped configuration, listening on the test's port.
    std::string config = ReadFile(QIVYUN_NGINX_CONFIG);
    const std::string listen = "listen 127.0.0.1:18081;";
    ASSERT_NE(config.find(listen), std::string::npos);
    config.replace(config.find(listen), listen.size(), "listen 127.0.0.1:" + std::to_string(NginxPort) + ";");
    WriteFile(prefix / "nginx.conf", config);

    {
        ServerProcess nginx({QIVYUN_NGINX, "-p", prefix.string() + "/", "-e", (prefix / "error.log").string(), "-c",
                             (prefix / "nginx.conf").string(), "-g", "daemon off;"},
                            prefix / "nginx.out", NginxPort);
        ASSERT_TRUE(nginx.Ready()) << ReadFile(prefix / "error.log");

        HttpReply manifest = Get(base + "/QivYun/QivYunUpdate.txt");
        ASSERT_EQ(manifest.status, 200) << ReadFile(prefix / "error.log");
        EXPECT_EQ(manifest.body, ReadFile(prefix / "www" / "QivYun" / "QivYunUpdate.txt"));
        EXPECT_EQ(manifest.headers.count("content-encoding"), 0u);
        EXPECT_EQ(manifest.headers["cache-control"], "no-cache");
        HttpReply signature = Get(base + "/QivYun/QivYunUpdate.txt.sig");
        ASSERT_EQ(signature.status, 200);
        EXPECT_EQ(signature.body, ReadFile(prefix / "www" / "QivYun" / "QivYunUpdate.txt.sig"));
        EXPECT_EQ(signature.headers["cache-control"], "no-cache");
        EXPECT_EQ(signature.headers["content-type"], "text/plain");
        EXPECT_EQ(Tool({"verify", (prefix / "www" / "QivYun" / "QivYunUpdate.txt").string(), "--key", QIVYUN_TEST_PUBLIC_KEY})
                      .exitCode,
                  0);
        EXPECT_EQ(ReadIniValue(manifest.body, "QivYunPlay", "url", 200), base + "/QivYun/QivYunPlay.exe");

        // The program the manifest names, fetched as the updater fetches it, has the manifest's digest.
        const std::string playerMd5 = ReadIniValue(manifest.body, "QivYunPlay", "md5", 100);
        EXPECT_EQ(playerMd5, Md5Sum(programs / "QivYunPlay.exe"));
        ExpectSegmentedDownload(ReadIniValue(manifest.body, "QivYunPlay", "url", 200), player);
        ExpectSegmentedDownload(ReadIniValue(manifest.body, "QivYunUpdate", "url", 200), updater);

        HttpReply counter = Get(ReadIniValue(manifest.body, "Count", "AcounTxt", 50));
        EXPECT_EQ(counter.status, 200);
        EXPECT_EQ(counter.body, "0\r\n");
        EXPECT_EQ(Get(ReadIniValue(manifest.body, "Count", "CountAsp", 200)).status, 200);
        EXPECT_EQ(Get(ReadIniValue(manifest.body, "qvod", "url", 600)).status, 200);
        EXPECT_EQ(Get(base + "/QivYun/").status, 403);  // no listing of the folder
    }
    EXPECT_FALSE(PortAnswers(NginxPort)) << "nginx still listens";
    fs::remove_all(prefix);
}

}  // namespace
}  // namespace qivyun
