#include "SearchReport.h"

#include "SearchCommands.h"
#include "common/CodePage.h"
#include "search/ResultIdentity.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <map>
#include <set>

namespace qivyun::tool {
namespace {

std::string EngineName(EngineId engine) { return std::string(EngineSettings(engine).name); }

// The film name without the list's play hint in front of it.
std::string FilmName(const std::string& listName) {
    const std::string_view name = listName;
    return Utf8FromGbk(name.substr(0, PlayHintPrefix.size()) == PlayHintPrefix ? name.substr(PlayHintPrefix.size()) : name);
}

void Write(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace

std::vector<MergedRow> MergeRows(const SearchReport& report) {
    std::vector<MergedRow> merged;
    std::set<std::string> earlierFiles;
    for (const EngineAnswer& answer : report.answers) {
        if (!answer.answered) continue;
        std::vector<std::string> identities;
        for (const ResultRow& row : answer.result.rows) {
            identities.push_back(ResultIdentity(row.address));
            if (identities.back().empty() || !earlierFiles.count(identities.back())) merged.push_back({answer.engine, &row});
        }
        for (const std::string& identity : identities)
            if (!identity.empty()) earlierFiles.insert(identity);
    }
    return merged;
}

void PrintMergedText(const SearchReport& report, bool rowsOnly) {
    std::string out;
    for (const EngineAnswer& answer : report.answers)
        if (answer.answered && !rowsOnly) out += "total\t" + EngineName(answer.engine) + "\t" + ColumnText(answer.result.totalText) + "\n";
    for (const MergedRow& merged : MergeRows(report)) {
        const ResultRow& row = *merged.row;
        out += EngineName(merged.engine) + "\t" + ColumnText(row.id) + "\t" + ColumnText(row.name) + "\t" +
               ColumnText(row.size) + "\t" + ColumnText(row.address) + "\n";
    }
    Write(out);
}

void PrintJson(const SearchReport& report) {
    using json = nlohmann::ordered_json;
    const std::vector<MergedRow> merged = MergeRows(report);
    std::map<EngineId, int> kept;
    json rows = json::array();
    for (const MergedRow& entry : merged) {
        ++kept[entry.engine];
        const ResultRow& row = *entry.row;
        rows.push_back({{"engine", EngineName(entry.engine)},
                        {"id", std::stoi(row.id)},
                        {"name", FilmName(row.name)},
                        {"size", Utf8FromGbk(row.size)},
                        {"address", Utf8FromGbk(row.address)}});
    }
    json engines = json::array();
    for (const EngineAnswer& answer : report.answers) {
        const std::optional<long long> count = answer.answered ? TotalCount(answer.result.totalText) : std::nullopt;
        engines.push_back({{"engine", EngineName(answer.engine)},
                           {"source", answer.source},
                           {"answered", answer.answered},
                           {"total", answer.answered ? json(Utf8FromGbk(answer.result.totalText)) : json(nullptr)},
                           {"totalCount", count ? json(*count) : json(nullptr)},
                           {"rows", answer.result.rows.size()},
                           {"kept", kept[answer.engine]},
                           {"error", answer.answered ? json(nullptr) : json(answer.error)}});
    }
    const json document = {{"keyword", report.keyword ? json(*report.keyword) : json(nullptr)},
                           {"page", report.page ? json(*report.page) : json(nullptr)},
                           {"engines", engines},
                           {"rows", rows}};
    // A keyword typed in another encoding must not stop the output.
    Write(document.dump(2, ' ', false, json::error_handler_t::replace) + "\n");
}

}  // namespace qivyun::tool
