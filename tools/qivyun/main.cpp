// qivyun: the portable core of the QivYun programs on the command line.
//
//   qivyun COMMAND [ARGUMENTS...]
#include "Commands.h"
#include "PlayCommands.h"
#include "SearchCommands.h"
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
    {"publish", "publish OUTDIR [--programs DIR] [--base-address URL]", RunPublish},
    {"download", "download URL TARGET [--segments N]", RunDownload},
};

}  // namespace qivyun::tool

using namespace qivyun::tool;

static void PrintUsage() {
    std::cerr << "usage: qivyun COMMAND [ARGUMENTS...]\ncommands:\n";
    for (const Command& command : commands) std::cerr << "  qivyun " << command.usage << "\n";
}

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage();
        return 2;
    }
    for (const Command& command : commands) {
        if (command.run && std::strcmp(argv[1], command.name) == 0) return command.run(Arguments(argv + 2, argv + argc));
    }
    PrintUsage();
    return std::strcmp(argv[1], "help") == 0 ? 0 : 2;
}
