// The search in the main window against the test world: real WinINet requests, real workers,
// rows in the real list, the status line and the waiting popup.
#include "shell/MainDialog.h"

#include "../support/Pump.h"
#include "../support/SearchSites.h"
#include "../support/SystemCallRecorder.h"
#include "../support/WindowCapture.h"
#include "shell/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace qivyun {
namespace {

constexpr char Keyword[] = "电影 a";
constexpr char EncodedKeyword[] = "%E7%94%B5%E5%BD%B1+a";
constexpr char WaitingText[] = "\r\n\r\n   搜索速度快慢取决于你的网络状态\r\n\r\n   正在搜索中，请你稍后.......";
constexpr char NothingFound[] = "搜索已完成！    本次搜索结果：0 个     本页展示：0 个";
constexpr char Completed[] = "搜索已完成！";

using test::Get;
using test::RequestsTo;
using test::ResetRequestLogs;
using test::Site;

std::string Repeat(const std::string& text, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i) out += text;
    return out;
}

struct Row {
    int position;
    int id;
    int number;  // the result's number on the site: "第N部"
    std::string name, size, address;
};

class SearchPanelTest : public testing::Test {
protected:
    void SetUp() override {
        ResetRequestLogs();
        dialog = std::make_unique<MainDialog>(
            StartupCheckSettings{"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "qivyun-search-test.ini", "", ""});
        ASSERT_TRUE(dialog->Create(nullptr));
        ASSERT_TRUE(test::PumpUntil([&] { return dialog->IsVisible(); }));
    }

    void Click(int id) {
        SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog->Item(id)));
    }
    void Type(const std::string& keyword) { dialog->SetItemText(IDC_KEYWORD, keyword.c_str()); }
    std::string Status() const { return dialog->ItemText(IDC_SEARCH_STATUS); }
    bool WaitForCompletion(DWORD timeoutMs = 15000) {
        return test::PumpUntil([&] { return Status().rfind(Completed, 0) == 0; }, timeoutMs);
    }
    void Search(const std::string& keyword) {
        Type(keyword);
        Click(IDC_SEARCH);
        ASSERT_TRUE(WaitForCompletion()) << Status();
    }

    std::vector<Row> Rows() const {
        const ListView& list = dialog->SearchPanel().ResultList();
        std::vector<Row> rows;
        for (int i = 0; i < list.RowCount(); ++i) {
            Row row{i, std::atoi(list.CellText(i, 0).c_str()), 0, list.CellText(i, 1), list.CellText(i, 2),
                    list.CellText(i, 3)};
            const size_t mark = row.name.find("第");
            if (mark != std::string::npos) row.number = std::atoi(row.name.c_str() + mark + 2);
            rows.push_back(row);
        }
        return rows;
    }

    test::SystemCallRecorder calls;
    std::unique_ptr<MainDialog> dialog;
};

struct EngineCase {
    EngineId engine;
    int checkBox;
    const char* screenshot;
    std::string (*target)(int page);
    const char* total;
    bool sizeUnknown;
    const char* addressPrefix;
    size_t addressLength;  // 0: an ed2k link, checked by its parts
};

const EngineCase engineCases[] = {
    {EngineId::Ed2k4U, IDC_ENGINE_ED2K4U, "search-ed2k4u.png",
     [](int page) { return "//search/" + std::string(EncodedKeyword) + "?page=" + std::to_string(page) + "&mode=thumb"; },
     "23", false, "ed2k://|file|", 0},
    {EngineId::H31B, IDC_ENGINE_H31B, "search-h31b.png",
     [](int page) { return "/bt.aspx?page=" + std::to_string(page) + "&key=" + EncodedKeyword; },
     "23 ", true, "magnet:?xt=urn:btih:", 60},
    {EngineId::DHCT, IDC_ENGINE_DHCT, "search-dhct.png",
     [](int page) { return "/?s=" + std::string(EncodedKeyword) + "&p=" + std::to_string(page); },
     "不支持获取", false, "magnet:?xt=urn:btih:", 60},
    {EngineId::FuSo, IDC_ENGINE_FUSO, "search-fuso.png",
     [](int page) { return "/?keyword=" + std::string(EncodedKeyword) + "&page=" + std::to_string(page); },
     "23", false, "magnet:?xt=urn:btih:", 60},
    {EngineId::Hash, IDC_ENGINE_HASH, "search-hash.png",
     [](int page) { return "/search/" + std::string(EncodedKeyword) + "/currentPage/" + std::to_string(page); },
     "未知", false, "", 40},
};

