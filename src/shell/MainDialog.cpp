#include "shell/MainDialog.h"

#include "BuildConfig.h"
#include "framework/SystemCalls.h"
#include "shell/ResourceIds.h"
#include "skin/SkinEngine.h"
#include "versioncheck/Manifest.h"

namespace qivyun {
namespace {

constexpr char KeywordPlaceholder[] = "在此输入要搜索的关键词(演员名字 影片番号 影片类型等)";
constexpr char AddressPlaceholder[] = "在此输入视频连接地址(thunder、http、ftp、ed2k、magnet、xplan、bt、Hash)";
constexpr char WindowTitle[] = "Qiv云播盒子";
constexpr char ShowIntroCaption[] = "显示搜索及播放选项简介";
constexpr char HideIntroCaption[] = "关闭搜索及播放选项简介";
constexpr char EcvText[] = "本搜索引擎涉及违禁的血腥暴力色情资源太多！暂时关闭";
constexpr char EcvCaption[] = "Qiv云播盒子友情提示";

constexpr char IntroductionText[] =
    "Ed2k_4U、FuSo搜索较快\r\n资源较多,建议优选使用\r\n\r\nH31B DHCT作为备用引擎\r\nEvc 引擎由于其特殊性\r\n"
    "暂时不与开放！\r\n\r\nmtkan播放引擎具有较好\r\n的播放率,几乎支持所有\r\n媒体格式,需要下载播放\r\n"
    "组件mtkanpp_3.0.exe\r\n\r\nKCPlay播放引擎,无需下\r\n载播放组件可随意拖放\r\n速度也很快,但支持播放\r\n"
    "的文件太少！作为备用\r\n\r\n再次点击查看说明关闭";

constexpr COLORREF ResultTextColour = RGB(94, 95, 255);
constexpr COLORREF PlaceholderGrey = RGB(122, 132, 142);
constexpr DWORD ResultListExtendedStyles = LVS_EX_FULLROWSELECT | LVS_EX_HIDELABELS;

struct ControlPlace {
    int id;
    int x, y, width, height;
    bool visibleAtStart;
    int picture = 0;  // the image button's PNG
};

// Client-area pixels; the order is the order of the moves at start-up.
constexpr ControlPlace Layout[] = {
    {IDC_PLAY_TAB, 40, 4, 75, 75, true, IDR_PNG_PLAY_TAB},
    {IDC_SEARCH_TAB, 180, 3, 75, 75, true, IDR_PNG_SEARCH_TAB},
    {IDC_RADIO_TAB, 320, 3, 75, 75, true, IDR_PNG_RADIO_TAB},
    {IDC_LIVE_TV_TAB, 460, 3, 75, 75, true, IDR_PNG_LIVE_TV_TAB},
    {IDC_HOME_BANNER, 660, 3, 220, 75, true, IDR_PNG_HOME_BANNER},
    {IDC_CLOSE_PLAYBACK, 881, 67, 60, 20, false, IDR_PNG_CLOSE_PLAYBACK},
    {IDC_CLOSE_RADIO, 881, 66, 60, 20, false, IDR_PNG_CLOSE_RADIO},
    {IDC_CLOSE_LIVE_TV, 881, 67, 60, 20, false, IDR_PNG_CLOSE_LIVE_TV},
    {IDC_PLAY_ADDRESS, 150, 405, 570, 25, false},
    {IDC_PLAY, 735, 405, 65, 25, false, IDR_PNG_PLAY},
    {IDC_SEARCH, 678, 95, 70, 23, true},
    {IDC_KEYWORD, 151, 96, 515, 22, true},
    {IDC_LOAD_MORE, 658, 478, 90, 23, true},
    {IDC_CLOSE, 917, 3, 26, 18, true, IDR_PNG_CLOSE},
    {IDC_TRAY, 888, 0, 22, 18, true, IDR_PNG_TRAY},
    {IDC_SEARCH_ENGINES_FRAME, 757, 122, 172, 185, true},
    {IDC_ENGINE_HASH, 770, 142, 160, 18, true},
    {IDC_ENGINE_FUSO, 770, 167, 160, 18, true},
    {IDC_ENGINE_ED2K4U, 770, 192, 160, 18, true},
    {IDC_ENGINE_H31B, 770, 217, 160, 18, true},
    {IDC_ENGINE_DHCT, 770, 242, 160, 18, true},
    {IDC_ENGINE_ECV, 770, 267, 160, 18, true},
    {IDC_PLAY_ENGINES_FRAME, 757, 325, 172, 100, true},
    {IDC_PLAY_ENGINE_MTKAN, 770, 350, 170, 18, true},
    {IDC_PLAY_ENGINE_KCPLAY, 770, 375, 170, 18, true},
    {IDC_VISITOR_BROWSER, 0, 60, 0, 0, true},
    {IDC_COUNTER_BROWSER, 0, 0, 0, 0, true},
    {IDC_RESULT_LIST, 150, 123, 600, 350, true},
    {IDC_SEARCH_STATUS, 155, 481, 500, 12, true},
    {IDC_PLAY_PANEL_PICTURE, 0, 86, 940, 552, false},
    {IDC_FEEDBACK, 885, 91, 50, 20, true},
    {IDC_STATUS_LINE, 0, 586, 740, 16, true},
    {IDC_INTRO_FRAME, 7, 203, 136, 250, true},
    {IDC_INTRO_TEXT, 11, 223, 130, 250, true},
    {IDC_INTRO_TOGGLE, 7, 164, 140, 30, true, IDR_PNG_INTRO_TOGGLE},
    {IDC_QVOD_LINK, 7, 129, 140, 30, true, IDR_PNG_QVOD_LINK},
    {IDC_MTKAN_DOWNLOAD, 7, 94, 140, 30, true, IDR_PNG_MTKAN_DOWNLOAD},
};

constexpr int SearchPanelHideOrder[] = {
    IDC_SEARCH_ENGINES_FRAME, IDC_PLAY_ENGINES_FRAME, IDC_PLAY_ENGINE_KCPLAY, IDC_PLAY_ENGINE_MTKAN, IDC_ENGINE_HASH,
    IDC_ENGINE_FUSO, IDC_ENGINE_ECV, IDC_ENGINE_DHCT, IDC_ENGINE_H31B, IDC_ENGINE_ED2K4U, IDC_LOAD_MORE, IDC_SEARCH,
    IDC_RESULT_LIST, IDC_KEYWORD, IDC_SEARCH_STATUS, IDC_STATUS_LINE, IDC_FEEDBACK, IDC_INTRO_TOGGLE,
    IDC_MTKAN_DOWNLOAD, IDC_INTRO_TEXT, IDC_INTRO_FRAME, IDC_QVOD_LINK,
};

// The introduction (1080, 1081) is not among these: returning to the search panel leaves it hidden.
constexpr int SearchPanelShowOrder[] = {
    IDC_QVOD_LINK, IDC_SEARCH_ENGINES_FRAME, IDC_PLAY_ENGINES_FRAME, IDC_PLAY_ENGINE_KCPLAY, IDC_PLAY_ENGINE_MTKAN,
    IDC_ENGINE_HASH, IDC_ENGINE_FUSO, IDC_ENGINE_ECV, IDC_ENGINE_DHCT, IDC_ENGINE_H31B, IDC_ENGINE_ED2K4U,
    IDC_LOAD_MORE, IDC_SEARCH, IDC_RESULT_LIST, IDC_KEYWORD, IDC_SEARCH_STATUS, IDC_STATUS_LINE, IDC_FEEDBACK,
    IDC_INTRO_TOGGLE, IDC_MTKAN_DOWNLOAD,
};

// The engines' check boxes in launch order.
constexpr int EngineCheckBoxes[EngineCount] = {IDC_ENGINE_ED2K4U, IDC_ENGINE_H31B, IDC_ENGINE_DHCT, IDC_ENGINE_FUSO,
                                               IDC_ENGINE_HASH};

}  // namespace

const MessageMap<MainDialog> MainDialog::messages = {
    OnMessage(WM_PAINT, &MainDialog::OnPaint),
    OnMessage(WM_QUERYDRAGICON, &MainDialog::OnQueryDragIcon),
    OnClick(IDC_SEARCH_TAB, &MainDialog::OnSearchTab),
    OnClick(IDC_PLAY_TAB, &MainDialog::OnPlayTab),
    OnNotify(IDC_RESULT_LIST, NM_RCLICK, &MainDialog::OnListRightClick),
    OnNotify(IDC_RESULT_LIST, NM_DBLCLK, &MainDialog::OnListDoubleClick),
    OnClick(IDC_LOAD_MORE, &MainDialog::OnLoadMore),
    OnClick(IDC_SEARCH, &MainDialog::OnSearch),
    OnMessage(WM_NCHITTEST, &MainDialog::OnNcHitTest),
    OnMessage(WM_TIMER, &MainDialog::OnTimer),
    OnClick(IDC_ENGINE_ED2K4U, &MainDialog::SelectEngine, EngineId::Ed2k4U),
    OnClick(IDC_ENGINE_H31B, &MainDialog::SelectEngine, EngineId::H31B),
    OnClick(IDC_PLAY_ENGINE_KCPLAY, &MainDialog::SelectPlayEngine, IDC_PLAY_ENGINE_KCPLAY),
    OnClick(IDC_PLAY_ENGINE_MTKAN, &MainDialog::SelectPlayEngine, IDC_PLAY_ENGINE_MTKAN),
    OnControlColor(&MainDialog::OnCtlColor),
    OnMessage(WM_LBUTTONDOWN, &MainDialog::OnLButtonDown),
    OnClick(IDC_CLOSE, &MainDialog::OnCloseButton),
    OnClick(IDC_TRAY, &MainDialog::MinimiseToTray),
    OnClick(IDC_ENGINE_DHCT, &MainDialog::SelectEngine, EngineId::DHCT),
    OnClick(IDC_ENGINE_ECV, &MainDialog::OnEngineEcv),
    OnClick(IDC_CLOSE_PLAYBACK, &MainDialog::OnClosePlayback),
    OnMessage(WM_TRAY_NOTIFY, &MainDialog::OnTrayNotify),
    OnClick(IDC_PLAY, &MainDialog::OnPlay),
    OnClick(IDC_LIVE_TV_TAB, &MainDialog::OnLiveTv),
    OnClick(IDC_RADIO_TAB, &MainDialog::OnRadio),
    OnClick(IDC_CLOSE_RADIO, &MainDialog::OnCloseRadio),
    OnClick(IDC_CLOSE_LIVE_TV, &MainDialog::OnCloseLiveTv),
    OnMessage(WM_DESTROY, &MainDialog::RemoveTrayIcon),
    OnCommand(ID_LIST_DOWNLOAD, &MainDialog::OnDownloadWithBrowser),
    OnCommand(ID_LIST_PLAY, &MainDialog::PlayFromList),
    OnCommand(ID_LIST_COPY, &MainDialog::OnCopyAddress),
    OnCommand(ID_TRAY_SHOW, &MainDialog::OnShowWindow),
    OnClick(IDC_HOME_BANNER, &MainDialog::OnHomeBanner),
    OnClick(IDC_FEEDBACK, &MainDialog::OnFeedback),
    OnClick(IDC_ENGINE_FUSO, &MainDialog::SelectEngine, EngineId::FuSo),
    OnClick(IDC_INTRO_TOGGLE, &MainDialog::OnToggleIntro),
    OnClick(IDC_MTKAN_DOWNLOAD, &MainDialog::OpenManifestLink, manifest::MtkanSection),
    OnClick(IDC_QVOD_LINK, &MainDialog::OpenManifestLink, manifest::QvodSection),
    OnCommand(ID_TRAY_EXIT, &MainDialog::OnOK),
    OnClick(IDC_ENGINE_HASH, &MainDialog::SelectEngine, EngineId::Hash),
};

MainDialog::MainDialog(StartupCheckSettings settings)
    : DialogImpl(IDD_MAIN_DIALOG),
      icon(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDR_MAIN_ICON))),
      checkSettings(std::move(settings)) {
    BrowserControl::RegisterWindowClass();
}

