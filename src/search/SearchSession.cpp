#include "search/SearchSession.h"

#include "common/CodePage.h"
#include "framework/SystemCalls.h"
#include "search/SearchWorker.h"

namespace qivyun {
namespace {

constexpr char WaitingText[] = "\r\n\r\n   搜索速度快慢取决于你的网络状态\r\n\r\n   正在搜索中，请你稍后.......";
constexpr char EmptyKeywordText[] = "请输入要搜索的关键词！";
constexpr char EmptyKeywordCaption[] = "搜索提示";
constexpr char SearchingText[] = "正在搜索资源.....";
constexpr char LoadingMoreText[] = "正在加载更多资源......";
constexpr char NothingFoundText[] = "搜索已完成！    本次搜索结果：0 个     本页展示：0 个";

}  // namespace

// The sites take the keyword in GBK: a character that GBK cannot hold would be searched for as "?",
// so such a keyword is refused with a word in the status line and asks nothing of the sites.
bool SearchSession::ReadKeyword() {
    bool lossless = true;
    std::string typed = GbkFromWide(window.KeywordText(), &lossless);
    if (!lossless) {
        window.ShowSearchStatus(UnsearchableKeywordText);
        return false;
    }
    keyword = std::move(typed);
    if (!keyword.empty()) return true;
    ShowMessageBox(window.MessageOwner(), EmptyKeywordText, EmptyKeywordCaption, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void SearchSession::SetPageNumber(int number) {
    pageNumber = number;
    pageText = std::to_string(number);
}

void SearchSession::OnSearch() {
    if (!ReadKeyword()) return;
    window.ReadControls();
    shared->rowCounter.store(0);
    SetPageNumber(1);
    window.WriteControls();
    window.ResultList().DeleteAllRows();
    shared->requestStarted.store(false);
    window.ShowWaitingPopup(WaitingText);
    StartWorkers(Slot::Search);
    window.StartTimer(NextPageTimer, 500);
    window.StartTimer(CompletionTimer, 1000);
    window.ShowSearchStatus(SearchingText);
}

void SearchSession::LoadNextPage() {
    window.ReadControls();
    SetPageNumber(pageNumber + 1);
    window.WriteControls();
    StartWorkers(Slot::NextPage);
}

void SearchSession::OnLoadMore() {
    // Until a search has reached its second page there is nothing to continue.
    if (pageNumber <= 1) return;
    window.ReadControls();
    SetPageNumber(pageNumber + 1);
    window.WriteControls();
    // The page stays advanced when the box is empty, so the next load-more skips a page.
    if (!ReadKeyword()) return;
    window.ShowWaitingPopup(WaitingText);
    StartWorkers(Slot::Search);
    window.StartTimer(CompletionTimer, 1000);
    window.ShowSearchStatus(LoadingMoreText);
}

void SearchSession::OnTimer(UINT_PTR timerId) {
    if (timerId == NextPageTimer) {
        if (shared->requestStarted.load()) {
            LoadNextPage();
            window.StopTimer(NextPageTimer);
        }
    } else if (timerId == CompletionTimer) {
        if (searchWorker.IsRunning() || nextPageWorker.IsRunning()) return;
        ReportCompletion();
    }
}

void SearchSession::ReportCompletion() {
    window.CloseWaitingPopup();
    window.StopTimer(CompletionTimer);
    searchWorker.Release();
    nextPageWorker.Release();
    const int rows = window.ResultList().RowCount();
    if (rows == 0) {
        window.ShowSearchStatus(NothingFoundText);
    } else {
        window.ShowSearchStatus("搜索已完成！    本次搜索结果：" + shared->totalText.Get() + " 个" + "     本页展示：" +
                                std::to_string(rows) + " 个");
    }
}

void SearchSession::StartWorkers(Slot slot) {
    WorkerThread& worker = slot == Slot::Search ? searchWorker : nextPageWorker;
    for (EngineId engine : AllEngines) {
        if (!window.EngineEnabled(engine)) continue;
        SearchWorkerContext context{&EngineSettings(engine), SearchRequest{keyword, pageText}, shared, window.Gate(),
                                    window.ResultList().Handle()};
        worker.Start([context = std::move(context)] { return SearchWorker(context); });
    }
}

}  // namespace qivyun
