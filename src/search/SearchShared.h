#pragma once
// The part of the search state that the workers change: co-owned by the session and by every
// worker it started, so a worker that outlives the main window still has it.
#include "common/SharedText.h"

#include <atomic>
#include <string>

namespace qivyun {

struct SearchShared {
    // Raised by a worker once it has composed its request address; cleared by a new search.
    std::atomic<bool> requestStarted{false};
    // Rows added since the last new search; a new row takes the incremented value as its ID.
    std::atomic<int> rowCounter{0};
    // The total as the site reported it, or the engine's fixed text; replaced as a whole.
    SharedText totalText;
};

// What one worker asks for: its own copy of the keyword and the page text, taken when it is
// started, so a later change of the session's fields never reaches a request being composed.
struct SearchRequest {
    std::string keyword;
    std::string pageText;
};

}  // namespace qivyun
