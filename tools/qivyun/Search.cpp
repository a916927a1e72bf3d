// qivyun search ENGINE|all KEYWORD [--page N] [--timeout SECONDS] [--base [ENGINE=]ADDRESS]...
//                                  [--json | --rows-only]
// Fetches one result page of one engine, or of all five at once, and prints the rows. --base puts
// another site address (scheme and host) in place of the configured one: a bare ADDRESS for the one
// engine searched, ENGINE=ADDRESS for any of them.
#include "SearchCommands.h"

#include "PageFetch.h"
#include "SearchReport.h"
#include "search/RequestAddress.h"

#include <map>

namespace qivyun::tool {
namespace {

constexpr long DefaultTimeLimitSeconds = 20;

struct SearchOptions {
    std::string engine;   // a site's name or "all"
    std::string keyword;  // UTF-8
    int page = 1;
    long timeLimitSeconds = DefaultTimeLimitSeconds;
    std::vector<std::string> bases;
    bool json = false;
    bool rowsOnly = false;
};

// ENGINE=ADDRESS names its engine before the address's scheme; a bare address goes to the one
// engine searched. The refusal names the rule.
std::optional<std::string> TakeBase(const std::string& value, const std::vector<EngineId>& engines,
                                    std::map<EngineId, std::string>& bases) {
    const auto equals = value.find('=');
    if (equals != std::string::npos && equals < value.find("://")) {
        const auto engine = EngineFromName(value.substr(0, equals));
        if (!engine) return "--base " + value + ": no site is named " + value.substr(0, equals);
        bases[*engine] = value.substr(equals + 1);
        return std::nullopt;
    }
    if (engines.size() != 1) return "--base " + value + ": searching all sites, give ENGINE=ADDRESS";
    bases[engines.front()] = value;
    return std::nullopt;
}

int RunSearch(const SearchOptions& options) {
    std::vector<EngineId> engines;
    if (const auto engine = EngineFromName(options.engine))
        engines.push_back(*engine);
    else
        engines.assign(std::begin(AllEngines), std::end(AllEngines));
    std::map<EngineId, std::string> bases;
    for (const std::string& base : options.bases)
        if (const auto refusal = TakeBase(base, engines, bases)) return Complain("search", *refusal, ExitBadArguments);

    const std::string keyword = KeywordFromArgument(options.keyword).gbk;
    std::vector<PageFetch> fetches;
    bool shortened = false;
    for (const EngineId id : engines) {
        SearchEngine engine = EngineSettings(id);
        if (const auto base = bases.find(id); base != bases.end()) engine.baseAddress = base->second;
        const auto address = ComposeRequestAddress(engine, keyword, std::to_string(options.page));
        if (!address) return Complain("search", std::string(engine.name) + ": the site's address leaves no room for a keyword");
        shortened = shortened || address->keywordShortened;
        fetches.push_back({address->address, false, {}, {}});
    }
    if (shortened) Complain("search", "keyword shortened to keep the address within 1023 bytes", ExitDone);

    FetchPages(fetches, options.timeLimitSeconds);

    SearchReport report{options.keyword, options.page, {}};
    bool anyAnswered = false;
    for (size_t i = 0; i < fetches.size(); ++i) {
        const EngineId id = engines[i];
        EngineAnswer answer{id, fetches[i].address, fetches[i].fetched, fetches[i].error, {}};
        if (answer.answered) {
            answer.result = ScanResultPage(EngineSettings(id), fetches[i].pageText, 0);
            anyAnswered = true;
        } else {
            Complain("search", std::string(EngineSettings(id).name) + ": " + answer.source + ": " + answer.error);
        }
        report.answers.push_back(std::move(answer));
    }

    if (options.json) {
        PrintJson(report);
    } else if (engines.size() > 1) {
        PrintMergedText(report, options.rowsOnly);
    } else if (anyAnswered) {
        PrintScanResult(report.answers.front().result, options.rowsOnly);
    }
    return anyAnswered ? ExitDone : ExitFailed;
}

}  // namespace

void AddSearchCommand(CommandTable& table) {
    auto options = std::make_shared<SearchOptions>();
    CLI::App& command = table.Add(
        table.Root(), "search",
        "Ask one search site, or all five at once, for one result page and print its rows\n"
        "One site prints total<TAB>TEXT, then ID<TAB>NAME<TAB>SIZE<TAB>ADDRESS per row in the window's order.\n"
        "All five print total<TAB>ENGINE<TAB>TEXT per site that answered, then ENGINE<TAB>ID<TAB>NAME<TAB>SIZE<TAB>ADDRESS,\n"
        "site by site, each file once however the sites write its hash. A site that fails is named on stderr;\n"
        "exit 0 when one site answered, 1 when none did.",
        "qivyun search all '电影' --json", [options] { return RunSearch(*options); });
    command.add_option("ENGINE", options->engine, "The site, or all five")->required()->check(EngineName(true));
    command.add_option("KEYWORD", options->keyword, "The keyword (UTF-8; every character must have a GBK form)")
        ->required()
        ->check(GbkKeyword());
    command.add_option("--page", options->page, "The result page")->check(WholeNumber(1, 999999999))->capture_default_str();
    command.add_option("--timeout", options->timeLimitSeconds, "Seconds each site may take")
        ->check(WholeNumber(1, 3600))
        ->capture_default_str();
    command.add_option("--base", options->bases, "Another scheme and host for a site (repeatable)")
        ->type_name("[ENGINE=]ADDRESS")
        ->allow_extra_args(false);
    CLI::Option* json = command.add_flag("--json", options->json, "Print one JSON document (UTF-8)");
    command.add_flag("--rows-only", options->rowsOnly, "Leave out the total lines, for pipes")->excludes(json);
}

}  // namespace qivyun::tool
