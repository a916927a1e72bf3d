// qivyun address ENGINE PAGE KEYWORD: the request address of one result page.
#include "SearchCommands.h"

#include "search/RequestAddress.h"

#include <iostream>

namespace qivyun::tool {
namespace {

struct AddressOptions {
    std::string engine;
    int page = 1;
    std::string keyword;
};

int RunAddress(const AddressOptions& options) {
    const auto address = ComposeRequestAddress(EngineSettings(*EngineFromName(options.engine)),
                                               KeywordFromArgument(options.keyword).gbk, std::to_string(options.page));
    if (!address) return Complain("address", "the site's address leaves no room for a keyword");
    if (address->keywordShortened) Complain("address", "keyword shortened to keep the address within 1023 bytes", ExitDone);
    std::cout << address->address << "\n";
    return ExitDone;
}

}  // namespace

void AddAddressCommand(CommandTable& table) {
    auto options = std::make_shared<AddressOptions>();
    CLI::App& command = table.Add(table.Root(), "address", "Print the request address of one result page of a site",
                                  "qivyun address fuso 3 'a b'", [options] { return RunAddress(*options); });
    command.add_option("ENGINE", options->engine, "The site")->required()->check(EngineName(false));
    command.add_option("PAGE", options->page, "The page number")->required()->check(WholeNumber(1, 999999999));
    command.add_option("KEYWORD", options->keyword, "The keyword (UTF-8; every character must have a GBK form)")
        ->required()
        ->check(GbkKeyword());
}

}  // namespace qivyun::tool