MainDialog::~MainDialog() { Destroy(); }

void MainDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_QVOD_LINK, qvodLinkButton);
    exchange.Control(IDC_MTKAN_DOWNLOAD, mtkanDownloadButton);
    exchange.Control(IDC_INTRO_TOGGLE, introButton);
    exchange.Control(IDC_HOME_BANNER, homeBanner);
    exchange.Control(IDC_PLAY, playButton);
    exchange.Control(IDC_PLAY_PANEL_PICTURE, playPanelPicture);
    exchange.Control(IDC_LIVE_TV_TAB, liveTvTile);
    exchange.Control(IDC_RADIO_TAB, radioTile);
    exchange.Control(IDC_CLOSE_RADIO, closeRadioButton);
    exchange.Control(IDC_CLOSE_LIVE_TV, closeLiveTvButton);
    exchange.Control(IDC_CLOSE_PLAYBACK, closePlaybackButton);
    exchange.Control(IDC_SEARCH_TAB, searchTile);
    exchange.Control(IDC_TRAY, trayButton);
    exchange.Control(IDC_CLOSE, closeButton);
    exchange.Control(IDC_PLAY_TAB, playTile);
    exchange.Control(IDC_RESULT_LIST, resultList);
    exchange.Control(IDC_VISITOR_BROWSER, visitorBrowser);
    exchange.Check(IDC_ENGINE_ED2K4U, engineEnabled[static_cast<int>(EngineId::Ed2k4U)]);
    exchange.Check(IDC_ENGINE_H31B, engineEnabled[static_cast<int>(EngineId::H31B)]);
    exchange.Check(IDC_ENGINE_DHCT, engineEnabled[static_cast<int>(EngineId::DHCT)]);
    exchange.Text(IDC_SEARCH_STATUS, statusText);
    exchange.Text(IDC_KEYWORD, keywordText);
    exchange.Text(IDC_PLAY_ADDRESS, addressText);
    exchange.Control(IDC_COUNTER_BROWSER, counterBrowser);
    exchange.Check(IDC_ENGINE_FUSO, engineEnabled[static_cast<int>(EngineId::FuSo)]);
    exchange.Check(IDC_ENGINE_HASH, engineEnabled[static_cast<int>(EngineId::Hash)]);
}

