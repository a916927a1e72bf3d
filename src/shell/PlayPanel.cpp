// The play panel and its browser panes. A pane covers the content area below the header band.
#include "shell/PlayPanel.h"

#include "BuildConfig.h"
#include "common/CodePage.h"
#include "framework/DeviceContext.h"
#include "framework/SystemCalls.h"
#include "framework/Text.h"
#include "shell/ControlPlaces.h"
#include "shell/ResourceIds.h"

namespace qivyun {
namespace {

constexpr char AddressPlaceholder[] = "在此输入视频连接地址(thunder、http、ftp、ed2k、magnet、xplan、bt、Hash)";
constexpr char InvalidAddressText[] = "播放地址不合法！请输入有效的播放地址";
constexpr char UnplayableCharactersText[] = "播放地址中有无法识别的字符！请检查播放地址";
constexpr char PromptCaption[] = "Qiv云播提示";
constexpr char NoEngineText[] = "请至少点选一个云播服务器引擎！";
// The caption of the program's own message boxes.
constexpr char ApplicationName[] = "QivYunPlay";

// Client-area pixels.
constexpr ControlPlace Places[] = {
    {IDC_CLOSE_PLAYBACK, 881, 67, 60, 20, false},
    {IDC_CLOSE_RADIO, 881, 66, 60, 20, false},
    {IDC_CLOSE_LIVE_TV, 881, 67, 60, 20, false},
    {IDC_PLAY_ADDRESS, 150, 405, 570, 25, false},
    {IDC_PLAY, 735, 405, 65, 25, false},
    {IDC_PLAY_ENGINES_FRAME, 757, 325, 172, 100, true},
    {IDC_PLAY_ENGINE_MTKAN, 770, 350, 170, 18, true},
    {IDC_PLAY_ENGINE_KCPLAY, 770, 375, 170, 18, true},
    {IDC_PLAY_PANEL_PICTURE, 0, 86, 940, 552, false},
};

constexpr int ServiceChoice[] = {IDC_PLAY_ENGINES_FRAME, IDC_PLAY_ENGINE_KCPLAY, IDC_PLAY_ENGINE_MTKAN};
constexpr int CloseButtons[] = {IDC_CLOSE_PLAYBACK, IDC_CLOSE_LIVE_TV, IDC_CLOSE_RADIO};
constexpr int NoCloseButton = 0;

void HidePane(BrowserPane& pane) {
    if (pane.Exists()) pane.Show(SW_HIDE);
}

}  // namespace

const MessageMap<PlayPanel> PlayPanel::messages = {
    OnClick(IDC_PLAY_ENGINE_KCPLAY, &PlayPanel::SelectPlayEngine, IDC_PLAY_ENGINE_KCPLAY),
    OnClick(IDC_PLAY_ENGINE_MTKAN, &PlayPanel::SelectPlayEngine, IDC_PLAY_ENGINE_MTKAN),
    OnClick(IDC_PLAY, &PlayPanel::OnPlay),
    OnClick(IDC_CLOSE_PLAYBACK, &PlayPanel::OnClosePlayback),
    OnClick(IDC_CLOSE_LIVE_TV, &PlayPanel::OnCloseLiveTv),
    OnClick(IDC_CLOSE_RADIO, &PlayPanel::OnCloseRadio),
};

PlayPanel::PlayPanel(Dialog& window, PanelSwitch& tabs, BrowserControl& counterBrowser)
    : window(window), tabs(tabs), counterBrowser(counterBrowser) {}

void PlayPanel::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_PLAY, playButton);
    exchange.Control(IDC_PLAY_PANEL_PICTURE, playPanelPicture);
    exchange.Control(IDC_CLOSE_RADIO, closeRadioButton);
    exchange.Control(IDC_CLOSE_LIVE_TV, closeLiveTvButton);
    exchange.Control(IDC_CLOSE_PLAYBACK, closePlaybackButton);
    exchange.Text(IDC_PLAY_ADDRESS, addressText);
}

void PlayPanel::LayOut() {
    PlaceControls(window, Places);
    LoadButtonPictures({{closePlaybackButton, IDR_PNG_CLOSE_PLAYBACK},
                        {closeRadioButton, IDR_PNG_CLOSE_RADIO},
                        {closeLiveTvButton, IDR_PNG_CLOSE_LIVE_TV},
                        {playButton, IDR_PNG_PLAY}});
    if (playPanelPicture.LoadPictureResource(IDR_PLAY_PANEL_PICTURE, "jpg")) playPanelPicture.StartPicture();
    addressText = AddressPlaceholder;
}

void PlayPanel::ShowServiceChoice(bool show) const {
    for (int id : ServiceChoice) window.ShowItem(id, show);
}

void PlayPanel::ShowCloseButtonOnly(int closeButtonId) const {
    for (int id : CloseButtons) window.ShowItem(id, id == closeButtonId);
}

void PlayPanel::SelectPlayEngine(int checkBoxId) {
    window.UpdateData(true);
    bool mtkan = checkBoxId == IDC_PLAY_ENGINE_MTKAN;
    CheckDlgButton(window.Handle(), IDC_PLAY_ENGINE_MTKAN, mtkan ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window.Handle(), IDC_PLAY_ENGINE_KCPLAY, mtkan ? BST_UNCHECKED : BST_CHECKED);
    playEngine = mtkan ? PlayEngine::Mtkan : PlayEngine::Kcplay;
}

