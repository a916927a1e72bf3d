#include "search/ResultScan.h"

#include "search/TextScan.h"

#include <algorithm>
#include <utility>

namespace qivyun {

std::string TotalText(const SearchEngine& engine, std::string_view pageText) {
    return ApplyFieldRule(engine.totalRule, pageText);
}

void ForEachRecord(const SearchEngine& engine, std::string_view pageText,
                   const std::function<void(RecordFields&&)>& onRecord) {
    std::string_view rest = pageText;
    std::ptrdiff_t pos = FindText(rest, engine.recordMarker, 0);
    // A marker at offset 0 ends the scan just as a missing one does.
    while (pos > 0) {
        // The record text starts at the marker's second byte, so the next search finds the
        // following record and the field searches start inside this one.
        rest = TextAfter(rest, pos);
        pos = FindText(rest, engine.recordMarker, 0);
        RecordFields fields;
        fields.name = ApplyFieldRule(engine.nameRule, rest);
        fields.size = ApplyFieldRule(engine.sizeRule, rest);
        fields.address = ApplyFieldRule(engine.addressRule, rest);
        onRecord(std::move(fields));
    }
}

ScanResult ScanResultPage(const SearchEngine& engine, std::string_view pageText, int rowCounter) {
    ScanResult result;
    result.totalText = TotalText(engine, pageText);
    ForEachRecord(engine, pageText, [&](RecordFields&& fields) {
        ++rowCounter;
        ResultRow row;
        row.id = std::to_string(rowCounter);
        row.name.reserve(PlayHintPrefix.size() + fields.name.size());
        row.name += PlayHintPrefix;
        row.name += fields.name;
        row.size = std::move(fields.size);
        row.address = std::move(fields.address);
        result.rows.push_back(std::move(row));
    });
    std::reverse(result.rows.begin(), result.rows.end());
    result.rowCounter = rowCounter;
    return result;
}

}  // namespace qivyun