bool MainDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    // the template's caption gives way to the (still empty) text of the start-up check
    PutStatusLine();
    StartStartupCheck();
    LayOutControls();
    ShowItem(IDC_INTRO_TEXT, false);
    ShowItem(IDC_INTRO_FRAME, false);
    SetItemText(IDC_INTRO_TEXT, IntroductionText);
    if (playPanelPicture.LoadPictureResource(IDR_PLAY_PANEL_PICTURE, "jpg")) playPanelPicture.StartPicture();
    keywordText = KeywordPlaceholder;
    addressText = AddressPlaceholder;
    SetText(WindowTitle);
    UpdateData(false);
    skin::LoadSkinFromResource(MAKEINTRESOURCEA(IDR_SKIN), "ZOR", nullptr, 0, 0, 0);
    SetUpResultList();
    SelectEngine(EngineId::Ed2k4U);
    SelectPlayEngine(IDC_PLAY_ENGINE_MTKAN);
    return true;
}

void MainDialog::StartStartupCheck() {
    StartupCheckWindow window{
        Gate(),
        [this](const std::string& address) { visitorBrowser.Navigate(address); },
        [this](const std::string& address) { counterBrowser.Navigate(address); },
        [this](const std::string& text) { SetStatusLine(text); },
        [this](const CheckedManifest& manifest) { checkedManifest = manifest; },
    };
    startupCheckWorker.Start([window, settings = checkSettings] { return StartupCheck(window, settings); });
}

