#include "shell/MainDialog.h"

#include "../support/Http.h"
#include "../support/Pump.h"
#include "../support/SystemCallRecorder.h"
#include "../support/WindowCapture.h"
#include "BuildConfig.h"
#include "common/CodePage.h"
#include "shell/Clipboard.h"
#include "shell/ResourceIds.h"
#include "skin/engine/WindowSkinner.h"
#include "versioncheck/Manifest.h"

#include <gtest/gtest.h>
#include <shellapi.h>


namespace qivyun {
namespace {

const std::string RowAddress = "magnet:?xt=urn:btih:0123456789ABCDEF0123456789ABCDEF01234567&dn=影片&tr=udp://t:80";

// The clipboard's text in one format, as zero-terminated characters of type Char.
template <class Char>
std::basic_string<Char> ClipboardData(UINT format) {
    std::basic_string<Char> text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(format)) {
        if (auto* chars = static_cast<const Char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The Unicode text, as GBK.
std::string ClipboardText() { return GbkFromWide(ClipboardData<wchar_t>(CF_UNICODETEXT)); }

// The icon of the main window is in the tray when the shell can change it.
bool TrayIconPresent(HWND window) {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record.hWnd = window;
    record.uID = 128;
    record.uFlags = NIF_TIP;
    lstrcpyW(record.szTip, L"Qiv");
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

class TrayAndMenuTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(test::PumpUntil([&] { return dialog.IsVisible(); }));
        window = dialog.Handle();
    }
    void TearDown() override {
        if (IsWindow(window)) dialog.Destroy();
        EXPECT_FALSE(TrayIconPresent(window));
    }

    void Command(int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Click(int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id))); }
    LRESULT Notify(int code) {
        NMHDR header{dialog.Item(IDC_RESULT_LIST), IDC_RESULT_LIST, static_cast<UINT>(code)};
        return SendMessageA(window, WM_NOTIFY, IDC_RESULT_LIST, reinterpret_cast<LPARAM>(&header));
    }
    LRESULT TrayNotify(UINT iconId, UINT mouseMessage) { return SendMessageA(window, WM_TRAY_NOTIFY, iconId, mouseMessage); }
    int AddSelectedRow() {
        const ListView& list = dialog.SearchPanel().ResultList();
        int row = list.InsertRow(0, "1");
        list.SetCellText(row, 1, "【双击点播】影片");
        list.SetCellText(row, 2, "1.00 GB");
        list.SetCellText(row, 3, RowAddress.c_str());
        ListView_SetSelectionMark(list.Handle(), row);
        return row;
    }

