#pragma once
// The search subcommands: encode, address, scrape, search.
#include "Commands.h"

#include "search/ResultScan.h"

#include <optional>
#include <string>

namespace qivyun::tool {

int RunEncode(const Arguments& arguments);
int RunAddress(const Arguments& arguments);
int RunScrape(const Arguments& arguments);
int RunSearch(const Arguments& arguments);

// Helpers the search subcommands share (SearchOutput.cpp).

// The keyword box's text for a UTF-8 command-line keyword: GBK, at most 1023 bytes, never ending
// inside a character.
std::string KeywordFromArgument(const std::string& utf8Keyword);

// A decimal number with nothing else around it.
std::optional<int> ParseNumber(const std::string& text);

// A GBK column text in UTF-8, its tabs, carriage returns and line feeds made blanks.
std::string ColumnText(const std::string& gbk);

// Prints "total<TAB>TEXT", then one line "ID<TAB>NAME<TAB>SIZE<TAB>ADDRESS" per row in list order,
// in UTF-8; tabs, carriage returns and line feeds inside a text become blanks.
void PrintScanResult(const ScanResult& result);

// Prints "qivyun: USAGE" on stderr and gives the exit code of bad arguments.
int BadArguments(const char* usage);

}  // namespace qivyun::tool