void MainDialog::LayOutControls() {
    Move(0, 0, 939, 602);
    for (const ControlPlace& place : Layout) {
        MoveItem(place.id, place.x, place.y, place.width, place.height);
        if (place.picture) ImageButtonAt(place.id).LoadButtonImage(place.picture, "PNG");
        if (!place.visibleAtStart) ShowItem(place.id, false);
    }
}

ImageButton& MainDialog::ImageButtonAt(int id) {
    const std::pair<int, ImageButton*> buttons[] = {
        {IDC_QVOD_LINK, &qvodLinkButton},      {IDC_MTKAN_DOWNLOAD, &mtkanDownloadButton},
        {IDC_INTRO_TOGGLE, &introButton},      {IDC_HOME_BANNER, &homeBanner},
        {IDC_PLAY, &playButton},               {IDC_LIVE_TV_TAB, &liveTvTile},
        {IDC_RADIO_TAB, &radioTile},           {IDC_CLOSE_RADIO, &closeRadioButton},
        {IDC_CLOSE_LIVE_TV, &closeLiveTvButton}, {IDC_CLOSE_PLAYBACK, &closePlaybackButton},
        {IDC_SEARCH_TAB, &searchTile},         {IDC_TRAY, &trayButton},
        {IDC_CLOSE, &closeButton},             {IDC_PLAY_TAB, &playTile},
    };
    for (const auto& [buttonId, button] : buttons)
        if (buttonId == id) return *button;
    return playTile;  // not reached: every id with a picture is one of the buttons
}

