// qivyun encode KEYWORD: the keyword as the search sites get it in an address.
#include "SearchCommands.h"

#include "search/PercentEncode.h"

#include <iostream>

namespace qivyun::tool {

void AddEncodeCommand(CommandTable& table) {
    auto keyword = std::make_shared<std::string>();
    CLI::App& command = table.Add(
        table.Root(), "encode", "Print a keyword as the search sites get it in an address (GBK, then UTF-8 percent-encoded)",
        "qivyun encode '电影 a'   # %E7%94%B5%E5%BD%B1+a", [keyword] {
            const BoxKeyword box = KeywordFromArgument(*keyword);
            if (box.shortened) Complain("encode", "keyword shortened to the 1023 bytes the keyword box holds", ExitDone);
            std::cout << EncodeKeyword(box.gbk) << "\n";
            return ExitDone;
        });
    command.add_option("KEYWORD", *keyword, "The keyword (UTF-8; every character must have a GBK form)")
        ->required()
        ->check(GbkKeyword());
}

}  // namespace qivyun::tool
