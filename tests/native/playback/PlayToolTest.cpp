// qivyun play as a black box: the printed page address and the refused inputs.
#include "BuildConfig.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ToolRun {
    int exitCode;
    std::string out;
};

ToolRun RunTool(const std::string& arguments) {
    const std::string command = std::string(QIVYUN_TOOL) + " " + arguments + " 2>/dev/null";
    ToolRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(PlayToolTest, PrintsTheServicePageOrRefusesTheInput) {
    const std::string magnet = "magnet:?xt=urn:btih:0123456789ABCDEF0123456789ABCDEF01234567&dn=a&tr=udp://t:80#x";
    const std::string mtkan = qivyun::config::MtkanPageAddress;
    const std::string kcplay = qivyun::config::KcplayPageAddress;
    struct Case {
        std::string arguments;
        int exitCode;
        std::string out;
    } cases[] = {
        {"play mtkan list '" + magnet + "'", 0,
         mtkan + "?url=" + magnet + "&pay=&id=vq38_1&title=vq38_1&name=vq38_1&scrolling=no&frameBorder=0\n"},
        {"play mtkan typed '" + magnet + "'", 0,
         mtkan + "?url=" + magnet + "&pay=&id=vq38_1&time=&skin=modieus&key=" + qivyun::config::MtkanAccessKey + "\n"},
        {"play kcplay list 0123456789ABCDEF0123456789ABCDEF01234567", 0,
         kcplay + "#!u=0123456789ABCDEF0123456789ABCDEF01234567\n"},
        {"play kcplay typed 0123456789ABCDEF0123456789ABCDEF01234567", 1, ""},
        {"play mtkan typed 'Ed2k://|file|a|1|0|/'", 1, ""},
        {"play kcplay list ''", 1, ""},
        {"play qvod list ed2k", 2, ""},
        {"play mtkan box ed2k", 2, ""},
        {"play mtkan list", 2, ""},
    };
    for (const Case& c : cases) {
        ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(run.out, c.out) << c.arguments;
    }
}

}  // namespace
