#include "PageFetch.h"

#include "search/PageText.h"

#include <curl/curl.h>

#include <memory>

namespace qivyun::tool {
namespace {

size_t TakeBody(char* data, size_t size, size_t count, void* builder) {
    static_cast<PageTextBuilder*>(builder)->Append(std::string_view(data, size * count));
    return size * count;
}

// "HOST:PORT" of an address, with the scheme's port when it names none.
std::string HostAndPort(const std::string& address) {
    std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> url(curl_url(), curl_url_cleanup);
    char* host = nullptr;
    char* port = nullptr;
    std::string text = address;
    if (url && curl_url_set(url.get(), CURLUPART_URL, address.c_str(), 0) == CURLUE_OK &&
        curl_url_get(url.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK &&
        curl_url_get(url.get(), CURLUPART_PORT, &port, CURLU_DEFAULT_PORT) == CURLUE_OK)
        text = std::string(host) + ":" + port;
    curl_free(host);
    curl_free(port);
    return text;
}

std::string Cause(CURLcode code, const std::string& address, long timeLimitSeconds) {
    switch (code) {
        case CURLE_COULDNT_CONNECT:
            return "cannot connect to " + HostAndPort(address);
        case CURLE_COULDNT_RESOLVE_HOST:
            return "cannot find the host of " + HostAndPort(address);
        case CURLE_OPERATION_TIMEDOUT:
            return "no complete answer within " + std::to_string(timeLimitSeconds) + " s";
        default:
            return curl_easy_strerror(code);
    }
}

struct Transfer {
    PageFetch* fetch;
    CURL* curl;
    PageTextBuilder builder;
};

}  // namespace

void FetchPages(std::vector<PageFetch>& fetches, long timeLimitSeconds) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    CURLM* multi = curl_multi_init();
    std::vector<std::unique_ptr<Transfer>> transfers;
    for (PageFetch& fetch : fetches) {
        auto transfer = std::make_unique<Transfer>(Transfer{&fetch, curl_easy_init(), {}});
        CURL* curl = transfer->curl;
        if (!multi || !curl) {
            fetch.error = "cannot start a request";
            if (curl) curl_easy_cleanup(curl);
            continue;
        }
        curl_easy_setopt(curl, CURLOPT_URL, fetch.address.c_str());
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "qivyun");
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, timeLimitSeconds);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, TakeBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer->builder);
        curl_easy_setopt(curl, CURLOPT_PRIVATE, transfer.get());
        curl_multi_add_handle(multi, curl);
        transfers.push_back(std::move(transfer));
    }

    int running = 0;
    do {
        curl_multi_perform(multi, &running);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg != CURLMSG_DONE) continue;
            Transfer* transfer = nullptr;
            curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, reinterpret_cast<char**>(&transfer));
            PageFetch& fetch = *transfer->fetch;
            long status = 0;
            curl_easy_getinfo(transfer->curl, CURLINFO_RESPONSE_CODE, &status);
            if (message->data.result != CURLE_OK) {
                fetch.error = Cause(message->data.result, fetch.address, timeLimitSeconds);
            } else if (status < 200 || status > 299) {
                fetch.error = "HTTP status " + std::to_string(status);
            } else {
                fetch.fetched = true;
                fetch.pageText = transfer->builder.Finish();
            }
        }
        if (running > 0) curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
    } while (running > 0);

    for (const auto& transfer : transfers) {
        curl_multi_remove_handle(multi, transfer->curl);
        curl_easy_cleanup(transfer->curl);
    }
    if (multi) curl_multi_cleanup(multi);
    curl_global_cleanup();
}

}  // namespace qivyun::tool
