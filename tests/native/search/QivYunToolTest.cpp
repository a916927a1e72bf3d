// Black-box checks of the qivyun search subcommands, against a test world of their own on port
// base 28080 so that they never meet the default one.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "../support/LoopbackPort.h"

#include "BuildConfig.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int PortBase = 28080;
const char* const engineNames[] = {"Ed2k4U", "H31B", "DHCT", "FuSo", "Hash"};

std::string SiteBase(int engineIndex) { return "http://127.0.0.1:" + std::to_string(PortBase + 11 + engineIndex); }

// --base options that send every engine to this test world.
std::string AllSiteBases() {
    std::string options;
    for (int e = 0; e < 5; ++e) options += std::string(" --base ") + engineNames[e] + "=" + SiteBase(e);
    return options;
}

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

// Runs a shell command line; stdout captured, stderr into a file.
ToolRun RunTool(const std::string& arguments) {
    const std::string errFile = ::testing::TempDir() + "/qivyun-stderr.txt";
    const std::string command = std::string(QIVYUN_TOOL) + " " + arguments + " 2>" + errFile;
    ToolRun run{-1, {}, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

using qivyun::test::PortAnswers;

class TestWorld : public ::testing::Environment {
public:
    void SetUp() override {
        char portBase[] = "28080";
        char option[] = "--port-base";
        char program[] = QIVYUN_DEVSERVER;
        char* argv[] = {program, option, portBase, nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        ASSERT_EQ(posix_spawn(&pid, program, &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 100 && !PortAnswers(PortBase + 15); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(PortAnswers(PortBase + 15)) << "the test world did not start";
    }
    void TearDown() override {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
    }

private:
    pid_t pid = -1;
};

const auto* const world = ::testing::AddGlobalTestEnvironment(new TestWorld);

TEST(QivYunSearch, EveryEngineReturnsRowsAndPageTwoDiffersFromPageOne) {
    for (int e = 0; e < 5; ++e) {
        const std::string base = " --base " + SiteBase(e);
        const ToolRun page1 = RunTool(std::string("search ") + engineNames[e] + " '电影 a'" + base);
        const ToolRun page2 = RunTool(std::string("search ") + engineNames[e] + " '电影 a' --page 2" + base);
        ASSERT_EQ(page1.exitCode, 0) << engineNames[e] << page1.err;
        ASSERT_EQ(page2.exitCode, 0) << engineNames[e] << page2.err;
        const auto lines1 = Lines(page1.out);
        const auto lines2 = Lines(page2.out);
        ASSERT_EQ(lines1.size(), 11u) << engineNames[e];
        ASSERT_EQ(lines2.size(), 11u) << engineNames[e];
        EXPECT_EQ(lines1[0].rfind("total\t", 0), 0u);
        EXPECT_EQ(lines1[1].rfind("10\t【双击点播】电影 a 第10部 高清\t", 0), 0u) << engineNames[e] << ": " << lines1[1];
        EXPECT_EQ(lines2[1].rfind("10\t【双击点播】电影 a 第20部 高清\t", 0), 0u) << engineNames[e] << ": " << lines2[1];
        EXPECT_NE(lines1[1].substr(lines1[1].rfind('\t')), lines2[1].substr(lines2[1].rfind('\t')));
    }
}

TEST(QivYunSearch, TotalsAndAddressesAsEachEngineGivesThem) {
    const char* const expected[][2] = {
        {"total\t23", "ed2k://|file|"}, {"total\t23 ", "magnet:?xt=urn:btih:"}, {"total\t不支持获取", "magnet:?xt=urn:btih:"},
        {"total\t23", "magnet:?xt=urn:btih:"}, {"total\t未知", ""}};
    for (int e = 0; e < 5; ++e) {
        const ToolRun run = RunTool(std::string("search ") + engineNames[e] + " x --page 3 --base " + SiteBase(e));
        const auto lines = Lines(run.out);
        ASSERT_EQ(lines.size(), 4u) << engineNames[e];  // page 3 holds the last three results
        EXPECT_EQ(lines[0], expected[e][0]);
        const std::string address = lines[1].substr(lines[1].rfind('\t') + 1);
        EXPECT_EQ(address.rfind(expected[e][1], 0), 0u) << address;
        EXPECT_EQ(address.find("&dn="), std::string::npos) << address;
    }
}

TEST(QivYunSearch, NotFoundEmptyAndHostilePages) {
    for (int e = 0; e < 5; ++e) {
        const std::string base = " --base " + SiteBase(e);
        const ToolRun missing = RunTool(std::string("search ") + engineNames[e] + " notfound" + base);
        EXPECT_EQ(missing.exitCode, 1) << engineNames[e];
        EXPECT_EQ(missing.out, "");
        EXPECT_NE(missing.err.find("404"), std::string::npos) << missing.err;

        const ToolRun empty = RunTool(std::string("search ") + engineNames[e] + " empty" + base);
        EXPECT_EQ(empty.exitCode, 0);
        EXPECT_EQ(Lines(empty.out).size(), 1u) << engineNames[e];

        const ToolRun hostile = RunTool(std::string("search ") + engineNames[e] + " hostile" + base);
        EXPECT_EQ(hostile.exitCode, 0);
        EXPECT_GE(Lines(hostile.out).size(), 6u) << engineNames[e];
        // The clapper board of the first result has no GBK form.
        EXPECT_NE(hostile.out.find("hostile 第1部 高清 ?"), std::string::npos) << engineNames[e];
    }
    const ToolRun refused = RunTool("search Hash x --base http://127.0.0.1:1");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(Lines(refused.err).size(), 1u) << refused.err;
    EXPECT_NE(refused.err.find("cannot connect to 127.0.0.1:1"), std::string::npos) << refused.err;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = line.find('\t', start)) != std::string::npos; start = end + 1) fields.push_back(line.substr(start, end - start));
    fields.push_back(line.substr(start));
    return fields;
}

// The file a row of the test world names: its info-hash (a magnet link's or a bare one, which the
// world writes in upper case), or its ed2k link.
std::string FileOf(const std::string& address) {
    const std::string magnet = "magnet:?xt=urn:btih:";
    return address.rfind(magnet, 0) == 0 ? address.substr(magnet.size()) : address;
}

// Every engine's rows as `search ENGINE` gives them, each file once: the odd-numbered results of the
// BT sites are the same torrents on H31B, DHCT, FuSo (the same magnet link) and Hash (the bare hash).
TEST(QivYunSearchAll, MergesEveryEngineAndPrintsEachFileOnce) {
    const ToolRun all = RunTool("search all x --page 3" + AllSiteBases());
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.err, "");
    std::vector<std::string> totals, rows;
    std::vector<std::string> seen;
    for (int e = 0; e < 5; ++e) {
        const auto lines = Lines(RunTool(std::string("search ") + engineNames[e] + " x --page 3 --base " + SiteBase(e)).out);
        totals.push_back(std::string("total\t") + engineNames[e] + "\t" + lines[0].substr(6));
        std::vector<std::string> files;
        for (size_t i = 1; i < lines.size(); ++i) {
            files.push_back(FileOf(Fields(lines[i])[3]));
            if (std::find(seen.begin(), seen.end(), files.back()) == seen.end())
                rows.push_back(std::string(engineNames[e]) + "\t" + lines[i]);
        }
        seen.insert(seen.end(), files.begin(), files.end());
    }
    std::vector<std::string> expected = totals;
    expected.insert(expected.end(), rows.begin(), rows.end());
    EXPECT_EQ(Lines(all.out), expected);
    // Three rows of Ed2k 4U and H31B; DHCT, FuSo and Hash keep only their own result 22.
    EXPECT_EQ(rows.size(), 3u + 3 + 1 + 1 + 1);
    // --rows-only leaves the totals out; options stand anywhere, values also after "="
    EXPECT_EQ(Lines(RunTool("search --rows-only all --page=3 x" + AllSiteBases()).out), rows);

    const ToolRun json = RunTool("search --json all x --page 3" + AllSiteBases());
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["keyword"], "x");
    EXPECT_EQ(document["page"], 3);
    ASSERT_EQ(document["engines"].size(), 5u);
    const nlohmann::json counts[] = {23, 23, nullptr, 23, nullptr};  // DHCT and Hash tell no number
    const int kept[] = {3, 3, 1, 1, 1};
    for (int e = 0; e < 5; ++e) {
        const auto& engine = document["engines"][e];
        EXPECT_EQ(engine["engine"], engineNames[e]);
        EXPECT_EQ(engine["answered"], true);
        EXPECT_EQ(engine["error"], nullptr);
        EXPECT_EQ(engine["rows"], 3);
        EXPECT_EQ(engine["kept"], kept[e]);
        EXPECT_EQ(std::string("total\t") + engineNames[e] + "\t" + engine["total"].get<std::string>(), totals[e]);
        EXPECT_EQ(engine["totalCount"], counts[e]) << engineNames[e];
    }
    std::vector<std::string> jsonRows;
    for (const auto& row : document["rows"])
        jsonRows.push_back(row["engine"].get<std::string>() + "\t" + std::to_string(row["id"].get<int>()) + "\t【双击点播】" +
                           row["name"].get<std::string>() + "\t" + row["size"].get<std::string>() + "\t" +
                           row["address"].get<std::string>());
    EXPECT_EQ(jsonRows, rows);
}

TEST(QivYunSearchAll, AFilmSearchHoldsEachTorrentOnce) {
    const ToolRun run = RunTool("search all 电影 --json" + AllSiteBases());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto document = nlohmann::json::parse(run.out);
    std::vector<std::string> files;
    for (const auto& row : document["rows"]) files.push_back(FileOf(row["address"].get<std::string>()));
    EXPECT_EQ(files.size(), 10u + 10 + 5 + 5 + 5);  // every BT site's odd-numbered results are H31B's
    std::sort(files.begin(), files.end());
    EXPECT_EQ(std::adjacent_find(files.begin(), files.end()), files.end()) << "a file listed twice";
}

// "mixed": H31B answers 404 and FuSo answers after three seconds; the others answer as usual.
TEST(QivYunSearchAll, FailingAndSlowSitesAreReportedWithoutHidingTheOthers) {
    const ToolRun run = RunTool("search all mixed --timeout 1 --json" + AllSiteBases());
    EXPECT_EQ(run.exitCode, 0);
    const auto errors = Lines(run.err);
    ASSERT_EQ(errors.size(), 2u) << run.err;
    EXPECT_EQ(errors[0], "qivyun search: H31B: " + SiteBase(1) + "/bt.aspx?page=1&key=mixed: HTTP status 404");
    EXPECT_EQ(errors[1], "qivyun search: FuSo: " + SiteBase(3) + "/?keyword=mixed&page=1: no complete answer within 1 s");
    const auto document = nlohmann::json::parse(run.out);
    const bool answered[] = {true, false, true, false, true};
    for (int e = 0; e < 5; ++e) {
        EXPECT_EQ(document["engines"][e]["answered"], answered[e]) << engineNames[e];
        EXPECT_EQ(document["engines"][e]["rows"], answered[e] ? 10 : 0) << engineNames[e];
    }
    EXPECT_EQ(document["engines"][1]["error"], "HTTP status 404");
    // DHCT keeps the results it shares with H31B, which did not answer; Hash's odd-numbered ones are DHCT's
    EXPECT_EQ(document["rows"].size(), 25u);

    const ToolRun none = RunTool("search all notfound" + AllSiteBases());
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(Lines(none.err).size(), 5u) << none.err;
}

TEST(QivYunTool, EncodeAndAddressAsTheSitesGetThem) {
    EXPECT_EQ(RunTool("encode '电影 a'").out, "%E7%94%B5%E5%BD%B1+a\n");
    EXPECT_EQ(RunTool("encode -- -b").out, "%2Db\n");
    EXPECT_EQ(RunTool("address fuso 3 'a b'").out, std::string(qivyun::config::FuSoAddress) + "/?keyword=a+b&page=3\n");
    // the keyword box holds 1023 bytes: encode says so, as search and address do
    const ToolRun longKeyword = RunTool("encode " + std::string(1030, 'a'));
    EXPECT_EQ(longKeyword.exitCode, 0);
    EXPECT_EQ(longKeyword.out, std::string(1023, 'a') + "\n");
    EXPECT_EQ(longKeyword.err, "qivyun encode: keyword shortened to the 1023 bytes the keyword box holds\n");
}

TEST(QivYunTool, ScrapeBlanksOutTabsAndKeepsTheListOrder) {
    const std::string file = ::testing::TempDir() + "/fuso-page.html";
    std::ofstream(file, std::ios::binary)
        << "<p>相关的BT种子 2个</p>\r\n<tr><td class=\"number\">1</td><td class=\"name\"><a target=\"_blank\">A\tB\r\n</a>"
           "</td><td>1 GB</td><td>magnet:?xt=1&x</td></tr>\r\n"
           "<tr><td class=\"number\">2</td><td class=\"name\"><a target=\"_blank\">C</a></td><td>2 GB</td>"
           "<td>magnet:?xt=2&x</td></tr>\n";
    const ToolRun run = RunTool("scrape FuSo " + file + " --counter 7");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string rows = "9\t【双击点播】C\t2 GB\tmagnet:?xt=2\n"
                             "8\t【双击点播】A B \t1 GB\tmagnet:?xt=1\n";
    EXPECT_EQ(run.out, "total\t2\n" + rows);
    EXPECT_EQ(RunTool("scrape --rows-only --counter=7 FuSo " + file).out, rows);

    // JSON keeps the texts whole and names no keyword or page.
    const auto document = nlohmann::json::parse(RunTool("scrape FuSo " + file + " --json --counter 7").out);
    EXPECT_EQ(document["keyword"], nullptr);
    EXPECT_EQ(document["engines"][0]["source"], file);
    EXPECT_EQ(document["engines"][0]["total"], "2");
    EXPECT_EQ(document["rows"][1],
              nlohmann::json({{"engine", "FuSo"}, {"id", 8}, {"name", "A\tB\r"}, {"size", "1 GB"}, {"address", "magnet:?xt=1"}}));
}

}  // namespace