void PlayPanel::ShowPlayTab() {
    for (BrowserPane* pane : {&liveTvPane, &radioPane})
        if (pane->Exists()) pane->Show(SW_HIDE);
    window.ShowItem(IDC_CLOSE_LIVE_TV, false);
    window.ShowItem(IDC_CLOSE_RADIO, false);
    if (playPane.Exists()) {
        playPane.Show(SW_SHOW);
        window.ShowItem(IDC_CLOSE_PLAYBACK, true);
        return;
    }
    if (!addressFont) {
        int height = -MulDiv(11, GetDeviceCaps(ClientDc(nullptr).Get(), LOGPIXELSY), 72);
        addressFont.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
    }
    SendMessageW(window.Item(IDC_PLAY_ADDRESS), WM_SETFONT, reinterpret_cast<WPARAM>(addressFont.Get()), TRUE);
    // The picture is painted before the play button shows, so that the button's one capture of
    // its background takes the picture's pixels.
    window.ShowItem(IDC_PLAY_PANEL_PICTURE, true);
    UpdateWindow(window.Handle());
    window.ShowItem(IDC_PLAY_ADDRESS, true);
    window.ShowItem(IDC_PLAY, true);
}

void PlayPanel::HideForSearchTab() {
    ShowCloseButtonOnly(NoCloseButton);
    for (BrowserPane* pane : {&playPane, &liveTvPane, &radioPane}) HidePane(*pane);
    HideAddressBoxAndPicture();
}

void PlayPanel::HideAddressBox() {
    window.ShowItem(IDC_PLAY_ADDRESS, false);
    window.ShowItem(IDC_PLAY, false);
}

void PlayPanel::HideAddressBoxAndPicture() {
    HideAddressBox();
    window.ShowItem(IDC_PLAY_PANEL_PICTURE, false);
}

void PlayPanel::MovePane(BrowserPane& pane, const PaneGeometry& geometry) {
    RECT client = window.ClientRect();
    int x = client.left + geometry.paneLeftOffset;
    int y = client.top + geometry.paneTopOffset;
    pane.Move(x, y, client.right - x, client.bottom - y, true);
    pane.Show(SW_SHOWNORMAL);
}

void PlayPanel::OpenPane(BrowserPane& pane, const std::string& paneAddress, const PaneGeometry& geometry) {
    pane.address = paneAddress;
    pane.Create(window.Handle());
    pane.PlaceBrowser(geometry.browserX, geometry.browserY, geometry.browserWidth, geometry.browserHeight);
    tabs.HideSearchPanel();
    HideAddressBoxAndPicture();
    window.UpdateData(false);
    MovePane(pane, geometry);
}

void PlayPanel::OnPlay() {
    window.UpdateData(true);
    // The services take the address as the program keeps it, in GBK: one that GBK cannot hold
    // would play something else.
    bool lossless = true;
    std::string address = GbkFromWide(WideTextOf(window.Item(IDC_PLAY_ADDRESS)), &lossless);
    if (!lossless) {
        ShowMessageBox(window.Handle(), UnplayableCharactersText, PromptCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    if (address.empty() || !IsPlayableTypedAddress(address)) {
        ShowMessageBox(window.Handle(), InvalidAddressText, PromptCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    PlayAddress(address, PlaySource::AddressBox);
}

// The initial empty row and a list without selection mark play nothing, without a message.
void PlayPanel::PlayFromList(const ResultRow& row) {
    window.UpdateData(true);
    if (row.address.empty() || row.name.empty()) return;
    PlayAddress(row.address, PlaySource::List);
}

// Every play reloads the counter page.
void PlayPanel::PlayAddress(const std::string& address, PlaySource source) {
    if (!playEngine) {
        ShowMessageBox(window.Handle(), NoEngineText, ApplicationName, MB_OK | MB_ICONINFORMATION);
        return;
    }
    OpenPlayPane(*playEngine, PlayRequestAddress(*playEngine, source, address), source);
    counterBrowser.Refresh();
    ShowCloseButtonOnly(IDC_CLOSE_PLAYBACK);
    window.UpdateData(false);
}

// Each play replaces the playback pane's window.
void PlayPanel::OpenPlayPane(PlayEngine engine, const std::string& requestAddress, PlaySource source) {
    playPane.Destroy();
    HidePane(liveTvPane);
    HidePane(radioPane);
    OpenPane(playPane, requestAddress, PlayPaneGeometry(engine, source));
}

// A hidden live-TV pane comes back as it was, without reloading; the radio pane goes.
void PlayPanel::ShowLiveTv() {
    if (liveTvPane.Exists()) {
        tabs.HideSearchPanel();
        HideAddressBoxAndPicture();
        HidePane(playPane);
        radioPane.Destroy();
        liveTvPane.Show(SW_SHOW);
    } else {
        HidePane(playPane);
        radioPane.Destroy();
        OpenPane(liveTvPane, config::LiveTvPageAddress, LiveTvPaneGeometry);
    }
    ShowCloseButtonOnly(IDC_CLOSE_LIVE_TV);
}

void PlayPanel::ShowRadio() {
    HidePane(playPane);
    liveTvPane.Destroy();
    tabs.HideSearchPanel();
    HideAddressBoxAndPicture();
    if (radioPane.Exists())
        radioPane.Show(SW_SHOWNORMAL);
    else
        OpenPane(radioPane, config::RadioPageAddress, RadioPaneGeometry);
    ShowCloseButtonOnly(IDC_CLOSE_RADIO);
}

void PlayPanel::OnClosePlayback() {
    playPane.Destroy();
    tabs.ShowSearchTab();
}

void PlayPanel::OnCloseLiveTv() {
    liveTvPane.Destroy();
    tabs.ShowSearchTab();
}

void PlayPanel::OnCloseRadio() {
    radioPane.Destroy();
    tabs.ShowSearchTab();
}

}  // namespace qivyun