TEST_F(SearchPanelTest, EachEngineFillsTheListWithPagesOneAndTwo) {
    for (const EngineCase& c : engineCases) {
        SCOPED_TRACE(EngineSettings(c.engine).name);
        ResetRequestLogs();
        Click(c.checkBox);
        ASSERT_EQ(dialog->SearchPanel().EngineEnabled(c.engine), 1);
        Search(Keyword);

        EXPECT_EQ(Status(), std::string("搜索已完成！    本次搜索结果：") + c.total + " 个     本页展示：20 个");
        EXPECT_EQ(RequestsTo(c.engine), (std::vector<std::string>{Get(c.target(1)), Get(c.target(2))}));
        EXPECT_EQ(dialog->SearchPanel().Session().PageNumber(), 2);
        EXPECT_FALSE(dialog->SearchPanel().Popup().Exists());

        // The new search deleted the rows before it (the empty first row, the last engine's).
        std::vector<Row> rows = Rows();
        ASSERT_EQ(rows.size(), 20u);
        std::set<int> ids, numbers;
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            ids.insert(row.id);
            numbers.insert(row.number);
            EXPECT_EQ(row.name, "【双击点播】电影 a 第" + std::to_string(row.number) + "部 高清");
            if (c.sizeUnknown) {
                EXPECT_EQ(row.size, "未知");
            } else {
                EXPECT_EQ(row.size.size(), 7u);
                EXPECT_EQ(row.size.substr(4), " GB");
            }
            EXPECT_EQ(row.address.rfind(c.addressPrefix, 0), 0u);
            if (c.addressLength) {
                EXPECT_EQ(row.address.size(), c.addressLength);
            } else {
                EXPECT_NE(row.address.find("|file|电影 a 第" + std::to_string(row.number) + "部 高清.mkv|"), std::string::npos);
                EXPECT_EQ(row.address.substr(row.address.size() - 2), "|/");
            }
        }
        EXPECT_EQ(ids, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
        EXPECT_EQ(numbers, ids);
        // Each page's rows: the later a record stands on its page, the higher it stands in the list
        // and the larger its ID (the two pages' rows may interleave).
        for (const Row& a : rows)
            for (const Row& b : rows)
                if ((a.number - 1) / 10 == (b.number - 1) / 10 && a.number < b.number) {
                    EXPECT_GT(a.position, b.position) << a.number << " " << b.number;
                    EXPECT_LT(a.id, b.id) << a.number << " " << b.number;
                }
        test::PumpFor(300);  // the area the popup covered is painted again
        test::SaveWindowPng(dialog->Handle(), test::ScreensFolder() + "/" + c.screenshot);
    }
}

TEST_F(SearchPanelTest, WhileSearchingThePopupShowsTheWaitingTextAndCompletionDestroysIt) {
    dialog->ShowItem(IDC_PLAY_ADDRESS, true);
    dialog->ShowItem(IDC_PLAY, true);
    Type("slow");
    Click(IDC_SEARCH);

    EXPECT_EQ(Status(), "正在搜索资源.....");
    EXPECT_FALSE(IsWindowVisible(dialog->Item(IDC_PLAY_ADDRESS)));
    EXPECT_FALSE(IsWindowVisible(dialog->Item(IDC_PLAY)));
    WaitingPopup& popup = dialog->SearchPanel().Popup();
    ASSERT_TRUE(popup.Exists());
    EXPECT_TRUE(popup.IsVisible());
    EXPECT_EQ(GetWindow(popup.Handle(), GW_OWNER), dialog->Handle());
    RECT place = popup.WindowRect();
    EXPECT_EQ(place.left, 360);
    EXPECT_EQ(place.top, 295);
    EXPECT_EQ(place.right - place.left, 319);
    EXPECT_EQ(place.bottom - place.top, 72);
    EXPECT_EQ(popup.ItemText(IDC_POPUP_MESSAGE), WaitingText);
    RECT text;
    GetWindowRect(popup.Item(IDC_POPUP_MESSAGE), &text);
    MapWindowPoints(nullptr, popup.Handle(), reinterpret_cast<POINT*>(&text), 2);
    EXPECT_EQ(text.left, 100);
    EXPECT_LE(text.top, 0);  // at the top, or higher where the face's lines are tall (the popup's tests)
    EXPECT_EQ(text.right - text.left, 300);
    EXPECT_EQ(text.bottom - text.top, 200);
    test::PumpFor(200);
    test::SaveWindowPng(popup.Handle(), test::ScreensFolder() + "/waiting-popup.png");

    ASSERT_TRUE(WaitForCompletion());
    EXPECT_FALSE(popup.Exists());
    EXPECT_EQ(Rows().size(), 20u);
}

