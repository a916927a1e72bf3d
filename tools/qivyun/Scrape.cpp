// qivyun scrape ENGINE FILE [--counter N] [--json]: the total and rows of a saved response body.
#include "SearchCommands.h"

#include "SearchReport.h"
#include "search/PageText.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace qivyun::tool {

int RunScrape(const Arguments& arguments) {
    static const char usage[] = "scrape ENGINE FILE [--counter N] [--json]";
    std::vector<std::string> positional;
    int counter = 0;
    bool json = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--json") {
            json = true;
        } else if (arguments[i] == "--counter") {
            const auto value = i + 1 < arguments.size() ? ParseNumber(arguments[++i]) : std::nullopt;
            if (!value) return BadArguments(usage);
            counter = *value;
        } else {
            positional.push_back(arguments[i]);
        }
    }
    if (positional.size() != 2) return BadArguments(usage);
    const auto engine = EngineFromName(positional[0]);
    if (!engine) return BadArguments(usage);
    std::ifstream file(positional[1], std::ios::binary);
    if (!file) {
        std::cerr << "qivyun scrape: " << positional[1] << ": " << FileProblem(positional[1]) << "\n";
        return 1;
    }
    std::ostringstream body;
    body << file.rdbuf();
    const ScanResult result = ScanResultPage(EngineSettings(*engine), AssemblePageText(body.str()), counter);
    if (json)
        PrintJson({std::nullopt, std::nullopt, {{*engine, positional[1], true, {}, result}}});
    else
        PrintScanResult(result);
    return 0;
}

}  // namespace qivyun::tool
