#include "search/SearchSession.h"

#include "framework/SystemCalls.h"
#include "search/SearchWorker.h"
#include "shell/MainDialog.h"
#include "shell/ResourceIds.h"

namespace qivyun {
namespace {

constexpr char WaitingText[] = "\r\n\r\n   搜索速度快慢取决于你的网络状态\r\n\r\n   正在搜索中，请你稍后.......";
constexpr char EmptyKeywordText[] = "请输入要搜索的关键词！";
constexpr char EmptyKeywordCaption[] = "搜索提示";
constexpr char EcvText[] = "本搜索引擎涉及违禁的血腥暴力色情资源太多！暂时关闭";
constexpr char EcvCaption[] = "Qiv云播盒子友情提示";
constexpr char SearchingText[] = "正在搜索资源.....";
constexpr char LoadingMoreText[] = "正在加载更多资源......";
constexpr char NothingFoundText[] = "搜索已完成！    本次搜索结果：0 个     本页展示：0 个";

// The keyword box holds at most 1023 bytes of text.
constexpr int KeywordLimit = 1024;

}  // namespace

bool SearchSession::ReadKeyword() {
    keyword = window.ItemText(IDC_KEYWORD, KeywordLimit);
    if (!keyword.empty()) return true;
    ShowMessageBox(window.Handle(), EmptyKeywordText, EmptyKeywordCaption, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void SearchSession::SetPageNumber(int number) {
    pageNumber = number;
    pageText = std::to_string(number);
}

void SearchSession::OnSearch() {
    window.ShowItem(IDC_PLAY_ADDRESS, false);
    window.ShowItem(IDC_PLAY, false);
    if (!ReadKeyword()) return;
    window.UpdateData(true);
    shared->rowCounter.store(0);
    SetPageNumber(1);
    window.UpdateData(false);
    window.resultList.DeleteAllRows();
    shared->requestStarted.store(false);
    window.ShowWaitingPopup(WaitingText);
    StartWorkers(Slot::Search);
    window.SetTimer(NextPageTimer, 500);
    window.SetTimer(CompletionTimer, 1000);
    window.statusText = SearchingText;
    window.UpdateData(false);
}

void SearchSession::LoadNextPage() {
    window.UpdateData(true);
    SetPageNumber(pageNumber + 1);
    window.UpdateData(false);
    StartWorkers(Slot::NextPage);
}

void SearchSession::OnLoadMore() {
    // Until a search has reached its second page there is nothing to continue.
    if (pageNumber <= 1) return;
    window.UpdateData(true);
    SetPageNumber(pageNumber + 1);
    window.UpdateData(false);
    // The page stays advanced when the box is empty, so the next load-more skips a page.
    if (!ReadKeyword()) return;
    window.ShowWaitingPopup(WaitingText);
    StartWorkers(Slot::Search);
    window.SetTimer(CompletionTimer, 1000);
    window.statusText = LoadingMoreText;
    window.UpdateData(false);
}

void SearchSession::OnTimer(UINT_PTR timerId) {
    if (timerId == NextPageTimer) {
        if (shared->requestStarted.load()) {
            LoadNextPage();
            window.KillTimer(NextPageTimer);
        }
    } else if (timerId == CompletionTimer) {
        if (searchWorker.IsRunning() || nextPageWorker.IsRunning()) return;
        ReportCompletion();
    }
}

void SearchSession::ReportCompletion() {
    window.waitingPopup.Destroy();
    window.KillTimer(CompletionTimer);
    searchWorker.Release();
    nextPageWorker.Release();
    const int rows = window.resultList.RowCount();
    if (rows == 0) {
        window.statusText = NothingFoundText;
    } else {
        window.statusText = "搜索已完成！    本次搜索结果：" + shared->totalText.Get() + " 个" + "     本页展示：" +
                            std::to_string(rows) + " 个";
    }
    window.UpdateData(false);
}

void SearchSession::StartWorkers(Slot slot) {
    WorkerThread& worker = slot == Slot::Search ? searchWorker : nextPageWorker;
    for (EngineId engine : AllEngines) {
        if (!window.EngineEnabled(engine)) continue;
        SearchWorkerContext context{&EngineSettings(engine), SearchRequest{keyword, pageText}, shared, window.Gate(),
                                    window.resultList.Handle()};
        worker.Start([context = std::move(context)] { return SearchWorker(context); });
    }
}

void SearchSession::OnEngineEcv() {
    CheckDlgButton(window.Handle(), IDC_ENGINE_ECV, BST_UNCHECKED);
    ShowMessageBox(window.Handle(), EcvText, EcvCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace qivyun