TEST_F(SearchPanelTest, EmptyKeywordBoxIsRefusedAndNothingElseChanges) {
    Type("");
    Click(IDC_SEARCH);
    test::PumpFor(700);
    ASSERT_EQ(calls.messageBoxes.size(), 1u);
    EXPECT_EQ(calls.messageBoxes[0].text, "请输入要搜索的关键词！");
    EXPECT_EQ(calls.messageBoxes[0].caption, "搜索提示");
    EXPECT_EQ(calls.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(dialog->SearchPanel().ResultList().RowCount(), 1);
    EXPECT_FALSE(dialog->SearchPanel().Popup().Exists());
    EXPECT_EQ(dialog->SearchPanel().Session().PageNumber(), 0);
    EXPECT_TRUE(RequestsTo(EngineId::Ed2k4U).empty());
}

// What the user types is read as UTF-16: a keyword GBK holds is searched in GBK whatever the system's
// code page; one with a character that GBK cannot hold is refused in the status line and asks no site.
TEST_F(SearchPanelTest, AKeywordThatGbkCannotHoldIsRefusedWithoutARequest) {
    for (const wchar_t* typed : {L"Zo\u00EB", L"\uD55C\uAD6D \uC601\uD654", L"\u00C0 bout de souffle", L"\U0001F3AC"}) {
        SetWindowTextW(dialog->Item(IDC_KEYWORD), typed);
        Click(IDC_SEARCH);
        test::PumpFor(300);
        EXPECT_EQ(Status(), UnsearchableKeywordText);
        EXPECT_FALSE(dialog->SearchPanel().Popup().Exists());
        EXPECT_EQ(dialog->SearchPanel().ResultList().RowCount(), 1);
    }
    EXPECT_TRUE(RequestsTo(EngineId::Ed2k4U).empty());
    EXPECT_TRUE(calls.messageBoxes.empty());

    SetWindowTextW(dialog->Item(IDC_KEYWORD), L"\u7535\u5F71 a");
    Click(IDC_SEARCH);
    ASSERT_TRUE(WaitForCompletion());
    EXPECT_EQ(RequestsTo(EngineId::Ed2k4U).front(), Get("//search/" + std::string(EncodedKeyword) + "?page=1&mode=thumb"));
}

TEST_F(SearchPanelTest, LoadMoreBeforeTheSecondPageHasStartedDoesNothing) {
    Click(IDC_LOAD_MORE);  // before any search
    test::PumpFor(700);
    EXPECT_TRUE(calls.messageBoxes.empty());
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(dialog->SearchPanel().ResultList().RowCount(), 1);
    EXPECT_FALSE(dialog->SearchPanel().Popup().Exists());
    EXPECT_TRUE(RequestsTo(EngineId::Ed2k4U).empty());

    Type(Keyword);
    Click(IDC_SEARCH);
    Click(IDC_LOAD_MORE);  // the search has not reached its second page yet
    EXPECT_EQ(dialog->SearchPanel().Session().PageNumber(), 1);
    EXPECT_EQ(Status(), "正在搜索资源.....");
    ASSERT_TRUE(WaitForCompletion());
    EXPECT_EQ(RequestsTo(EngineId::Ed2k4U).size(), 2u);
}

TEST_F(SearchPanelTest, LoadMoreKeepsTheListAndContinuesTheIds) {
    Search(Keyword);
    ResetRequestLogs();
    Click(IDC_LOAD_MORE);
    EXPECT_EQ(Status(), "正在加载更多资源......");
    EXPECT_TRUE(dialog->SearchPanel().Popup().Exists());
    ASSERT_TRUE(WaitForCompletion());

    EXPECT_EQ(Status(), "搜索已完成！    本次搜索结果：23 个     本页展示：23 个");
    EXPECT_EQ(RequestsTo(EngineId::Ed2k4U),
              std::vector<std::string>{Get("//search/" + std::string(EncodedKeyword) + "?page=3&mode=thumb")});
    std::vector<Row> rows = Rows();
    ASSERT_EQ(rows.size(), 23u);
    // Page 3 holds results 21 to 23; its last record stands at the top.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].id, 23 - i);
        EXPECT_EQ(rows[i].number, 23 - i);
    }
}

