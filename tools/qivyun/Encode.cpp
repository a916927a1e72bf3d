// qivyun encode KEYWORD: the keyword as the search sites get it in an address.
#include "SearchCommands.h"

#include "search/PercentEncode.h"

#include <iostream>

namespace qivyun::tool {

int RunEncode(const Arguments& arguments) {
    if (arguments.size() != 1) return BadArguments("encode KEYWORD");
    std::cout << EncodeKeyword(KeywordFromArgument(arguments[0])) << "\n";
    return 0;
}

}  // namespace qivyun::tool
