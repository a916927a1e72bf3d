#include "search/ResultScan.h"

#include "search/MarkerCursor.h"
#include "search/TextScan.h"

#include <algorithm>
#include <utility>

namespace qivyun {

std::string TotalText(const SearchEngine& engine, std::string_view pageText) {
    return ApplyFieldRule(engine.totalRule, pageText);
}

namespace {

// A field rule applied to record after record of one page, each of its markers searched through a
// cursor of its own.
class FieldScan {
public:
    FieldScan(const FieldRule& rule, std::string_view page)
        : rule(rule),
          cursors{{{page, rule.first.open}, {page, rule.first.close}}, {{page, rule.second.open}, {page, rule.second.close}}} {}

    std::string Apply(std::string_view recordText) {
        return ApplyFieldRuleWith(rule, recordText, [this](std::string_view text, int cutIndex) {
            MarkerCursor& open = cursors[cutIndex][0];
            MarkerCursor& close = cursors[cutIndex][1];
            const Cut& cut = cutIndex == 0 ? rule.first : rule.second;
            return CutBetweenWith(
                text, cut.open.size(), [&open](std::string_view t, std::ptrdiff_t start) { return open.Find(t, start); },
                [&close](std::string_view t, std::ptrdiff_t start) { return close.Find(t, start); });
        });
    }

private:
    const FieldRule& rule;
    MarkerCursor cursors[2][2];  // [cut][opening, closing]
};

}  // namespace

void ForEachRecord(const SearchEngine& engine, std::string_view pageText,
                   const std::function<void(RecordFields&&)>& onRecord) {
    FieldScan name(engine.nameRule, pageText);
    FieldScan size(engine.sizeRule, pageText);
    FieldScan address(engine.addressRule, pageText);
    std::string_view rest = pageText;
    std::ptrdiff_t pos = FindText(rest, engine.recordMarker, 0);
    // A marker at offset 0 ends the scan just as a missing one does.
    while (pos > 0) {
        // The record text starts at the marker's second byte, so the next search finds the
        // following record and the field searches start inside this one.
        rest = TextAfter(rest, pos);
        pos = FindText(rest, engine.recordMarker, 0);
        RecordFields fields;
        fields.name = name.Apply(rest);
        fields.size = size.Apply(rest);
        fields.address = address.Apply(rest);
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
