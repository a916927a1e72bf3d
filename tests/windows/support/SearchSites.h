#pragma once
// The five search sites of the test world as the Windows tests read them: their request logs.
#include "Http.h"
#include "search/SearchEngine.h"

#include <sstream>
#include <string>
#include <vector>

namespace qivyun::test {

inline std::string Site(EngineId engine) { return std::string(EngineSettings(engine).baseAddress); }

inline void ResetRequestLogs() {
    for (EngineId engine : AllEngines) HttpRequest("POST", Site(engine) + "/world/requests/reset");
}

// The site's log: "GET TARGET USER-AGENT" per request.
inline std::vector<std::string> RequestsTo(EngineId engine) {
    std::istringstream lines(HttpRequest("GET", Site(engine) + "/world/requests"));
    std::vector<std::string> requests;
    for (std::string line; std::getline(lines, line);) requests.push_back(line);
    return requests;
}

// A log line of a request that the tests' program sent.
inline std::string Get(const std::string& target) { return "GET " + target + " player_tests"; }

}  // namespace qivyun::test
