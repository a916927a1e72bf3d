// qivyun: the portable core of the QivYun programs on the command line.
//
//   qivyun COMMAND [ARGUMENTS...]
#include "Commands.h"
#include "PlayCommands.h"
#include "SearchCommands.h"
#include "SkinCommands.h"
#include "VersionCommands.h"

#include <cstring>
#include <iostream>

namespace qivyun::tool {

// Subcommands register here, one line each.
const Command commands[] = {
    {"help", "help", nullptr},
    {"encode", "encode KEYWORD", RunEncode},
    {"address", "address ENGINE PAGE KEYWORD", RunAddress},
    {"scrape", "scrape ENGINE FILE [--counter N] [--json]", RunScrape},
    {"search", "search ENGINE|all KEYWORD [--page N] [--timeout SECONDS] [--base [ENGINE=]ADDRESS] [--json]", RunSearch},
    {"play", "play mtkan|kcplay list|typed ADDRESS", RunPlay},
    {"md5", "md5 FILE", RunMd5},
    {"manifest", "manifest FILE SECTION KEY SIZE", RunManifest},
    {"publish", "publish OUTDIR [--programs DIR] [--base-address URL] [--sign PRIVATE] [--serial N]", RunPublish},
    {"keygen", "keygen PRIVATE PUBLIC", RunKeygen},
    {"verify", "verify MANIFEST [SIGNATURE] --key PUBLIC", RunVerify},
    {"download", "download URL TARGET [--segments N]", RunDownload},
    {"skin", "skin pack DESCRIPTION OUT | info FILE | render FILE PART WIDTH HEIGHT OUT.png", RunSkin},
};

}  // namespace qivyun::tool

using namespace qivyun::tool;

static void PrintUsage(std::ostream& out) {
    out << "usage: qivyun COMMAND [ARGUMENTS...]\n       qivyun COMMAND --help\n       qivyun --version\ncommands:\n";
    for (const Command& command : commands) out << "  qivyun " << command.usage << "\n";
}

static bool AsksForHelp(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    if (std::strcmp(argv[1], "help") == 0 || AsksForHelp(argv[1])) {
        PrintUsage(std::cout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "qivyun " QIVYUN_TOOL_VERSION "\n";
        return 0;
    }
    for (const Command& command : commands) {
        if (!command.run || std::strcmp(argv[1], command.name) != 0) continue;
        for (int i = 2; i < argc; ++i) {
            if (AsksForHelp(argv[i])) {
                std::cout << "usage: qivyun " << command.usage << "\n";
                return 0;
            }
        }
        return command.run(Arguments(argv + 2, argv + argc));
    }
    std::cerr << "qivyun: unknown command " << argv[1] << " (qivyun help lists the commands)\n";
    return 2;
}
