#pragma once
// What search and scrape found, engine by engine, and the two ways of printing it: text lines and
// one JSON document.
#include "search/ResultScan.h"

#include <optional>
#include <string>
#include <vector>

namespace qivyun::tool {

struct EngineAnswer {
    EngineId engine;
    std::string source;     // the request address, or the file scraped
    bool answered = false;  // the page was fetched (or read) and scanned
    std::string error;      // the cause when not answered, UTF-8
    ScanResult result;      // GBK texts, when answered
};

struct SearchReport {
    std::optional<std::string> keyword;  // UTF-8, as given on the command line; none for scrape
    std::optional<int> page;             // none for scrape
    std::vector<EngineAnswer> answers;   // in launch order
};

struct MergedRow {
    EngineId engine;
    const ResultRow* row;
};

// The rows of every engine that answered, engine by engine in launch order, each engine's rows in
// list order. A row of a file an earlier engine already gave (the same info-hash or ed2k hash
// however written, or else the same address) is left out; one engine's own repeats stay, as they
// do in the list, and rows without an address are never taken for repeats.
std::vector<MergedRow> MergeRows(const SearchReport& report);

// "total<TAB>ENGINE<TAB>TEXT" per engine that answered (unless rowsOnly), then
// "ENGINE<TAB>ID<TAB>NAME<TAB>SIZE<TAB>ADDRESS" per merged row, in UTF-8 with tabs and line breaks
// inside a text blanked out.
void PrintMergedText(const SearchReport& report, bool rowsOnly);

// The report as one JSON document on standard output (field names in the README).
void PrintJson(const SearchReport& report);

}  // namespace qivyun::tool
