#include "shell/MainDialog.h"

#include "../support/Pump.h"
#include "../support/WindowCapture.h"
#include "shell/ResourceIds.h"
#include "skin/SkinEngine.h"
#include "skin/engine/SkinProperties.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>

namespace qivyun {
namespace {

struct Place {
    int id;
    RECT rect;  // left, top, right, bottom in client pixels
    bool visible;
};

Place P(int id, int x, int y, int w, int h, bool visible) { return {id, RECT{x, y, x + w, y + h}, visible}; }

class MainDialogTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(test::PumpUntil([&] { return dialog.IsVisible(); }));
    }

    RECT ClientRectOf(int id) const {
        RECT rect;
        GetWindowRect(dialog.Item(id), &rect);
        MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    bool Visible(int id) const { return IsWindowVisible(dialog.Item(id)) != FALSE; }
    void Click(int id) { SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id))); }
    bool Checked(int id) const { return IsDlgButtonChecked(dialog.Handle(), id) == BST_CHECKED; }

    std::map<int, bool> VisibilityOfAll() const {
        std::map<int, bool> all;
        for (HWND child = GetWindow(dialog.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            all[GetDlgCtrlID(child)] = IsWindowVisible(child) != FALSE;
        return all;
    }

    // The start-up check finds no update server here.
    MainDialog dialog{StartupCheckSettings{"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "qivyun-dialog-test.ini", "", ""}};
};

TEST_F(MainDialogTest, WindowAndEveryControlStandWhereTheLayoutPutsThem) {
    RECT client = dialog.ClientRect();
    EXPECT_EQ(client.right, 939);
    EXPECT_EQ(client.bottom, 602);
    RECT window = dialog.WindowRect();
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);

    const Place layout[] = {
        P(1008, 40, 4, 75, 75, true),     P(1004, 180, 3, 75, 75, true),   P(1048, 320, 3, 75, 75, true),
        P(1047, 460, 3, 75, 75, true),    P(1063, 660, 3, 220, 75, true),  P(1045, 881, 67, 60, 20, false),
        P(1049, 881, 66, 60, 20, false),  P(1050, 881, 67, 60, 20, false), P(1013, 150, 405, 570, 25, false),
        P(1046, 735, 405, 65, 25, false), P(1012, 678, 95, 70, 23, true),  P(1003, 151, 96, 515, 22, true),
        P(1011, 658, 478, 90, 23, true),  P(1022, 917, 3, 26, 18, true),   P(1025, 888, 0, 22, 18, true),
        P(1027, 757, 122, 172, 185, true), P(1087, 770, 142, 160, 18, true), P(1077, 770, 167, 160, 18, true),
        P(1015, 770, 192, 160, 18, true), P(1016, 770, 217, 160, 18, true), P(1036, 770, 242, 160, 18, true),
        P(1039, 770, 267, 160, 18, true), P(1035, 757, 325, 172, 100, true), P(1017, 770, 350, 170, 18, true),
        P(1018, 770, 375, 170, 18, true), P(1005, 0, 60, 0, 0, true),      P(1062, 0, 0, 0, 0, true),
        P(1007, 150, 123, 600, 350, true), P(1037, 155, 481, 500, 12, true), P(1056, 0, 86, 940, 552, false),
        P(1075, 885, 91, 50, 20, true),   P(1061, 0, 586, 740, 16, true),  P(1081, 7, 203, 136, 250, false),
        P(1080, 11, 223, 130, 250, false), P(1082, 7, 164, 140, 30, true), P(1084, 7, 129, 140, 30, true),
        P(1083, 7, 94, 140, 30, true),
    };
    for (const Place& place : layout) {
        SCOPED_TRACE(place.id);
        RECT actual = ClientRectOf(place.id);
        EXPECT_EQ(actual.left, place.rect.left);
        EXPECT_EQ(actual.top, place.rect.top);
        EXPECT_EQ(actual.right, place.rect.right);
        EXPECT_EQ(actual.bottom, place.rect.bottom);
        EXPECT_EQ(Visible(place.id), place.visible);
    }
    EXPECT_FALSE(Visible(IDOK));
}

TEST_F(MainDialogTest, InitialisationLoadsTheSkinAndTheEngineLooksAtEveryControl) {
    ASSERT_TRUE(skin::SkinEngine::Current()->SkinLoaded());
    for (HWND child = GetWindow(dialog.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        EXPECT_TRUE(GetPropA(child, skin::ExaminedProperty)) << GetDlgCtrlID(child);
    HWND header = ListView_GetHeader(dialog.Item(IDC_RESULT_LIST));
    EXPECT_TRUE(GetPropA(header, skin::ExaminedProperty));
}

TEST_F(MainDialogTest, TextsAreTheExactGbkBytes) {
    EXPECT_EQ(dialog.Text(), "Qiv\xD4\xC6\xB2\xA5\xBA\xD0\xD7\xD3");  // Qiv云播盒子
    EXPECT_EQ(dialog.ItemText(IDC_KEYWORD), "在此输入要搜索的关键词(演员名字 影片番号 影片类型等)");
    EXPECT_EQ(dialog.ItemText(IDC_PLAY_ADDRESS), "在此输入视频连接地址(thunder、http、ftp、ed2k、magnet、xplan、bt、Hash)");
    const std::pair<int, const char*> captions[] = {
        {IDOK, "iDok"},
        {IDC_SEARCH_TAB, "资源搜索"},
        {IDC_PLAY_TAB, "QiV点播"},
        {IDC_LIVE_TV_TAB, "网络直播"},
        {IDC_RADIO_TAB, "音乐电台"},
        {IDC_LOAD_MORE, "加载更多资源"},
        {IDC_SEARCH, "搜索资源"},
        {IDC_ENGINE_ED2K4U, "Ed2k 4U 搜索引擎(推荐)"},
        {IDC_ENGINE_H31B, "BT H31B 搜索引擎(备用)"},
        {IDC_ENGINE_DHCT, "BT DHCT 搜索引擎(备用)"},
        {IDC_ENGINE_FUSO, "BT FuSo 搜索引擎(推荐)"},
        {IDC_ENGINE_HASH, "BT Hash 搜索引擎(推荐)"},
        {IDC_ENGINE_ECV, "Ecv 高级搜索引擎(停用)"},
        {IDC_PLAY_ENGINE_MTKAN, "MTkan 云播引擎(主引擎)"},
        {IDC_PLAY_ENGINE_KCPLAY, "KCPlay云播引擎(副引擎)"},
        {IDC_SEARCH_ENGINES_FRAME, " 搜索引擎选项 "},
        {IDC_PLAY_ENGINES_FRAME, " 云点播服务器 "},
        {IDC_CLOSE_PLAYBACK, "关闭播放"},
        {IDC_CLOSE_RADIO, "关闭音乐"},
        {IDC_CLOSE_LIVE_TV, "关闭直播"},
        {IDC_PLAY, "播 放"},
        {IDC_FEEDBACK, "反馈留言"},
        {IDC_INTRO_FRAME, " 引擎介绍 "},
        {IDC_INTRO_TOGGLE, "显示搜索及播放选项简介"},
        {IDC_MTKAN_DOWNLOAD, "下载每天看(mtkan)云播加速器"},
        {IDC_QVOD_LINK, "qvod"},
    };
    for (const auto& [id, caption] : captions) EXPECT_EQ(dialog.ItemText(id), caption) << id;
    std::string intro = dialog.ItemText(IDC_INTRO_TEXT);
    EXPECT_EQ(intro.rfind("Ed2k_4U、FuSo搜索较快\r\n", 0), 0u);
    EXPECT_EQ(intro.substr(intro.size() - 20), "再次点击查看说明关闭");
}

TEST_F(MainDialogTest, ResultListStartsWithFourColumnsAndOneEmptyRow) {
    const ListView& list = dialog.SearchPanel().ResultList();
    EXPECT_EQ(ListView_GetTextColor(list.Handle()), RGB(94, 95, 255));
    EXPECT_EQ(ListView_GetExtendedListViewStyle(list.Handle()) & 0x00020020u, 0x00020020u);
    ASSERT_EQ(list.ColumnCount(), 4);
    const std::pair<const char*, int> columns[] = {{"ID", 25}, {"影片名称", 490}, {"大小", 80}, {"地址", 600}};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_FMT;
        SendMessageW(list.Handle(), LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
        EXPECT_EQ(list.ColumnTitle(i), columns[i].first);
        EXPECT_EQ(column.cx, columns[i].second);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    ASSERT_EQ(list.RowCount(), 1);
    for (int column = 0; column < 4; ++column) EXPECT_EQ(list.CellText(0, column), "");
    LONG style = GetWindowLongA(list.Handle(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SORTASCENDING);
}

TEST_F(MainDialogTest, EnginesBehaveAsRadioGroups) {
    EXPECT_TRUE(Checked(IDC_ENGINE_ED2K4U));
    for (int id : {IDC_ENGINE_H31B, IDC_ENGINE_DHCT, IDC_ENGINE_FUSO, IDC_ENGINE_HASH, IDC_ENGINE_ECV})
        EXPECT_FALSE(Checked(id)) << id;
    EXPECT_EQ(dialog.SearchPanel().EngineEnabled(EngineId::Ed2k4U), 1);
    EXPECT_TRUE(Checked(IDC_PLAY_ENGINE_MTKAN));
    EXPECT_FALSE(Checked(IDC_PLAY_ENGINE_KCPLAY));
    EXPECT_EQ(dialog.PlayPanel().PlayEngineChoice(), PlayEngine::Mtkan);

    // A real click toggles the automatic box first; the handler then makes it the only one.
    SendMessageA(dialog.Item(IDC_ENGINE_FUSO), BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(IDC_ENGINE_FUSO));
    EXPECT_FALSE(Checked(IDC_ENGINE_ED2K4U));
    EXPECT_EQ(dialog.SearchPanel().EngineEnabled(EngineId::FuSo), 1);
    EXPECT_EQ(dialog.SearchPanel().EngineEnabled(EngineId::Ed2k4U), 0);
    // Clicking the enabled engine's box again leaves it checked and enabled.
    SendMessageA(dialog.Item(IDC_ENGINE_FUSO), BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(IDC_ENGINE_FUSO));
    EXPECT_EQ(dialog.SearchPanel().EngineEnabled(EngineId::FuSo), 1);

    SendMessageA(dialog.Item(IDC_PLAY_ENGINE_KCPLAY), BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(IDC_PLAY_ENGINE_KCPLAY));
    EXPECT_FALSE(Checked(IDC_PLAY_ENGINE_MTKAN));
    EXPECT_EQ(dialog.PlayPanel().PlayEngineChoice(), PlayEngine::Kcplay);
    SendMessageA(dialog.Item(IDC_PLAY_ENGINE_MTKAN), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.PlayPanel().PlayEngineChoice(), PlayEngine::Mtkan);
}

TEST_F(MainDialogTest, PlayTileShowsTheAddressBoxAndSecondPressChangesNothing) {
    Click(IDC_PLAY_TAB);
    for (int id : {IDC_PLAY_ADDRESS, IDC_PLAY, IDC_PLAY_PANEL_PICTURE}) EXPECT_TRUE(Visible(id)) << id;
    for (int id : {IDC_RESULT_LIST, IDC_KEYWORD, IDC_SEARCH, IDC_LOAD_MORE, IDC_SEARCH_ENGINES_FRAME, IDC_ENGINE_ED2K4U,
                   IDC_STATUS_LINE, IDC_QVOD_LINK, IDC_CLOSE_PLAYBACK, IDC_CLOSE_LIVE_TV, IDC_CLOSE_RADIO})
        EXPECT_FALSE(Visible(id)) << id;
    EXPECT_EQ(dialog.ItemText(IDC_PLAY_ADDRESS), "在此输入视频连接地址(thunder、http、ftp、ed2k、magnet、xplan、bt、Hash)");

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog.Item(IDC_PLAY_ADDRESS), WM_GETFONT, 0, 0));
    ASSERT_EQ(font, dialog.PlayPanel().AddressFont());
    LOGFONTW logFont{};
    GetObjectW(font, sizeof(logFont), &logFont);
    EXPECT_STREQ(logFont.lfFaceName, L"宋体");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(logFont.lfHeight, -MulDiv(11, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    auto before = VisibilityOfAll();
    Click(IDC_PLAY_TAB);
    EXPECT_EQ(VisibilityOfAll(), before);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(dialog.Item(IDC_PLAY_ADDRESS), WM_GETFONT, 0, 0)), font);
}

TEST_F(MainDialogTest, SearchTileRestoresThePanelWithoutTheIntroduction) {
    dialog.SearchPanel().SetStatusLine("连接服务器成功");
    ShowWindow(dialog.Item(IDC_INTRO_TEXT), SW_SHOW);
    ShowWindow(dialog.Item(IDC_INTRO_FRAME), SW_SHOW);
    Click(IDC_PLAY_TAB);
    EXPECT_FALSE(Visible(IDC_INTRO_TEXT));
    Click(IDC_SEARCH_TAB);
    for (int id : {IDC_QVOD_LINK, IDC_SEARCH_ENGINES_FRAME, IDC_PLAY_ENGINES_FRAME, IDC_PLAY_ENGINE_KCPLAY,
                   IDC_PLAY_ENGINE_MTKAN, IDC_ENGINE_HASH, IDC_ENGINE_FUSO, IDC_ENGINE_ECV, IDC_ENGINE_DHCT,
                   IDC_ENGINE_H31B, IDC_ENGINE_ED2K4U, IDC_LOAD_MORE, IDC_SEARCH, IDC_RESULT_LIST, IDC_KEYWORD,
                   IDC_SEARCH_STATUS, IDC_STATUS_LINE, IDC_FEEDBACK, IDC_INTRO_TOGGLE, IDC_MTKAN_DOWNLOAD})
        EXPECT_TRUE(Visible(id)) << id;
    for (int id : {IDC_INTRO_TEXT, IDC_INTRO_FRAME, IDC_PLAY_ADDRESS, IDC_PLAY, IDC_PLAY_PANEL_PICTURE,
                   IDC_CLOSE_PLAYBACK, IDC_CLOSE_LIVE_TV, IDC_CLOSE_RADIO})
        EXPECT_FALSE(Visible(id)) << id;
    EXPECT_EQ(dialog.ItemText(IDC_STATUS_LINE), "连接服务器成功");

    // No member is bound to the status line: a write of the controls leaves its text alone.
    dialog.UpdateData(true);
    dialog.SearchPanel().SetStatusLine("连接到远程服务器成功");
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.ItemText(IDC_STATUS_LINE), "连接到远程服务器成功");
}

TEST_F(MainDialogTest, PlayTileBringsBackTheSamePlaybackPane) {
    BrowserPane& pane = dialog.PlayPanel().PlayPane();
    pane.address = "http://127.0.0.1/";
    ASSERT_TRUE(pane.Create(dialog.Handle()));
    pane.Show(SW_SHOW);
    HWND paneWindow = pane.Handle();
    Click(IDC_SEARCH_TAB);
    EXPECT_FALSE(pane.IsVisible());
    EXPECT_TRUE(Visible(IDC_RESULT_LIST));

    Click(IDC_PLAY_TAB);
    EXPECT_EQ(pane.Handle(), paneWindow);
    EXPECT_TRUE(pane.IsVisible());
    EXPECT_TRUE(Visible(IDC_CLOSE_PLAYBACK));
    EXPECT_FALSE(Visible(IDC_PLAY_ADDRESS));
    EXPECT_FALSE(Visible(IDC_PLAY));
    EXPECT_FALSE(Visible(IDC_RESULT_LIST));
    EXPECT_EQ(dialog.PlayPanel().AddressFont(), nullptr);
}

TEST_F(MainDialogTest, BrowserPaneSizesItselfAndKeepsItsBrowserHidden) {
    BrowserPane& pane = dialog.PlayPanel().LiveTvPane();
    ASSERT_TRUE(pane.Create(dialog.Handle()));
    RECT rect = pane.WindowRect();
    EXPECT_EQ(rect.right - rect.left, 980);
    EXPECT_EQ(rect.bottom - rect.top, 578);
    EXPECT_EQ(pane.Text(), "QivYunPlay");
    EXPECT_FALSE(pane.Browser().IsVisible());
    EXPECT_EQ(GetDlgCtrlID(pane.Browser().Handle()), IDC_BROWSER_IN_PANE);
}

TEST_F(MainDialogTest, AnyEmptyPointDragsAndEditBoxesAreGrey) {
    POINT inside{400, 40};
    ClientToScreen(dialog.Handle(), &inside);
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCAPTION);
    EXPECT_NE(SendMessageA(dialog.Handle(), WM_QUERYDRAGICON, 0, 0), 0);

    HDC dc = CreateCompatibleDC(nullptr);
    for (int id : {IDC_KEYWORD, IDC_PLAY_ADDRESS}) {
        SetTextColor(dc, RGB(0, 0, 0));
        LRESULT brush = SendMessageA(dialog.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(dialog.Item(id)));
        EXPECT_NE(brush, 0);
        EXPECT_EQ(GetTextColor(dc), RGB(122, 132, 142)) << id;
    }
    SetTextColor(dc, RGB(0, 0, 0));
    SendMessageA(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(dialog.Item(IDC_SEARCH_STATUS)));
    EXPECT_NE(GetTextColor(dc), RGB(122, 132, 142));
    DeleteDC(dc);
}

// The corners of the pictures let through what the window shows there: the band behind a
// tile, the play panel's backdrop behind the play button.
TEST_F(MainDialogTest, GraphicButtonsAreOwnerDrawnAndTheirCornersShowWhatLiesBehindThem) {
    for (int id : {IDC_PLAY_TAB, IDC_SEARCH_TAB, IDC_RADIO_TAB, IDC_LIVE_TV_TAB, IDC_HOME_BANNER, IDC_CLOSE_PLAYBACK,
                   IDC_CLOSE_RADIO, IDC_CLOSE_LIVE_TV, IDC_PLAY, IDC_CLOSE, IDC_TRAY, IDC_INTRO_TOGGLE, IDC_QVOD_LINK,
                   IDC_MTKAN_DOWNLOAD})
        EXPECT_EQ(GetWindowLongA(dialog.Item(id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    Click(IDC_PLAY_TAB);
    test::PumpFor(300);
    HDC window = GetDC(dialog.Handle());
    auto similar = [](COLORREF a, COLORREF b) {
        return abs(GetRValue(a) - GetRValue(b)) < 12 && abs(GetGValue(a) - GetGValue(b)) < 12 &&
               abs(GetBValue(a) - GetBValue(b)) < 12;
    };
    const POINT pairs[][2] = {
        {{40, 4}, {38, 4}},        // the play tile's corner, the band beside it
        {{735, 405}, {735, 402}},  // the play button's corner, the backdrop above it
        {{799, 429}, {802, 429}},  // its opposite corner, the backdrop beside it
    };
    for (const auto& pair : pairs) {
        COLORREF corner = GetPixel(window, pair[0].x, pair[0].y), behind = GetPixel(window, pair[1].x, pair[1].y);
        EXPECT_TRUE(similar(corner, behind)) << pair[0].x << "," << pair[0].y << ": " << std::hex << corner << " " << behind;
    }
    COLORREF backdrop = GetPixel(window, 735, 402);  // the picture's deep blue, not the window's grey
    EXPECT_GT(GetBValue(backdrop), GetRValue(backdrop) + 40) << std::hex << backdrop;
    ReleaseDC(dialog.Handle(), window);
    EXPECT_TRUE(test::SaveWindowPng(dialog.Handle(), test::ScreensFolder() + "/play-panel.png"));
}

TEST_F(MainDialogTest, HeaderBandIsPaintedFromItsBitmapAboveTheContentArea) {
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    test::PumpFor(200);
    HDC window = GetDC(dialog.Handle());
    // The band is one seventh of the client height: rows 0..85.
    COLORREF band = GetPixel(window, 600, 84);
    COLORREF below = GetPixel(window, 600, 88);
    ReleaseDC(dialog.Handle(), window);

    HBITMAP bitmap = LoadBitmapA(ModuleInstance(), MAKEINTRESOURCEA(IDB_HEADER_BAND));
    ASSERT_NE(bitmap, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    COLORREF source = GetPixel(memory, 600 * 400 / 939, 49);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);

    auto similar = [](COLORREF a, COLORREF b) {
        return abs(GetRValue(a) - GetRValue(b)) < 24 && abs(GetGValue(a) - GetGValue(b)) < 24 &&
               abs(GetBValue(a) - GetBValue(b)) < 24;
    };
    EXPECT_TRUE(similar(band, source)) << std::hex << band << " " << source;
    // Below the band the content area lies on the skin's background.
    EXPECT_EQ(below, skin::SkinEngine::Current()->Skin().BackgroundColour());
    EXPECT_TRUE(test::SaveWindowPng(dialog.Handle(), test::ScreensFolder() + "/main-window.png"));
}

TEST(MainWindowStartupCheck, RunsAtStartAndPutsItsLineIntoTheStatusLine) {
    StartupCheckSettings settings{"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "", "", ""};
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    settings.manifestPath = std::string(folder) + "qivyun-main-manifest.ini";
    settings.ownPath = std::string(folder) + "qivyun-missing.exe";
    MainDialog dialog(settings);
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(test::PumpUntil([&] { return !dialog.StartupCheckWorker().IsRunning(); }, 20000));
    test::PumpFor(50);
    // A program file that cannot be read shows an empty digest.
    EXPECT_EQ(dialog.ItemText(IDC_STATUS_LINE),
              "   连接到远程服务器失败     版本MD5:      累计点播次数:未能获取     This online: 未能获取");
    EXPECT_TRUE(dialog.VisitorBrowser().HasControl());
    EXPECT_TRUE(dialog.CounterBrowser().HasControl());
}

}  // namespace
}  // namespace qivyun
