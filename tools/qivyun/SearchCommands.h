#pragma once
// The search commands: encode, address, scrape, search.
#include "Commands.h"

#include "search/ResultScan.h"

#include <string>

namespace qivyun::tool {

void AddEncodeCommand(CommandTable& table);
void AddAddressCommand(CommandTable& table);
void AddScrapeCommand(CommandTable& table);
void AddSearchCommand(CommandTable& table);

// Helpers the search commands share (SearchOutput.cpp).

// The keyword box's text for a UTF-8 keyword from the command line: GBK, at most 1023 bytes, never
// ending inside a character; `shortened` when it had to lose its end.
struct BoxKeyword {
    std::string gbk;
    bool shortened = false;
};
BoxKeyword KeywordFromArgument(const std::string& utf8Keyword);

// A KEYWORD argument: UTF-8 whose every character has a GBK form; the refusal names the others.
CLI::Validator GbkKeyword();

// An ENGINE argument: one of the five sites' names in any case, and "all" too where `orAll`.
CLI::Validator EngineName(bool orAll);

// A GBK column text in UTF-8, its tabs, carriage returns and line feeds made blanks.
std::string ColumnText(const std::string& gbk);

// Prints "total<TAB>TEXT" (unless rowsOnly), then one line "ID<TAB>NAME<TAB>SIZE<TAB>ADDRESS" per
// row in list order, in UTF-8; tabs, carriage returns and line feeds inside a text become blanks.
void PrintScanResult(const ScanResult& result, bool rowsOnly);

}  // namespace qivyun::tool
