#pragma once
// The worker of one search engine: fetches one result page and inserts its rows at the top of
// the result list.
#include "framework/UiGate.h"
#include "search/SearchEngine.h"
#include "search/SearchShared.h"

#include <memory>

namespace qivyun {

struct SearchWorkerContext {
    const SearchEngine* engine;
    SearchRequest request;
    std::shared_ptr<SearchShared> shared;
    // The main window's gate; every step on the list runs through it.
    std::shared_ptr<UiGate> gate;
    // The result list; used only inside steps that the gate runs, while the window exists.
    HWND resultList;
};

// 1 when the page was fetched and scanned (possibly without rows), 0 when no page came: the
// address was refused, the request failed, or the window went away during the insertion.
unsigned SearchWorker(const SearchWorkerContext& context);

}  // namespace qivyun
