// qivyun search ENGINE|all KEYWORD [--page N] [--timeout SECONDS] [--base [ENGINE=]ADDRESS]... [--json]
// Fetches one result page of one engine, or of all five at once, and prints the rows. --base puts
// another site address (scheme and host) in place of the configured one: a bare ADDRESS for the one
// engine searched, ENGINE=ADDRESS for any of them.
#include "SearchCommands.h"

#include "PageFetch.h"
#include "SearchReport.h"
#include "search/RequestAddress.h"

#include <iostream>
#include <map>
#include <optional>

namespace qivyun::tool {
namespace {

constexpr char usage[] = "search ENGINE|all KEYWORD [--page N] [--timeout SECONDS] [--base [ENGINE=]ADDRESS] [--json]";
constexpr long DefaultTimeLimitSeconds = 20;

struct SearchOptions {
    std::vector<EngineId> engines;  // in launch order
    std::string keyword;            // UTF-8
    int page = 1;
    long timeLimitSeconds = DefaultTimeLimitSeconds;
    std::map<EngineId, std::string> bases;
    bool json = false;
};

// ENGINE=ADDRESS names its engine before the address's scheme; a bare address goes to the one
// engine searched.
bool TakeBase(const std::string& value, SearchOptions& options) {
    const auto equals = value.find('=');
    if (equals != std::string::npos && equals < value.find("://")) {
        const auto engine = EngineFromName(value.substr(0, equals));
        if (!engine) return false;
        options.bases[*engine] = value.substr(equals + 1);
        return true;
    }
    if (options.engines.size() != 1) return false;
    options.bases[options.engines.front()] = value;
    return true;
}

std::optional<SearchOptions> ParseOptions(const Arguments& arguments) {
    if (arguments.size() < 2) return std::nullopt;
    SearchOptions options;
    if (arguments[0] == "all") {
        options.engines.assign(std::begin(AllEngines), std::end(AllEngines));
    } else if (const auto engine = EngineFromName(arguments[0])) {
        options.engines.push_back(*engine);
    } else {
        return std::nullopt;
    }
    options.keyword = arguments[1];
    for (size_t i = 2; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--json") {
            options.json = true;
            continue;
        }
        if (i + 1 >= arguments.size()) return std::nullopt;
        const std::string& value = arguments[++i];
        const auto number = ParseNumber(value);
        if (option == "--page" && number) {
            options.page = *number;
        } else if (option == "--timeout" && number && *number > 0) {
            options.timeLimitSeconds = *number;
        } else if (option != "--base" || !TakeBase(value, options)) {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int RunSearch(const Arguments& arguments) {
    const auto options = ParseOptions(arguments);
    if (!options) return BadArguments(usage);

    const std::string keyword = KeywordFromArgument(options->keyword);
    std::vector<PageFetch> fetches;
    bool shortened = false;
    for (const EngineId id : options->engines) {
        SearchEngine engine = EngineSettings(id);
        if (const auto base = options->bases.find(id); base != options->bases.end()) engine.baseAddress = base->second;
        const auto address = ComposeRequestAddress(engine, keyword, std::to_string(options->page));
        if (!address) {
            std::cerr << "qivyun search: " << engine.name << ": the site's address leaves no room for a keyword\n";
            return 1;
        }
        shortened = shortened || address->keywordShortened;
        fetches.push_back({address->address, false, {}, {}});
    }
    if (shortened) std::cerr << "qivyun search: keyword shortened to keep the address within 1023 bytes\n";

    FetchPages(fetches, options->timeLimitSeconds);

    SearchReport report{options->keyword, options->page, {}};
    bool anyAnswered = false;
    for (size_t i = 0; i < fetches.size(); ++i) {
        const EngineId id = options->engines[i];
        EngineAnswer answer{id, fetches[i].address, fetches[i].fetched, fetches[i].error, {}};
        if (answer.answered) {
            answer.result = ScanResultPage(EngineSettings(id), fetches[i].pageText, 0);
            anyAnswered = true;
        } else {
            std::cerr << "qivyun search: " << EngineSettings(id).name << ": " << answer.source << ": " << answer.error
                      << "\n";
        }
        report.answers.push_back(std::move(answer));
    }

    if (options->json) {
        PrintJson(report);
    } else if (options->engines.size() > 1) {
        PrintMergedText(report);
    } else if (anyAnswered) {
        PrintScanResult(report.answers.front().result);
    }
    return anyAnswered ? 0 : 1;
}

}  // namespace qivyun::tool
