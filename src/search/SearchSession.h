#pragma once
// The search session of the main window: turns a keyword into rows of the result list by
// starting one worker per enabled engine, watching them end and reporting.
#include "framework/WorkerThread.h"
#include "search/SearchShared.h"
#include "search/SearchWindow.h"

#include <memory>
#include <string>

namespace qivyun {

// The search status of a keyword with a character that GBK cannot hold.
inline constexpr char UnsearchableKeywordText[] = "关键词中有搜索网站无法识别的字符，请换用其他写法后再搜索";

class SearchSession {
public:
    explicit SearchSession(SearchWindow& window) : window(window) {}
    SearchSession(const SearchSession&) = delete;
    SearchSession& operator=(const SearchSession&) = delete;

    // Handlers, on the main window's thread.
    void OnSearch();
    void OnLoadMore();
    // Every timer of the window comes here; ids other than the two below are not the session's.
    void OnTimer(UINT_PTR timerId);

    int PageNumber() const { return pageNumber; }
    const std::string& PageText() const { return pageText; }
    const std::string& Keyword() const { return keyword; }
    // What the workers share with the session; they keep it alive as long as they run.
    const std::shared_ptr<SearchShared>& Shared() const { return shared; }

    static constexpr UINT_PTR NextPageTimer = 1;
    static constexpr UINT_PTR CompletionTimer = 2;

private:
    enum class Slot { Search, NextPage };

    void LoadNextPage();
    void StartWorkers(Slot slot);
    bool ReadKeyword();
    void SetPageNumber(int number);
    void ReportCompletion();

    SearchWindow& window;
    std::string keyword;
    int pageNumber = 0;
    std::string pageText = "1";
    std::shared_ptr<SearchShared> shared = std::make_shared<SearchShared>();
    WorkerThread searchWorker;
    WorkerThread nextPageWorker;
};

}  // namespace qivyun
