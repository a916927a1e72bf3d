#pragma once
// One result page over WinINet: a blocking GET on a worker thread, the body turned into GBK page
// text line by line.
#include <optional>
#include <string>

namespace qivyun {

// The page text, or nothing when the address cannot be opened, the status cannot be read, the
// status lies outside 200-299 or the body cannot be read to its end. An empty body is an empty page.
std::optional<std::string> FetchPageText(const std::string& address);

// The agent name the requests carry: the executable's file name (UTF-8) without its extension.
std::string AgentName();

}  // namespace qivyun
