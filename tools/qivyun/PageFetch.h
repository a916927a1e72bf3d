#pragma once
// Result pages fetched as the window fetches them (GET, redirections followed, a status of 200-299
// or failure, the body turned into page text), several at once, each within its own time limit.
#include <string>
#include <vector>

namespace qivyun::tool {

struct PageFetch {
    std::string address;  // in: the request address
    bool fetched = false;
    std::string pageText;  // GBK, when fetched
    std::string error;     // one line naming the cause, when not fetched
};

// Runs every fetch in parallel and returns when each has ended or run out of its time limit.
void FetchPages(std::vector<PageFetch>& fetches, long timeLimitSeconds);

}  // namespace qivyun::tool