    test::SystemCallRecorder calls;
    MainDialog dialog{StartupCheckSettings{"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "qivyun-tray-test.ini", "", ""}};
    HWND window = nullptr;
};

TEST_F(TrayAndMenuTest, ListMenuOpensAtThePointerAndItsCommandsActOnTheSelectionMark) {
    SetCursorPos(300, 200);
    POINT pointer;
    GetCursorPos(&pointer);
    calls.menuChoices = {ID_LIST_COPY};
    EXPECT_EQ(Notify(NM_RCLICK), 0);  // on empty space: no row holds the mark yet
    ASSERT_EQ(calls.popupMenus.size(), 1u);
    const test::PopupMenuCall& menu = calls.popupMenus[0];
    EXPECT_EQ(menu.owner, window);
    EXPECT_EQ(menu.x, pointer.x);
    EXPECT_EQ(menu.y, pointer.y);
    EXPECT_EQ(menu.flags, static_cast<UINT>(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON));
    const std::vector<std::pair<UINT, std::string>> items = {
        {ID_LIST_PLAY, "在线播放"}, {ID_LIST_COPY, "复制连接"}, {ID_LIST_DOWNLOAD, "迅雷下载"}};
    EXPECT_EQ(menu.items, items);
    CopyTextToClipboard("before");
    test::PumpFor(100);  // the chosen command arrives as a posted message
    EXPECT_EQ(ClipboardText(), "");

    AddSelectedRow();
    calls.menuChoices = {ID_LIST_COPY};
    Notify(NM_RCLICK);
    test::PumpFor(100);
    EXPECT_EQ(ClipboardText(), RowAddress);
}

// The skinned menus as the system tracks them: this timer runs inside the menu's own loop. It types
// the keys that move to an item, then the screenshot is taken with that item highlighted, then the
// key that chooses.
struct ShownMenu {
    HWND owner = nullptr;
    std::vector<std::pair<UINT, WPARAM>> moves, choice;
    const char* screenshot = nullptr;
    bool skinned = false;
    bool moved = false;
} shownMenu;

VOID CALLBACK TypeIntoTheShownMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    if (!shownMenu.moved) {
        shownMenu.skinned = skin::WindowSkinner::Of(menu) && skin::WindowSkinner::Of(menu)->skinType == 1016;
        for (auto [message, key] : shownMenu.moves) PostMessageA(menu, message, key, 0);
        shownMenu.moved = true;
        return;
    }
    KillTimer(nullptr, timer);
    if (shownMenu.screenshot) test::SaveWindowPng(shownMenu.owner, test::ScreensFolder() + "/" + shownMenu.screenshot);
    for (auto [message, key] : shownMenu.choice) PostMessageA(menu, message, key, 0);
}

TEST_F(TrayAndMenuTest, CommandsChosenFromTheSkinnedMenusReachTheirHandlers) {
    CurrentSystemCalls().trackPopupMenu = [](HMENU popup, UINT flags, int x, int y, HWND owner) {
        return TrackPopupMenu(popup, flags, x, y, 0, owner, nullptr);
    };
    AddSelectedRow();
    CopyTextToClipboard("before");
    // Opened over the list; the second item is "复制连接".
    POINT overList{60, 60};
    ClientToScreen(dialog.SearchPanel().ResultList().Handle(), &overList);
    SetCursorPos(overList.x, overList.y);
    shownMenu = {window, {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_DOWN}}, {{WM_KEYDOWN, VK_RETURN}}, "result-list-menu.png"};
    SetTimer(nullptr, 0, 100, TypeIntoTheShownMenu);
    Notify(NM_RCLICK);
    test::PumpFor(100);
    EXPECT_TRUE(shownMenu.skinned);
    EXPECT_EQ(ClipboardText(), RowAddress);

    // The tray menu's item by its mnemonic, which owner-drawn items keep.
    Click(IDC_TRAY);
    ASSERT_FALSE(IsWindowVisible(window));
    shownMenu = {window, {}, {{WM_CHAR, 'x'}}, nullptr};
    SetTimer(nullptr, 0, 100, TypeIntoTheShownMenu);
    TrayNotify(128, WM_RBUTTONUP);
    test::PumpFor(100);
    EXPECT_TRUE(shownMenu.skinned);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(TrayAndMenuTest, CopyPutsExactlyTheAddressColumnOnTheClipboard) {
    int row = AddSelectedRow();
    struct Case {
        int selectionMark;
        std::string expected;
    } cases[] = {{row, RowAddress}, {-1, ""}};
    for (const Case& c : cases) {
        CopyTextToClipboard("before");
        ListView_SetSelectionMark(dialog.SearchPanel().ResultList().Handle(), c.selectionMark);
        Command(ID_LIST_COPY);
        EXPECT_EQ(ClipboardText(), c.expected) << c.selectionMark;
    }
    // The initial empty row is the other one.
    ListView_SetSelectionMark(dialog.SearchPanel().ResultList().Handle(), row == 0 ? 1 : 0);
    CopyTextToClipboard("before");
    Command(ID_LIST_COPY);
    EXPECT_EQ(ClipboardText(), "");
}

// The address goes on the clipboard as Unicode text; older programs read the 8-bit form the system
// makes of it in their own code page (GBK on a Chinese system), never GBK bytes taken for another.
TEST_F(TrayAndMenuTest, CopyPutsUnicodeTextAndTheSystemMakesThe8BitForm) {
    ListView_SetSelectionMark(dialog.SearchPanel().ResultList().Handle(), AddSelectedRow());
    Command(ID_LIST_COPY);
    const std::wstring wide = ClipboardData<wchar_t>(CF_UNICODETEXT);
    EXPECT_EQ(wide, WideFromGbk(RowAddress));
    char eightBit[256] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, eightBit, sizeof eightBit, nullptr, nullptr);
    EXPECT_EQ(ClipboardData<char>(CF_TEXT), eightBit);
}

TEST_F(TrayAndMenuTest, DownloadHandsTheAddressToTheBrowserProgram) {
    Command(ID_LIST_DOWNLOAD);
    AddSelectedRow();
    Command(ID_LIST_DOWNLOAD);
    ASSERT_EQ(calls.shellOpens.size(), 2u);
    for (const auto& open : calls.shellOpens) {
        EXPECT_EQ(open.file, L"iexplore.exe");
        EXPECT_EQ(open.showCommand, SW_SHOW);
    }
    EXPECT_EQ(calls.shellOpens[0].parameters, L"");
    EXPECT_EQ(calls.shellOpens[1].parameters, WideFromGbk(RowAddress));
}

TEST_F(TrayAndMenuTest, DoubleClickPlaysTheRow) {
    AddSelectedRow();
    EXPECT_EQ(Notify(NM_DBLCLK), 0);
    ASSERT_TRUE(dialog.PlayPanel().PlayPane().Exists());
    EXPECT_NE(dialog.PlayPanel().PlayPane().address.find(RowAddress), std::string::npos);
}

TEST_F(TrayAndMenuTest, TrayKeepsOneIconAndTheWindowComesAndGoes) {
    const NOTIFYICONDATAW icon = dialog.TrayAndMenus().TrayIcon();
    EXPECT_STREQ(icon.szTip, L"Qiv云播盒子");
    EXPECT_EQ(icon.uCallbackMessage, static_cast<UINT>(WM_TRAY_NOTIFY));
    Click(IDC_TRAY);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconPresent(window));

