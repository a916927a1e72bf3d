// qivyun scrape ENGINE FILE [--counter N] [--json] [--rows-only]: the total and rows of a saved
// response body.
#include "SearchCommands.h"

#include "SearchReport.h"
#include "search/PageText.h"

namespace qivyun::tool {
namespace {

struct ScrapeOptions {
    std::string engine;
    std::string file;
    int counter = 0;
    bool json = false;
    bool rowsOnly = false;
};

int RunScrape(const ScrapeOptions& options) {
    const auto body = ReadInput("scrape", options.file);
    if (!body) return ExitFailed;
    const EngineId engine = *EngineFromName(options.engine);
    const ScanResult result = ScanResultPage(EngineSettings(engine), AssemblePageText(*body), options.counter);
    if (options.json)
        PrintJson({std::nullopt, std::nullopt, {{engine, options.file, true, {}, result}}});
    else
        PrintScanResult(result, options.rowsOnly);
    return ExitDone;
}

}  // namespace

void AddScrapeCommand(CommandTable& table) {
    auto options = std::make_shared<ScrapeOptions>();
    CLI::App& command =
        table.Add(table.Root(), "scrape", "Print the total and the rows of a saved result page, as the window lists them",
                  "qivyun scrape h31b saved-page.html --counter 10", [options] { return RunScrape(*options); });
    command.add_option("ENGINE", options->engine, "The site that gave the page")->required()->check(EngineName(false));
    command.add_option("FILE", options->file, "The page's body as the site sent it (UTF-8 HTML)")->required();
    command.add_option("--counter", options->counter, "Rows the list held before this page")
        ->check(WholeNumber(0, 999999999));
    CLI::Option* json = command.add_flag("--json", options->json, "Print one JSON document");
    command.add_flag("--rows-only", options->rowsOnly, "Leave out the total line")->excludes(json);
}

}  // namespace qivyun::tool
