// The search session on a window of the tests' own, against the test world: the session needs
// nothing of the main window beyond what its window interface names. Also the worker on its own
// and the page fetch.
#include "search/SearchSession.h"

#include "../support/Pump.h"
#include "../support/SearchSites.h"
#include "../support/SystemCallRecorder.h"
#include "BuildConfig.h"
#include "controls/WaitingPopupIds.h"
#include "framework/Dialog.h"
#include "search/FetchPageText.h"
#include "search/SearchWorker.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qivyun {
namespace {

using test::Get;
using test::RequestsTo;
using test::ResetRequestLogs;
using test::Site;

// A plain dialog with a result list of four columns; it records what the session asks of it and
// leaves the timers to the test, which delivers their messages itself.
class SessionWindow : public DialogImpl<SessionWindow>, public SearchWindow {
public:
    SessionWindow() : DialogImpl(IDD_WAITING_POPUP) {}
    static const MessageMap<SessionWindow> messages;

    void ReadControls() override { ++reads; }
    void WriteControls() override { ++writes; }
    std::wstring KeywordText() const override { return keyword; }
    int EngineEnabled(EngineId engine) const override { return engine == enabledEngine ? 1 : 0; }
    const ListView& ResultList() const override { return list; }
    void ShowSearchStatus(const std::string& text) override { statuses.push_back(text); }
    void ShowWaitingPopup(const char* text) override { asked.push_back(std::string("popup ") + text); }
    void CloseWaitingPopup() override { asked.push_back("popup closed"); }
    void StartTimer(UINT_PTR id, UINT periodMs) override {
        asked.push_back("timer " + std::to_string(id) + " every " + std::to_string(periodMs));
    }
    void StopTimer(UINT_PTR id) override { asked.push_back("timer " + std::to_string(id) + " stopped"); }
    std::shared_ptr<UiGate> Gate() const override { return Dialog::Gate(); }
    HWND MessageOwner() const override { return Handle(); }

    std::wstring keyword;
    EngineId enabledEngine = EngineId::Ed2k4U;
    int reads = 0;
    int writes = 0;
    std::vector<std::string> statuses;
    std::vector<std::string> asked;

protected:
    bool OnInitDialog() override {
        Dialog::OnInitDialog();
        list.Attach(CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 400, 200, Handle(), nullptr,
                                    ModuleInstance(), nullptr));
        for (int column = 0; column < 4; ++column) list.InsertColumn(column, "", 50);
        return true;
    }

private:
    ListView list;
};
const MessageMap<SessionWindow> SessionWindow::messages = {};

class SearchSessionTest : public testing::Test {
protected:
    void SetUp() override {
        ResetRequestLogs();
        ASSERT_TRUE(window.Create(nullptr));
    }

    // Delivers timer 2 every 100 ms, as the window would, until the session reports completion.
    bool CompleteByTimer(size_t statusesBefore) {
        return test::PumpUntil(
            [&] {
                session.OnTimer(SearchSession::CompletionTimer);
                test::PumpFor(100);
                return window.statuses.size() > statusesBefore;
            },
            15000);
    }

    test::SystemCallRecorder calls;
    SessionWindow window;
    SearchSession session{window};
};

constexpr char WaitingText[] = "\r\n\r\n   搜索速度快慢取决于你的网络状态\r\n\r\n   正在搜索中，请你稍后.......";