void MainDialog::SetUpResultList() {
    resultList.SetTextColor(ResultTextColour);
    resultList.AddExtendedStyle(ResultListExtendedStyles);
    resultList.InsertColumn(0, "ID", 25);
    resultList.InsertColumn(1, "影片名称", 490);
    resultList.InsertColumn(2, "大小", 80);
    resultList.InsertColumn(3, "地址", 600);
    int row = resultList.InsertRow(0, "");
    for (int column = 1; column < 4; ++column) resultList.SetCellText(row, column, "");
}

void MainDialog::SetStatusLine(const std::string& text) {
    statusLineText = text;
    PutStatusLine();
}

void MainDialog::PutStatusLine() { SetItemText(IDC_STATUS_LINE, statusLineText.c_str()); }

void MainDialog::ShowSearchPanel() {
    PutStatusLine();
    for (int id : SearchPanelShowOrder) ShowItem(id, true);
}

void MainDialog::HideSearchPanel() {
    for (int id : SearchPanelHideOrder) ShowItem(id, false);
}

void MainDialog::ShowWaitingPopup(const char* text) {
    // The popup has one window at a time: a request that starts before the last one ended
    // replaces it.
    waitingPopup.Destroy();
    waitingPopup.message = text;
    waitingPopup.Create(hwnd_);
    // A top-level window: the client rectangle's figures become screen coordinates.
    RECT client = ClientRect();
    int x = client.left + 360;
    int y = client.top + 295;
    waitingPopup.Move(x, y, (client.right - 260) - x, (client.bottom - 235) - y, true);
    waitingPopup.Show(SW_SHOWNORMAL);
    UpdateData(false);
}

std::string MainDialog::KeywordText(int limit) const { return ItemText(IDC_KEYWORD, limit); }

void MainDialog::ShowSearchStatus(const std::string& text) {
    statusText = text;
    UpdateData(false);
}

// A new search hides the play panel's address box and button, even when the keyword is refused.
void MainDialog::OnSearch() {
    ShowItem(IDC_PLAY_ADDRESS, false);
    ShowItem(IDC_PLAY, false);
    search.OnSearch();
}

// The Ecv box stands for an engine that is switched off: it never stays checked.
void MainDialog::OnEngineEcv() {
    CheckDlgButton(hwnd_, IDC_ENGINE_ECV, BST_UNCHECKED);
    ShowMessageBox(hwnd_, EcvText, EcvCaption, MB_OK | MB_ICONEXCLAMATION);
}

void MainDialog::OnTimer(UINT_PTR timerId) {
    search.OnTimer(timerId);
    Default();
}

void MainDialog::OnSearchTab() {
    ShowItem(IDC_CLOSE_PLAYBACK, false);
    ShowItem(IDC_CLOSE_LIVE_TV, false);
    ShowItem(IDC_CLOSE_RADIO, false);
    for (BrowserPane* pane : {&playPane, &liveTvPane, &radioPane})
        if (pane->Exists()) pane->Show(SW_HIDE);
    ShowSearchPanel();
    ShowItem(IDC_PLAY_ADDRESS, false);
    ShowItem(IDC_PLAY, false);
    ShowItem(IDC_PLAY_PANEL_PICTURE, false);
}