TEST_F(SearchPanelTest, LoadMoreWithAnEmptyBoxShowsTheMessageAndStillAdvancesThePage) {
    Search(Keyword);
    ResetRequestLogs();
    Type("");
    Click(IDC_LOAD_MORE);
    ASSERT_EQ(calls.messageBoxes.size(), 1u);
    EXPECT_EQ(calls.messageBoxes[0].text, "请输入要搜索的关键词！");
    EXPECT_EQ(calls.messageBoxes[0].caption, "搜索提示");
    EXPECT_EQ(dialog->SearchPanel().Session().PageNumber(), 3);
    EXPECT_FALSE(dialog->SearchPanel().Popup().Exists());

    // The next load-more searches what the box holds now, one page further on.
    Type("empty");
    Click(IDC_LOAD_MORE);
    ASSERT_TRUE(WaitForCompletion());
    EXPECT_EQ(RequestsTo(EngineId::Ed2k4U), std::vector<std::string>{Get("//search/empty?page=4&mode=thumb")});
    // The site reported no total for that page: the completion shows what it said, beside all rows kept.
    EXPECT_EQ(Status(), "搜索已完成！    本次搜索结果：0 个     本页展示：20 个");
    EXPECT_EQ(Rows().size(), 20u);
}

TEST_F(SearchPanelTest, SearchesThatFindNothingCompleteWithoutRows) {
    for (const char* keyword : {"notfound", "empty"}) {
        SCOPED_TRACE(keyword);
        ResetRequestLogs();
        Search(keyword);
        EXPECT_EQ(Status(), NothingFound);
        EXPECT_EQ(dialog->SearchPanel().ResultList().RowCount(), 0);
        EXPECT_EQ(RequestsTo(EngineId::Ed2k4U),
                  (std::vector<std::string>{Get("//search/" + std::string(keyword) + "?page=1&mode=thumb"),
                                            Get("//search/" + std::string(keyword) + "?page=2&mode=thumb")}));
    }
}

TEST_F(SearchPanelTest, AKeywordTooLongForTheAddressIsSearchedShortenedByWholeCharacters) {
    // 600 characters: the address takes fewer.
    Search(Repeat("电", 600));
    const std::string base = Site(EngineId::Ed2k4U);
    const size_t fixed = base.size() + std::string("//search/?page=1&mode=thumb").size();
    const size_t fitting = (1023 - fixed) / 9;  // each character is nine bytes once encoded
    const std::string keywordPart = "//search/" + Repeat("%E7%94%B5", fitting);
    std::vector<std::string> requests = RequestsTo(EngineId::Ed2k4U);
    EXPECT_EQ(requests, (std::vector<std::string>{Get(keywordPart + "?page=1&mode=thumb"),
                                                  Get(keywordPart + "?page=2&mode=thumb")}));
    EXPECT_LE(base.size() + keywordPart.size() + std::string("?page=1&mode=thumb").size(), 1023u);
    std::vector<Row> rows = Rows();
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows[0].name.rfind("【双击点播】" + Repeat("电", fitting) + " 第", 0), 0u);
}

TEST_F(SearchPanelTest, EcvBoxStaysUncheckedAndTheEngineChoiceStays) {
    Click(IDC_ENGINE_FUSO);
    CheckDlgButton(dialog->Handle(), IDC_ENGINE_ECV, BST_CHECKED);  // as the automatic box does on a click
    Click(IDC_ENGINE_ECV);
    EXPECT_EQ(IsDlgButtonChecked(dialog->Handle(), IDC_ENGINE_ECV), static_cast<UINT>(BST_UNCHECKED));
    ASSERT_EQ(calls.messageBoxes.size(), 1u);
    EXPECT_EQ(calls.messageBoxes[0].text, "本搜索引擎涉及违禁的血腥暴力色情资源太多！暂时关闭");
    EXPECT_EQ(calls.messageBoxes[0].caption, "Qiv云播盒子友情提示");
    EXPECT_EQ(calls.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    for (EngineId engine : AllEngines) EXPECT_EQ(dialog->SearchPanel().EngineEnabled(engine), engine == EngineId::FuSo ? 1 : 0);
}

TEST_F(SearchPanelTest, ClosingTheWindowDuringASearchLeavesTheWorkersNothingToTouch) {
    Type("slow");
    Click(IDC_SEARCH);
    std::shared_ptr<SearchShared> shared = dialog->SearchPanel().Session().Shared();
    ASSERT_TRUE(test::PumpUntil([&] { return shared->requestStarted.load(); }));
    test::PumpFor(600);  // the second page's worker starts too
    const HWND list = dialog->SearchPanel().ResultList().Handle();
    dialog.reset();
    EXPECT_FALSE(IsWindow(list));

    // Both workers get their pages, find the window gone and end, dropping their share.
    ASSERT_TRUE(test::PumpUntil([&] { return shared.use_count() == 1; }, 10000));
    EXPECT_EQ(RequestsTo(EngineId::Ed2k4U), (std::vector<std::string>{Get("//search/slow?page=1&mode=thumb"),
                                                                      Get("//search/slow?page=2&mode=thumb")}));
    // The closed window refused the first step of each, so no row was counted.
    EXPECT_EQ(shared->rowCounter.load(), 0);
}

}  // namespace
}  // namespace qivyun