TEST_F(SearchSessionTest, TimerOneStartsTheSecondPageAndTimerTwoReportsOnceEveryWorkerHasEnded) {
    window.ResultList().InsertRow(0, "");
    window.keyword = L"slow";  // the site answers after three seconds
    session.OnSearch();
    EXPECT_EQ(window.ResultList().RowCount(), 0);
    EXPECT_EQ(window.asked, (std::vector<std::string>{std::string("popup ") + WaitingText, "timer 1 every 500",
                                                      "timer 2 every 1000"}));
    EXPECT_EQ(window.statuses, std::vector<std::string>{"正在搜索资源....."});
    EXPECT_EQ(window.reads, 1);

    // While the first page's worker waits for its site, timer 2 finds the search running.
    ASSERT_TRUE(test::PumpUntil([&] { return session.Shared()->requestStarted.load(); }));
    session.OnTimer(SearchSession::CompletionTimer);
    session.OnTimer(SearchSession::NextPageTimer);
    EXPECT_EQ(session.PageNumber(), 2);
    EXPECT_EQ(window.asked.back(), "timer 1 stopped");
    EXPECT_EQ(window.statuses.size(), 1u);

    ASSERT_TRUE(CompleteByTimer(1));
    EXPECT_EQ(window.statuses.back(), "搜索已完成！    本次搜索结果：23 个     本页展示：20 个");
    EXPECT_EQ(std::vector<std::string>(window.asked.end() - 2, window.asked.end()),
              (std::vector<std::string>{"popup closed", "timer 2 stopped"}));
    EXPECT_EQ(window.ResultList().RowCount(), 20);
    EXPECT_EQ(RequestsTo(EngineId::Ed2k4U),
              (std::vector<std::string>{Get("//search/slow?page=1&mode=thumb"), Get("//search/slow?page=2&mode=thumb")}));

    // Load-more fetches exactly one page: it starts timer 2 alone.
    window.asked.clear();
    window.keyword = L"empty";
    session.OnLoadMore();
    EXPECT_EQ(window.asked, (std::vector<std::string>{std::string("popup ") + WaitingText, "timer 2 every 1000"}));
    EXPECT_EQ(window.statuses.back(), "正在加载更多资源......");
    ASSERT_TRUE(CompleteByTimer(window.statuses.size()));
    EXPECT_EQ(window.statuses.back(), "搜索已完成！    本次搜索结果：0 个     本页展示：20 个");
    EXPECT_EQ(RequestsTo(EngineId::Ed2k4U).back(), Get("//search/empty?page=3&mode=thumb"));
    EXPECT_TRUE(calls.messageBoxes.empty());
}

// The worker on its own, on this thread (its steps on the list then run directly).
TEST_F(SearchSessionTest, WorkerThatGetsNoPageChangesNothingButTheStartedFlag) {
    window.ResultList().InsertRow(0, "");
    const std::string closedPort = "http://127.0.0.1:" + std::to_string(config::WorldPortBase + 99);
    const std::string tooLong = Site(EngineId::Ed2k4U) + "/" + std::string(1100, 'a');
    struct Case {
        const char* what;
        std::string base;
        const char* keyword;
        bool requested;
    } cases[] = {
        {"status 404", Site(EngineId::Ed2k4U), "notfound", true},
        {"unreachable site", closedPort, "x", false},
        {"malformed address", "no scheme", "x", false},
        {"address too long even without keyword", tooLong, "x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetRequestLogs();
        SearchEngine engine = EngineSettings(EngineId::Ed2k4U);
        engine.baseAddress = c.base;
        auto shared = std::make_shared<SearchShared>();
        shared->totalText.Set("7");
        shared->rowCounter.store(4);
        SearchWorkerContext context{&engine, SearchRequest{c.keyword, "1"}, shared, window.Gate(),
                                    window.ResultList().Handle()};
        EXPECT_EQ(SearchWorker(context), 0u);
        EXPECT_TRUE(shared->requestStarted.load());
        EXPECT_EQ(shared->totalText.Get(), "7");
        EXPECT_EQ(shared->rowCounter.load(), 4);
        EXPECT_EQ(window.ResultList().RowCount(), 1);
        EXPECT_EQ(RequestsTo(EngineId::Ed2k4U).size(), c.requested ? 1u : 0u);
    }
}

TEST(FetchPageTextTest, ReadsTheBodyAsGbkLinesOrFailsWithoutAPage) {
    const std::string site = Site(EngineId::Ed2k4U);
    ResetRequestLogs();
    // An empty body is an empty page.
    std::optional<std::string> empty = FetchPageText(site + "/world/requests");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, "");

    std::optional<std::string> hostile = FetchPageText(site + "//search/hostile?page=1&mode=thumb");
    ASSERT_TRUE(hostile.has_value());
    EXPECT_EQ(hostile->find('\n'), std::string::npos);  // line feeds dropped
    EXPECT_NE(hostile->find("</title></head>\r<body>\r"), std::string::npos);  // carriage returns kept
    EXPECT_NE(hostile->find("结果总数 23</td>"), std::string::npos);          // GBK
    EXPECT_NE(hostile->find("第1部 高清 ?"), std::string::npos);              // no GBK form: "?"
    EXPECT_EQ(RequestsTo(EngineId::Ed2k4U), std::vector<std::string>{Get("//search/hostile?page=1&mode=thumb")});

    for (const std::string& address : {site + "//search/notfound?page=1&mode=thumb",
                                      "http://127.0.0.1:" + std::to_string(config::WorldPortBase + 99) + "/",
                                      std::string("nothing like an address")}) {
        SCOPED_TRACE(address);
        EXPECT_FALSE(FetchPageText(address).has_value());
    }
    EXPECT_EQ(AgentName(), "player_tests");
}

}  // namespace
}  // namespace qivyun
