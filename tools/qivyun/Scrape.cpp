// qivyun scrape ENGINE FILE [--counter N]: the total and rows of a saved response body.
#include "SearchCommands.h"

#include "search/PageText.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace qivyun::tool {

int RunScrape(const Arguments& arguments) {
    static const char usage[] = "scrape ENGINE FILE [--counter N]";
    if (arguments.size() != 2 && arguments.size() != 4) return BadArguments(usage);
    const auto engine = EngineFromName(arguments[0]);
    if (!engine) return BadArguments(usage);
    int counter = 0;
    if (arguments.size() == 4) {
        const auto value = ParseNumber(arguments[3]);
        if (arguments[2] != "--counter" || !value) return BadArguments(usage);
        counter = *value;
    }
    std::ifstream file(arguments[1], std::ios::binary);
    if (!file) {
        std::cerr << "qivyun scrape: cannot read " << arguments[1] << "\n";
        return 2;
    }
    std::ostringstream body;
    body << file.rdbuf();
    PrintScanResult(ScanResultPage(EngineSettings(*engine), AssemblePageText(body.str()), counter));
    return 0;
}

}  // namespace qivyun::tool
