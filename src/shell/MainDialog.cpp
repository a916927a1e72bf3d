#include "shell/MainDialog.h"

#include "BuildConfig.h"
#include "framework/Handles.h"
#include "framework/SystemCalls.h"
#include "shell/ControlPlaces.h"
#include "shell/ResourceIds.h"
#include "skin/SkinEngine.h"

namespace qivyun {
namespace {

constexpr char WindowTitle[] = "Qiv云播盒子";
constexpr char CloseQuestion[] = "Qiv云播提示:是否最小化到托盘?";
constexpr char CloseCaption[] = "Qiv云播提示";
constexpr COLORREF PlaceholderGrey = RGB(122, 132, 142);

// Client-area pixels.
constexpr ControlPlace HeaderPlaces[] = {
    {IDC_PLAY_TAB, 40, 4, 75, 75, true},
    {IDC_SEARCH_TAB, 180, 3, 75, 75, true},
    {IDC_RADIO_TAB, 320, 3, 75, 75, true},
    {IDC_LIVE_TV_TAB, 460, 3, 75, 75, true},
    {IDC_HOME_BANNER, 660, 3, 220, 75, true},
    {IDC_CLOSE, 917, 3, 26, 18, true},
    {IDC_VISITOR_BROWSER, 0, 60, 0, 0, true},
    {IDC_COUNTER_BROWSER, 0, 0, 0, 0, true},
};

}  // namespace

// The window's own entries, then each part's table.
const MessageMap<MainDialog> MainDialog::messages = {
    OnMessage(WM_PAINT, &MainDialog::OnPaint),
    OnMessage(WM_QUERYDRAGICON, &MainDialog::OnQueryDragIcon),
    OnMessage(WM_NCHITTEST, &MainDialog::OnNcHitTest),
    OnControlColor(&MainDialog::OnCtlColor),
    OnMessage(WM_LBUTTONDOWN, &MainDialog::OnLButtonDown),
    OnClick(IDC_SEARCH_TAB, &MainDialog::OnSearchTab),
    OnClick(IDC_PLAY_TAB, &MainDialog::OnPlayTab),
    OnClick(IDC_LIVE_TV_TAB, &MainDialog::OnLiveTvTab),
    OnClick(IDC_RADIO_TAB, &MainDialog::OnRadioTab),
    OnClick(IDC_HOME_BANNER, &MainDialog::OnHomeBanner),
    OnClick(IDC_CLOSE, &MainDialog::OnCloseButton),
    OnCommand(ID_TRAY_EXIT, &MainDialog::OnOK),
    RouteToPart(&MainDialog::searchPanel),
    RouteToPart(&MainDialog::playPanel),
    RouteToPart(&MainDialog::trayAndMenus),
};

MainDialog::MainDialog(StartupCheckSettings settings)
    : DialogImpl(IDD_MAIN_DIALOG),
      icon(LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(IDR_MAIN_ICON))),
      checkSettings(std::move(settings)) {
    BrowserControl::RegisterWindowClass();
}

MainDialog::~MainDialog() { Destroy(); }

void MainDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_PLAY_TAB, playTile);
    exchange.Control(IDC_SEARCH_TAB, searchTile);
    exchange.Control(IDC_RADIO_TAB, radioTile);
    exchange.Control(IDC_LIVE_TV_TAB, liveTvTile);
    exchange.Control(IDC_HOME_BANNER, homeBanner);
    exchange.Control(IDC_CLOSE, closeButton);
    exchange.Control(IDC_VISITOR_BROWSER, visitorBrowser);
    exchange.Control(IDC_COUNTER_BROWSER, counterBrowser);
    searchPanel.DoDataExchange(exchange);
    playPanel.DoDataExchange(exchange);
    trayAndMenus.DoDataExchange(exchange);
}

bool MainDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    // the template's caption gives way to the (still empty) text of the start-up check
    searchPanel.PutStatusLine();
    StartStartupCheck();
    LayOutControls();
    SetText(WindowTitle);
    UpdateData(false);
    skin::LoadSkinFromResource(MAKEINTRESOURCEA(IDR_SKIN), "ZOR", nullptr, 0, 0, 0);
    searchPanel.SetUpResultList();
    searchPanel.SelectEngine(EngineId::Ed2k4U);
    playPanel.SelectPlayEngine(IDC_PLAY_ENGINE_MTKAN);
    return true;
}

void MainDialog::StartStartupCheck() {
    StartupCheckWindow window{
        Gate(),
        [this](const std::string& address) { visitorBrowser.Navigate(address); },
        [this](const std::string& address) { counterBrowser.Navigate(address); },
        [this](const std::string& text) { searchPanel.SetStatusLine(text); },
        [this](const CheckedManifest& manifest) { searchPanel.KeepCheckedManifest(manifest); },
    };
    startupCheckWorker.Start([window, settings = checkSettings] { return StartupCheck(window, settings); });
}

void MainDialog::LayOutControls() {
    Move(0, 0, 939, 602);
    PlaceControls(*this, HeaderPlaces);
    LoadButtonPictures({{playTile, IDR_PNG_PLAY_TAB},
                        {searchTile, IDR_PNG_SEARCH_TAB},
                        {radioTile, IDR_PNG_RADIO_TAB},
                        {liveTvTile, IDR_PNG_LIVE_TV_TAB},
                        {homeBanner, IDR_PNG_HOME_BANNER},
                        {closeButton, IDR_PNG_CLOSE}});
    playPanel.LayOut();
    searchPanel.LayOut();
    trayAndMenus.LayOut();
}

void MainDialog::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    UniqueGdiObject<HBITMAP> band(LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_HEADER_BAND)));
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
    PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}

// The search panel's column also holds the play panel's choice of service.
void MainDialog::HideSearchPanel() {
    searchPanel.Hide();
    playPanel.ShowServiceChoice(false);
}

void MainDialog::OnSearchTab() {
    playPanel.HideForSearchTab();
    searchPanel.Show();
    playPanel.ShowServiceChoice(true);
}

void MainDialog::OnPlayTab() {
    HideSearchPanel();
    playPanel.ShowPlayTab();
}

void MainDialog::OnLiveTvTab() { playPanel.ShowLiveTv(); }

void MainDialog::OnRadioTab() { playPanel.ShowRadio(); }

void MainDialog::OnHomeBanner() { OpenAddress(hwnd_, config::HomePageAddress); }

void MainDialog::OnCloseButton() {
    if (ShowMessageBox(hwnd_, CloseQuestion, CloseCaption, MB_YESNO | MB_ICONWARNING) == IDYES)
        trayAndMenus.MinimiseToTray();
    else
        OnOK();
}

void MainDialog::OnOK() {
    trayAndMenus.RemoveTrayIcon();
    Dialog::OnOK();
}

}  // namespace qivyun
