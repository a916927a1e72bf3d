// qivyun address ENGINE PAGE KEYWORD: the request address of one result page.
#include "SearchCommands.h"

#include "search/RequestAddress.h"

#include <iostream>

namespace qivyun::tool {

int RunAddress(const Arguments& arguments) {
    static const char usage[] = "address ENGINE PAGE KEYWORD";
    if (arguments.size() != 3) return BadArguments(usage);
    const auto engine = EngineFromName(arguments[0]);
    const auto page = ParseNumber(arguments[1]);
    if (!engine || !page) return BadArguments(usage);
    const auto address =
        ComposeRequestAddress(EngineSettings(*engine), KeywordFromArgument(arguments[2]), std::to_string(*page));
    if (!address) {
        std::cerr << "qivyun address: the site's address leaves no room for a keyword\n";
        return 1;
    }
    if (address->keywordShortened) std::cerr << "qivyun address: keyword shortened to keep the address within 1023 bytes\n";
    std::cout << address->address << "\n";
    return 0;
}

}  // namespace qivyun::tool