void MainDialog::OnPlayTab() {
    HideSearchPanel();
    for (BrowserPane* pane : {&liveTvPane, &radioPane})
        if (pane->Exists()) pane->Show(SW_HIDE);
    ShowItem(IDC_CLOSE_LIVE_TV, false);
    ShowItem(IDC_CLOSE_RADIO, false);
    if (playPane.Exists()) {
        playPane.Show(SW_SHOW);
        ShowItem(IDC_CLOSE_PLAYBACK, true);
        return;
    }
    if (!addressFont) {
        HDC screen = GetDC(nullptr);
        int height = -MulDiv(11, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        addressFont.Reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体"));
    }
    SendMessageA(Item(IDC_PLAY_ADDRESS), WM_SETFONT, reinterpret_cast<WPARAM>(addressFont.Get()), TRUE);
    // The picture is painted before the play button shows, so that the button's one capture of
    // its background takes the picture's pixels.
    ShowItem(IDC_PLAY_PANEL_PICTURE, true);
    UpdateWindow(hwnd_);
    ShowItem(IDC_PLAY_ADDRESS, true);
    ShowItem(IDC_PLAY, true);
}

void MainDialog::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    UniqueGdiObject<HBITMAP> band(LoadBitmapA(ModuleInstance(), MAKEINTRESOURCEA(IDB_HEADER_BAND)));
    if (band) {
        MemoryDc memory(dc, band.Get());
        RECT client = ClientRect();
        StretchBlt(dc, 0, 0, client.right, client.bottom / 7, memory.Get(), 0, 0, 400, 50, SRCCOPY);
    }
    EndPaint(hwnd_, &paint);
}

HICON MainDialog::OnQueryDragIcon() { return icon; }

LRESULT MainDialog::OnNcHitTest(POINT) { return HTCAPTION; }

HBRUSH MainDialog::OnCtlColor(HDC dc, HWND control) {
    auto brush = reinterpret_cast<HBRUSH>(Default());
    int id = GetDlgCtrlID(control);
    if (id == IDC_KEYWORD || id == IDC_PLAY_ADDRESS) ::SetTextColor(dc, PlaceholderGrey);
    return brush;
}

void MainDialog::OnLButtonDown(UINT, POINT point) {
    PostMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}

void MainDialog::SelectEngine(EngineId engine) {
    UpdateData(true);
    for (int index = 0; index < EngineCount; ++index) {
        bool chosen = index == static_cast<int>(engine);
        CheckDlgButton(hwnd_, EngineCheckBoxes[index], chosen ? BST_CHECKED : BST_UNCHECKED);
        engineEnabled[index] = chosen ? 1 : 0;
    }
}

void MainDialog::SelectPlayEngine(int checkBoxId) {
    UpdateData(true);
    bool mtkan = checkBoxId == IDC_PLAY_ENGINE_MTKAN;
    CheckDlgButton(hwnd_, IDC_PLAY_ENGINE_MTKAN, mtkan ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_PLAY_ENGINE_KCPLAY, mtkan ? BST_UNCHECKED : BST_CHECKED);
    playEngine = mtkan ? PlayEngine::Mtkan : PlayEngine::Kcplay;
}

void MainDialog::OnHomeBanner() { ShellOpen(hwnd_, config::HomePageAddress, nullptr, SW_SHOW); }

void MainDialog::OnFeedback() { ShellOpen(hwnd_, config::FeedbackPageAddress, nullptr, SW_SHOW); }

void MainDialog::OpenManifestLink(const char* section) {
    std::string page = LinkPageToOpen(checkedManifest, section);
    if (!page.empty()) ShellOpen(hwnd_, page.c_str(), nullptr, SW_SHOW);
}

void MainDialog::OnToggleIntro() {
    const bool show = !introShown;
    introShown = show;
    SetItemText(IDC_INTRO_TOGGLE, show ? HideIntroCaption : ShowIntroCaption);
    ShowItem(IDC_INTRO_TEXT, show);
    ShowItem(IDC_INTRO_FRAME, show);
}

}  // namespace qivyun
