#pragma once
// The record scan of one result page: the total and one row per record.
#include "search/SearchEngine.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qivyun {

// One line of the result list: its four column texts.
struct ResultRow {
    std::string id;       // the row counter after this row's increment, in decimal
    std::string name;     // "【双击点播】" and the film name
    std::string size;
    std::string address;  // magnet link, ed2k link or bare info-hash
};

// The three fields of one record as the engine's rules cut them (name without the hint prefix).
struct RecordFields {
    std::string name;
    std::string size;
    std::string address;
};

// totalText as the engine's total rule gives it from the page.
std::string TotalText(const SearchEngine& engine, std::string_view pageText);

// Calls onRecord once per record, in page order. The scan keeps the offset of the current record
// instead of a copy of the rest of the page; every field search starts at the byte after the
// current marker's first byte and runs to the end of the page. The time it takes grows with the
// page's length alone, also on pages whose records lack their field markers.
void ForEachRecord(const SearchEngine& engine, std::string_view pageText,
                   const std::function<void(RecordFields&&)>& onRecord);

struct ScanResult {
    std::string totalText;
    std::vector<ResultRow> rows;  // in list order: the page's last record first
    int rowCounter = 0;           // the row counter after the page
};

// Scans a page with rowCounter rows before it: the records take the IDs rowCounter+1, ... in page
// order, and since every row is inserted at the top, the list shows them in reverse.
ScanResult ScanResultPage(const SearchEngine& engine, std::string_view pageText, int rowCounter);

}  // namespace qivyun
