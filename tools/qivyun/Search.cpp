// qivyun search ENGINE KEYWORD [--page N] [--base ADDRESS]: fetches one result page and prints it
// as scrape does. --base puts another site address (scheme and host) in place of the configured one.
#include "SearchCommands.h"

#include "search/PageText.h"
#include "search/RequestAddress.h"

#include <curl/curl.h>

#include <iostream>

namespace qivyun::tool {
namespace {

size_t TakeBody(char* data, size_t size, size_t count, void* builder) {
    static_cast<PageTextBuilder*>(builder)->Append(std::string_view(data, size * count));
    return size * count;
}

// One GET that follows redirections; success only for a status of 200-299.
bool FetchPageText(const std::string& address, std::string& pageText, std::string& error) {
    CURL* curl = curl_easy_init();
    if (!curl) {
        error = "cannot start a request";
        return false;
    }
    PageTextBuilder builder;
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "qivyun");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, TakeBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &builder);
    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    if (code == CURLE_OK) curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    if (code != CURLE_OK) {
        error = curl_easy_strerror(code);
        return false;
    }
    if (status < 200 || status > 299) {
        error = "HTTP status " + std::to_string(status);
        return false;
    }
    pageText = builder.Finish();
    return true;
}

}  // namespace

int RunSearch(const Arguments& arguments) {
    static const char usage[] = "search ENGINE KEYWORD [--page N] [--base ADDRESS]";
    if (arguments.size() < 2) return BadArguments(usage);
    const auto engineId = EngineFromName(arguments[0]);
    if (!engineId) return BadArguments(usage);
    SearchEngine engine = EngineSettings(*engineId);
    int page = 1;
    std::string base;
    for (size_t i = 2; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) return BadArguments(usage);
        if (arguments[i] == "--page") {
            const auto value = ParseNumber(arguments[i + 1]);
            if (!value) return BadArguments(usage);
            page = *value;
        } else if (arguments[i] == "--base") {
            base = arguments[i + 1];
            engine.baseAddress = base;
        } else {
            return BadArguments(usage);
        }
    }
    const auto address = ComposeRequestAddress(engine, KeywordFromArgument(arguments[1]), std::to_string(page));
    if (!address) {
        std::cerr << "qivyun search: the site's address leaves no room for a keyword\n";
        return 2;
    }
    if (address->keywordShortened) std::cerr << "qivyun search: keyword shortened to keep the address within 1023 bytes\n";

    curl_global_init(CURL_GLOBAL_DEFAULT);
    std::string pageText;
    std::string error;
    const bool fetched = FetchPageText(address->address, pageText, error);
    curl_global_cleanup();
    if (!fetched) {
        std::cerr << "qivyun search: " << address->address << ": " << error << "\n";
        return 2;
    }
    PrintScanResult(ScanResultPage(engine, pageText, 0));
    return 0;
}

}  // namespace qivyun::tool
