#include "shell/MainDialog.h"

#include "../support/Http.h"
#include "../support/Pump.h"
#include "../support/SystemCallRecorder.h"
#include "../support/WindowCapture.h"
#include "BuildConfig.h"
#include "shell/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace qivyun {
namespace {

// scheme://host:port of a configured address.
std::string SiteOf(const std::string& address) { return address.substr(0, address.find('/', 7)); }
std::string PathOf(const std::string& address) { return address.substr(address.find('/', 7)); }

// The request targets a party of the test world has logged since its last reset.
std::vector<std::string> RequestTargets(const std::string& address) {
    std::istringstream lines(test::HttpRequest("GET", SiteOf(address) + "/world/requests"));
    std::vector<std::string> targets;
    for (std::string line; std::getline(lines, line);) {
        size_t start = line.find(' ') + 1;
        targets.push_back(line.substr(start, line.find(' ', start) - start));
    }
    return targets;
}

void ResetRequests(const std::string& address) { test::HttpRequest("POST", SiteOf(address) + "/world/requests/reset"); }

int CountOf(const std::vector<std::string>& targets, const std::string& target) {
    return static_cast<int>(std::count(targets.begin(), targets.end(), target));
}

// Mouse presses that reach the browser's window.
struct Presses {
    int right = 0;
    int rightUp = 0;
    int left = 0;
} pressesSeen;
WNDPROC originalProc = nullptr;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RBUTTONDOWN) ++pressesSeen.right;
    if (message == WM_RBUTTONUP) ++pressesSeen.rightUp;
    if (message == WM_LBUTTONDOWN) ++pressesSeen.left;
    return CallWindowProcA(originalProc, window, message, wParam, lParam);
}

class PlayTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* site : {config::MtkanPageAddress, config::KcplayPageAddress, config::LiveTvPageAddress,
                                 config::RadioPageAddress})
            ResetRequests(site);
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(test::PumpUntil([&] { return dialog.IsVisible(); }));
    }

    void Click(int id) {
        SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id)));
    }
    void ChooseEngine(PlayEngine engine) {
        SendMessageA(dialog.Item(engine == PlayEngine::Mtkan ? IDC_PLAY_ENGINE_MTKAN : IDC_PLAY_ENGINE_KCPLAY), BM_CLICK,
                     0, 0);
    }
    bool Visible(int id) const { return IsWindowVisible(dialog.Item(id)) != FALSE; }

    void PlayTyped(const std::string& address) {
        Click(IDC_PLAY_TAB);
        dialog.SetItemText(IDC_PLAY_ADDRESS, address.c_str());
        Click(IDC_PLAY);
    }
    // Adds a row and plays it as the context menu's "在线播放" does.
    void PlayRow(const std::string& name, const std::string& address) {
        const ListView& list = dialog.SearchPanel().ResultList();
        int row = list.InsertRow(0, "1");
        list.SetCellText(row, 1, name.c_str());
        list.SetCellText(row, 2, "1.00 GB");
        list.SetCellText(row, 3, address.c_str());
        ListView_SetSelectionMark(list.Handle(), row);
        SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(ID_LIST_PLAY, 0), 0);
    }

    // A window's rectangle in the client coordinates of another.
    static RECT RectIn(HWND window, HWND reference) {
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    test::SystemCallRecorder calls;
    MainDialog dialog{StartupCheckSettings{"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "qivyun-play-test.ini", "", ""}};
};

const std::string Magnet = "magnet:?xt=urn:btih:0123456789ABCDEF0123456789ABCDEF01234567&dn=Film&tr=udp://t.example:80#part2";
const std::string Ed2k = "ed2k://|file|Film.mkv|734003200|0123456789ABCDEF0123456789ABCDEF|/";
const std::string BareHash = "0123456789ABCDEF0123456789ABCDEF01234567";
const std::string Ed2kWithAmpersand = "ed2k://|file|Tom&Jerry.mkv|734003200|0123456789ABCDEF0123456789ABCDEF|/#part2";

TEST_F(PlayTest, EachSourceAndEngineRequestsTheServicePageWithTheAddressVerbatim) {
    const std::string mtkan = config::MtkanPageAddress;
    const std::string kcplay = config::KcplayPageAddress;
    const std::string listTail = "&pay=&id=vq38_1&title=vq38_1&name=vq38_1&scrolling=no&frameBorder=0";
    const std::string typedTail = std::string("&pay=&id=vq38_1&time=&skin=modieus&key=") + config::MtkanAccessKey;
    struct Case {
        PlayEngine engine;
        bool typed;
        std::string address;
        std::string request;  // what the pane navigates to
        // What the service's site is asked for: the fragment stays in the browser, which also
        // escapes "|" on the wire.
        std::string target;
    } cases[] = {
        // The test world's server refuses a target with a second "?", so the magnet cases check the
        // pane's address only.
        {PlayEngine::Mtkan, true, Magnet, mtkan + "?url=" + Magnet + typedTail, ""},
        {PlayEngine::Mtkan, false, Magnet, mtkan + "?url=" + Magnet + listTail, ""},
        {PlayEngine::Mtkan, true, Ed2kWithAmpersand, mtkan + "?url=" + Ed2kWithAmpersand + typedTail,
         PathOf(mtkan) + "?url=ed2k://%7Cfile%7CTom&Jerry.mkv%7C734003200%7C0123456789ABCDEF0123456789ABCDEF%7C/"},
        {PlayEngine::Mtkan, false, Ed2k, mtkan + "?url=" + Ed2k + listTail,
         PathOf(mtkan) + "?url=ed2k://%7Cfile%7CFilm.mkv%7C734003200%7C0123456789ABCDEF0123456789ABCDEF%7C/" + listTail},
        {PlayEngine::Mtkan, false, BareHash, mtkan + "?url=" + BareHash + listTail,
         PathOf(mtkan) + "?url=" + BareHash + listTail},
        {PlayEngine::Kcplay, true, Ed2k, kcplay + "#!u=" + Ed2k, "/"},
        {PlayEngine::Kcplay, false, Magnet, kcplay + "#!u=" + Magnet, "/"},
        {PlayEngine::Kcplay, false, BareHash, kcplay + "#!u=" + BareHash, "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        ResetRequests(mtkan);
        ResetRequests(kcplay);
        ChooseEngine(c.engine);
        if (c.typed)
            PlayTyped(c.address);
        else
            PlayRow("Film", c.address);
        ASSERT_TRUE(dialog.PlayPanel().PlayPane().Exists());
        EXPECT_EQ(dialog.PlayPanel().PlayPane().address, c.request);
        EXPECT_TRUE(calls.messageBoxes.empty());
        if (c.target.empty()) continue;
        const std::string site = c.engine == PlayEngine::Mtkan ? mtkan : kcplay;
        EXPECT_TRUE(test::PumpUntil([&] { return CountOf(RequestTargets(site), c.target) == 1; }, 10000))
            << testing::PrintToString(RequestTargets(site));
    }
}

TEST_F(PlayTest, TypedAddressesOtherThanEd2kOrMagnetAreRefusedWithTheMessage) {
    const std::pair<std::string, bool> cases[] = {
        {"", false},
        {"在此输入视频连接地址(thunder、http、ftp、ed2k、magnet、xplan、bt、Hash)", false},
        {"thunder://QUFodHRwOi8vYS5ta3ZaWg==", false},
        {"http://example.com/film.mkv", false},
        {"ftp://example.com/film.mkv", false},
        {"Ed2k://|file|Film.mkv|1|00|/", false},
        {BareHash, false},
        {"ed2k", true},
        {"magnet", true},
    };
    for (const auto& [address, accepted] : cases) {
        SCOPED_TRACE(address);
        dialog.PlayPanel().PlayPane().Destroy();
        calls.messageBoxes.clear();
        PlayTyped(address);
        EXPECT_EQ(dialog.PlayPanel().PlayPane().Exists(), accepted);
        if (accepted) {
            EXPECT_TRUE(calls.messageBoxes.empty());
            continue;
        }
        ASSERT_EQ(calls.messageBoxes.size(), 1u);
        EXPECT_EQ(calls.messageBoxes[0].text, "播放地址不合法！请输入有效的播放地址");
        EXPECT_EQ(calls.messageBoxes[0].caption, "Qiv云播提示");
        EXPECT_EQ(calls.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(calls.messageBoxes[0].owner, dialog.Handle());
        EXPECT_TRUE(Visible(IDC_PLAY_ADDRESS));
    }
}

// What the user types is read as UTF-16: an address GBK holds plays as typed on every system code
// page; one that GBK cannot hold would play something else, and is refused with its own message.
TEST_F(PlayTest, TypedAddressesAreReadAsUtf16) {
    Click(IDC_PLAY_TAB);
    SetWindowTextW(dialog.Item(IDC_PLAY_ADDRESS), L"ed2k://|file|\u7535\u5F71.mkv|1|00|/");
    Click(IDC_PLAY);
    ASSERT_TRUE(dialog.PlayPanel().PlayPane().Exists());
    EXPECT_NE(dialog.PlayPanel().PlayPane().address.find("?url=ed2k://|file|电影.mkv|1|00|/&"), std::string::npos);
    EXPECT_TRUE(calls.messageBoxes.empty());

    dialog.PlayPanel().PlayPane().Destroy();
    Click(IDC_PLAY_TAB);
    SetWindowTextW(dialog.Item(IDC_PLAY_ADDRESS), L"ed2k://|file|\uD55C\uAD6D.mkv|1|00|/");
    Click(IDC_PLAY);
    EXPECT_FALSE(dialog.PlayPanel().PlayPane().Exists());
    ASSERT_EQ(calls.messageBoxes.size(), 1u);
    EXPECT_EQ(calls.messageBoxes[0].text, "播放地址中有无法识别的字符！请检查播放地址");
    EXPECT_EQ(calls.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
}

TEST_F(PlayTest, RowsWithoutAddressOrNameAndAListWithoutSelectionPlayNothing) {
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(ID_LIST_PLAY, 0), 0);  // no selection mark
    ListView_SetSelectionMark(dialog.SearchPanel().ResultList().Handle(), 0);                 // the initial empty row
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(ID_LIST_PLAY, 0), 0);
    PlayRow("", Magnet);
    PlayRow("Film", "");
    EXPECT_FALSE(dialog.PlayPanel().PlayPane().Exists());
    EXPECT_TRUE(calls.messageBoxes.empty());
    EXPECT_TRUE(Visible(IDC_RESULT_LIST));
}

TEST_F(PlayTest, PaneAndBrowserStandWhereTheEngineAndSourcePutThem) {
    struct Case {
        PlayEngine engine;
        bool typed;
        RECT pane;     // in the main window's client area
        RECT browser;  // in the pane
    } cases[] = {
        {PlayEngine::Mtkan, false, {0, 86, 939, 602}, {-1, -1, 959, 1279}},
        {PlayEngine::Mtkan, true, {0, 86, 939, 602}, {-1, -1, 959, 1279}},
        {PlayEngine::Kcplay, false, {-8, 86, 939, 602}, {-1, -141, 979, 1219}},
        {PlayEngine::Kcplay, true, {-8, 87, 939, 602}, {-1, -141, 979, 1219}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.engine) << (c.typed ? " typed" : " list"));
        ChooseEngine(c.engine);
        if (c.typed)
            PlayTyped(Ed2k);
        else
            PlayRow("Film", Ed2k);
        BrowserPane& pane = dialog.PlayPanel().PlayPane();
        ASSERT_TRUE(pane.Exists());
        EXPECT_TRUE(pane.IsVisible());
        RECT paneRect = RectIn(pane.Handle(), dialog.Handle());
        EXPECT_EQ(paneRect.left, c.pane.left);
        EXPECT_EQ(paneRect.top, c.pane.top);
        EXPECT_EQ(paneRect.right, c.pane.right);
        EXPECT_EQ(paneRect.bottom, c.pane.bottom);
        RECT browserRect = RectIn(pane.Browser().Handle(), pane.Handle());
        EXPECT_EQ(browserRect.left, c.browser.left);
        EXPECT_EQ(browserRect.top, c.browser.top);
        EXPECT_EQ(browserRect.right, c.browser.right);
        EXPECT_EQ(browserRect.bottom, c.browser.bottom);
        EXPECT_TRUE(Visible(IDC_CLOSE_PLAYBACK));
        for (int id : {IDC_CLOSE_LIVE_TV, IDC_CLOSE_RADIO, IDC_RESULT_LIST, IDC_PLAY_ADDRESS, IDC_PLAY,
                       IDC_PLAY_PANEL_PICTURE, IDC_STATUS_LINE})
            EXPECT_FALSE(Visible(id)) << id;
    }
}

TEST_F(PlayTest, LiveTvAndRadioPanesStandWhereTheirTablesPutThem) {
    struct Case {
        int tile;
        BrowserPane& pane;
        RECT paneRect;
        RECT browser;
        int closeButton;
    } cases[] = {
        {IDC_LIVE_TV_TAB, dialog.PlayPanel().LiveTvPane(), {-5, 86, 939, 602}, {-2, -3, 978, 1357}, IDC_CLOSE_LIVE_TV},
        {IDC_RADIO_TAB, dialog.PlayPanel().RadioPane(), {0, 86, 939, 602}, {-2, -9, 978, 526}, IDC_CLOSE_RADIO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tile);
        Click(c.tile);
        ASSERT_TRUE(c.pane.Exists());
        RECT paneRect = RectIn(c.pane.Handle(), dialog.Handle());
        EXPECT_EQ(paneRect.left, c.paneRect.left);
        EXPECT_EQ(paneRect.top, c.paneRect.top);
        EXPECT_EQ(paneRect.right, c.paneRect.right);
        EXPECT_EQ(paneRect.bottom, c.paneRect.bottom);
        RECT browserRect = RectIn(c.pane.Browser().Handle(), c.pane.Handle());
        EXPECT_EQ(browserRect.left, c.browser.left);
        EXPECT_EQ(browserRect.top, c.browser.top);
        EXPECT_EQ(browserRect.right, c.browser.right);
        EXPECT_EQ(browserRect.bottom, c.browser.bottom);
        for (int id : {IDC_CLOSE_PLAYBACK, IDC_CLOSE_LIVE_TV, IDC_CLOSE_RADIO})
            EXPECT_EQ(Visible(id), id == c.closeButton) << id;
        EXPECT_FALSE(Visible(IDC_RESULT_LIST));
    }
}

TEST_F(PlayTest, PanesFollowTheirStateSequences) {
    // Play, search tile, play tile: the same playback pane comes back.
    PlayRow("Film", Ed2k);
    HWND playback = dialog.PlayPanel().PlayPane().Handle();
    Click(IDC_SEARCH_TAB);
    EXPECT_FALSE(dialog.PlayPanel().PlayPane().IsVisible());
    Click(IDC_PLAY_TAB);
    EXPECT_EQ(dialog.PlayPanel().PlayPane().Handle(), playback);
    EXPECT_TRUE(dialog.PlayPanel().PlayPane().IsVisible());
    EXPECT_TRUE(Visible(IDC_CLOSE_PLAYBACK));

    // Live TV hides the playback pane and keeps it; twice in a row keeps one page, loaded once.
    Click(IDC_LIVE_TV_TAB);
    HWND liveTv = dialog.PlayPanel().LiveTvPane().Handle();
    EXPECT_FALSE(dialog.PlayPanel().PlayPane().IsVisible());
    EXPECT_EQ(dialog.PlayPanel().PlayPane().Handle(), playback);
    Click(IDC_LIVE_TV_TAB);
    EXPECT_EQ(dialog.PlayPanel().LiveTvPane().Handle(), liveTv);
    EXPECT_TRUE(dialog.PlayPanel().LiveTvPane().IsVisible());
    const std::string liveTvPath = PathOf(config::LiveTvPageAddress);
    ASSERT_TRUE(test::PumpUntil([&] { return CountOf(RequestTargets(config::LiveTvPageAddress), liveTvPath) >= 1; }, 10000));
    test::PumpFor(300);
    EXPECT_EQ(CountOf(RequestTargets(config::LiveTvPageAddress), liveTvPath), 1);

    // Search tile, then live TV again: the hidden pane comes back as it was.
    Click(IDC_SEARCH_TAB);
    EXPECT_FALSE(dialog.PlayPanel().LiveTvPane().IsVisible());
    Click(IDC_LIVE_TV_TAB);
    EXPECT_EQ(dialog.PlayPanel().LiveTvPane().Handle(), liveTv);
    EXPECT_TRUE(dialog.PlayPanel().LiveTvPane().IsVisible());

    // Radio, live TV, radio: opening live TV destroyed the radio pane, so the page loads afresh.
    Click(IDC_RADIO_TAB);
    EXPECT_FALSE(dialog.PlayPanel().LiveTvPane().Exists());
    ASSERT_TRUE(test::PumpUntil([&] { return CountOf(RequestTargets(config::RadioPageAddress), "/") == 1; }, 10000));
    Click(IDC_LIVE_TV_TAB);
    EXPECT_FALSE(dialog.PlayPanel().RadioPane().Exists());
    Click(IDC_RADIO_TAB);
    EXPECT_TRUE(test::PumpUntil([&] { return CountOf(RequestTargets(config::RadioPageAddress), "/") == 2; }, 10000));
    EXPECT_FALSE(dialog.PlayPanel().LiveTvPane().Exists());

    // The play tile brings the playback back, which survived all of it.
    Click(IDC_PLAY_TAB);
    EXPECT_EQ(dialog.PlayPanel().PlayPane().Handle(), playback);
    EXPECT_TRUE(dialog.PlayPanel().PlayPane().IsVisible());
    EXPECT_FALSE(dialog.PlayPanel().RadioPane().IsVisible());

    // Every close button returns to the search panel with no close button shown.
    const std::pair<int, int> closings[] = {
        {IDC_RADIO_TAB, IDC_CLOSE_RADIO}, {IDC_LIVE_TV_TAB, IDC_CLOSE_LIVE_TV}, {IDC_PLAY_TAB, IDC_CLOSE_PLAYBACK}};
    for (const auto& [tile, closeButton] : closings) {
        SCOPED_TRACE(closeButton);
        Click(tile);
        Click(closeButton);
        EXPECT_TRUE(Visible(IDC_RESULT_LIST));
        EXPECT_TRUE(Visible(IDC_KEYWORD));
        for (int id : {IDC_CLOSE_PLAYBACK, IDC_CLOSE_LIVE_TV, IDC_CLOSE_RADIO, IDC_PLAY_ADDRESS, IDC_PLAY})
            EXPECT_FALSE(Visible(id)) << id;
    }
    EXPECT_FALSE(dialog.PlayPanel().PlayPane().Exists());
    EXPECT_FALSE(dialog.PlayPanel().LiveTvPane().Exists());
    EXPECT_FALSE(dialog.PlayPanel().RadioPane().Exists());
}

TEST_F(PlayTest, PlayingAnotherRowReplacesThePane) {
    PlayRow("Film 1", Ed2k);
    PlayRow("Film 2", BareHash);
    EXPECT_NE(dialog.PlayPanel().PlayPane().address.find(BareHash), std::string::npos);
    int panes = 0;
    for (HWND child = GetWindow(dialog.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (Dialog::FromHandle(child)) ++panes;
    EXPECT_EQ(panes, 1);
    const std::string listTail = "&pay=&id=vq38_1&title=vq38_1&name=vq38_1&scrolling=no&frameBorder=0";
    EXPECT_TRUE(test::PumpUntil([&] {
        return CountOf(RequestTargets(config::MtkanPageAddress), PathOf(config::MtkanPageAddress) + "?url=" + BareHash + listTail) == 1;
    }, 10000));
}

TEST_F(PlayTest, NoEngineSelectedShowsTheInformationMessage) {
    dialog.PlayPanel().PlayEngineChoice().reset();  // as before the initialisation chose MTkan
    PlayRow("Film", Ed2k);
    EXPECT_FALSE(dialog.PlayPanel().PlayPane().Exists());
    ASSERT_EQ(calls.messageBoxes.size(), 1u);
    EXPECT_EQ(calls.messageBoxes[0].text, "请至少点选一个云播服务器引擎！");
    EXPECT_EQ(calls.messageBoxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

// The browser control raises its events from the documents it loads; here they are raised as the
// control raises them, since this Wine runs without an HTML engine and loads no document.
TEST_F(PlayTest, PanesCancelPopupsSwallowRightClicksAndShowOnlyPagesOtherThanTheKcplayStartPage) {
    BrowserPane& pane = dialog.PlayPanel().RadioPane();
    pane.address = SiteOf(config::RadioPageAddress) + "/popup.html";
    ASSERT_TRUE(pane.Create(dialog.Handle()));
    pane.Show(SW_SHOW);
    EXPECT_TRUE(test::PumpUntil([&] { return CountOf(RequestTargets(config::RadioPageAddress), "/popup.html") == 1; }, 10000));
    EXPECT_FALSE(pane.Browser().IsVisible());
    ASSERT_TRUE(pane.Browser().onNewWindow);
    EXPECT_TRUE(pane.Browser().onNewWindow());
    EXPECT_EQ(pane.NewWindowsCancelled(), 1);

    const std::string kcplay = config::KcplayPageAddress;
    const std::pair<std::string, bool> documents[] = {
        {SiteOf(config::RadioPageAddress) + "/popup.html", true},
        {kcplay + "#!u=" + Ed2k, false},
        {kcplay, true},
        {"res://ieframe.dll/navcancl.htm#" + kcplay + "#!u=x", false},
        {std::string(config::MtkanPageAddress) + "?url=" + Ed2k, true},
    };
    for (const auto& [address, shown] : documents) {
        pane.Browser().onDocumentComplete(address);
        EXPECT_EQ(pane.Browser().IsVisible(), shown) << address;
    }
    EXPECT_EQ(pane.DocumentsCompleted(), 5);

    // A right-button press inside the pane is taken before it reaches the page; a left press is not.
    HWND host = pane.Browser().Handle();
    pressesSeen = {};
    auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    originalProc = original;
    for (HWND target : {host, pane.Handle()}) {
        PostMessageA(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
        PostMessageA(target, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    }
    PostMessageA(host, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    test::PumpFor(200);
    SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    EXPECT_EQ(pressesSeen.right, 0);
    EXPECT_EQ(pressesSeen.rightUp, 1);
    EXPECT_EQ(pressesSeen.left, 1);
}

TEST_F(PlayTest, ScreenshotsOfThePlayPanelAndAPlaybackPane) {
    Click(IDC_PLAY_TAB);
    test::PumpFor(500);
    EXPECT_TRUE(test::SaveWindowPng(dialog.Handle(), test::ScreensFolder() + "/play-panel.png"));
    PlayTyped(Magnet);
    dialog.PlayPanel().PlayPane().Browser().onDocumentComplete(dialog.PlayPanel().PlayPane().address);
    test::PumpFor(1000);
    EXPECT_TRUE(dialog.PlayPanel().PlayPane().Browser().IsVisible());
    EXPECT_TRUE(test::SaveWindowPng(dialog.Handle(), test::ScreensFolder() + "/playback-pane.png"));
}

}  // namespace
}  // namespace qivyun