    // Another icon id is answered with 1 and changes nothing.
    EXPECT_EQ(TrayNotify(129, WM_LBUTTONDBLCLK), 1);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(TrayNotify(128, WM_MOUSEMOVE), 0);
    EXPECT_FALSE(IsWindowVisible(window));

    EXPECT_EQ(TrayNotify(128, WM_LBUTTONDBLCLK), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconPresent(window));

    Click(IDC_TRAY);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconPresent(window));

    calls.menuChoices = {ID_TRAY_SHOW};
    EXPECT_EQ(TrayNotify(128, WM_RBUTTONUP), 0);
    ASSERT_EQ(calls.popupMenus.size(), 1u);
    const std::vector<std::pair<UINT, std::string>> items = {{ID_TRAY_SHOW, "显示窗口(&X)"}, {ID_TRAY_EXIT, "退出程序(&T)"}};
    EXPECT_EQ(calls.popupMenus[0].items, items);
    test::PumpFor(100);
    EXPECT_TRUE(IsWindowVisible(window));

    calls.menuChoices = {ID_TRAY_EXIT};
    TrayNotify(128, WM_RBUTTONUP);
    test::PumpFor(100);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(calls.messageBoxes.empty());
}

TEST_F(TrayAndMenuTest, CloseButtonAsksThenGoesToTheTrayOrExits) {
    calls.answers = {IDYES};
    Click(IDC_CLOSE);
    ASSERT_EQ(calls.messageBoxes.size(), 1u);
    EXPECT_EQ(calls.messageBoxes[0].text, "Qiv云播提示:是否最小化到托盘?");
    EXPECT_EQ(calls.messageBoxes[0].caption, "Qiv云播提示");
    EXPECT_EQ(calls.messageBoxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
    EXPECT_EQ(calls.messageBoxes[0].owner, window);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconPresent(window));

    calls.answers = {IDNO};
    Click(IDC_CLOSE);
    EXPECT_EQ(calls.messageBoxes.size(), 2u);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(TrayIconPresent(window));
}

TEST_F(TrayAndMenuTest, IntroductionToggleAndOutsidePages) {
    ASSERT_FALSE(dialog.SearchPanel().IntroShown());
    Click(IDC_INTRO_TOGGLE);
    EXPECT_TRUE(dialog.SearchPanel().IntroShown());
    EXPECT_TRUE(IsWindowVisible(dialog.Item(IDC_INTRO_TEXT)));
    EXPECT_TRUE(IsWindowVisible(dialog.Item(IDC_INTRO_FRAME)));
    EXPECT_EQ(dialog.ItemText(IDC_INTRO_TOGGLE), "关闭搜索及播放选项简介");
    Click(IDC_INTRO_TOGGLE);
    EXPECT_FALSE(dialog.SearchPanel().IntroShown());
    EXPECT_FALSE(IsWindowVisible(dialog.Item(IDC_INTRO_TEXT)));
    EXPECT_FALSE(IsWindowVisible(dialog.Item(IDC_INTRO_FRAME)));
    EXPECT_EQ(dialog.ItemText(IDC_INTRO_TOGGLE), "显示搜索及播放选项简介");

    // Shown, then hidden by a panel switch: the next click only clears the flag, the one after shows it.
    Click(IDC_INTRO_TOGGLE);
    Click(IDC_PLAY_TAB);
    Click(IDC_SEARCH_TAB);
    EXPECT_FALSE(IsWindowVisible(dialog.Item(IDC_INTRO_TEXT)));
    EXPECT_TRUE(dialog.SearchPanel().IntroShown());
    Click(IDC_INTRO_TOGGLE);
    EXPECT_FALSE(dialog.SearchPanel().IntroShown());
    EXPECT_FALSE(IsWindowVisible(dialog.Item(IDC_INTRO_TEXT)));
    Click(IDC_INTRO_TOGGLE);
    EXPECT_TRUE(IsWindowVisible(dialog.Item(IDC_INTRO_TEXT)));
    Click(IDC_INTRO_TOGGLE);
    EXPECT_FALSE(dialog.SearchPanel().IntroShown());

    Click(IDC_HOME_BANNER);
    Click(IDC_FEEDBACK);
    ASSERT_EQ(calls.shellOpens.size(), 2u);
    EXPECT_EQ(calls.shellOpens[0].file, WideFromGbk(config::HomePageAddress));
    EXPECT_EQ(calls.shellOpens[1].file, WideFromGbk(config::FeedbackPageAddress));
    for (const auto& open : calls.shellOpens) {
        EXPECT_EQ(open.parameters, L"");
        EXPECT_EQ(open.showCommand, SW_SHOW);
    }
}

// Buttons 1083 and 1084 open the pages of the manifest that the start-up check accepted, and only
// web pages: a correctly signed manifest that names the calculator or a file: address opens nothing.
TEST(ManifestLinks, OpenOnlyWebPagesOfTheCheckedManifest) {
    const std::string server = config::UpdateServerAddress;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const StartupCheckSettings settings{server + ManifestServerPath, std::string(folder) + "qivyun-links.ini", "", ""};
    const struct {
        std::string mtkan, qvod;
        std::vector<std::string> opened;
    } cases[] = {
        {"C:\\Windows\\System32\\calc.exe", "file:///C:/Windows/System32/calc.exe", {}},
        {"http://127.0.0.1:9/mtkanpp_3.0.exe", "https://qvod.example/down",
         {"http://127.0.0.1:9/mtkanpp_3.0.exe", "https://qvod.example/down"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mtkan);
        int status = 0;
        test::HttpRequest("POST", server + "/world/manifest",
                          "[Release]\r\nserial=" + std::to_string(config::ReleaseSerial) + "\r\n[Mtkan]\r\nurl=" + c.mtkan +
                              "\r\n[qvod]\r\nurl=" + c.qvod + "\r\n",
                          &status);
        ASSERT_EQ(status, 200);
        test::SystemCallRecorder calls;
        MainDialog dialog(settings);
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(test::PumpUntil([&] { return !dialog.StartupCheckWorker().IsRunning(); }, 20000));
        test::PumpFor(50);
        ASSERT_EQ(dialog.ItemText(IDC_STATUS_LINE).find("   连接到远程服务器成功"), 0u) << "the manifest passed its check";
        for (int id : {IDC_MTKAN_DOWNLOAD, IDC_QVOD_LINK})
            SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id)));
        std::vector<std::string> opened;
        for (const auto& open : calls.shellOpens) {
            opened.push_back(GbkFromWide(open.file));
            EXPECT_EQ(open.showCommand, SW_SHOW);
        }
        EXPECT_EQ(opened, c.opened);
        dialog.Destroy();
    }
    test::HttpRequest("DELETE", server + "/world/manifest");
    DeleteFileA(settings.manifestPath.c_str());
    DeleteFileA(SignatureLocationOf(settings.manifestPath).c_str());
}

}  // namespace
}  // namespace qivyun
