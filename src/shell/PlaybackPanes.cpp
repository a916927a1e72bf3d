// The main window's browser panes: playing an address through a cloud-play service, live TV and
// the music radio. A pane covers the content area below the header band.
#include "shell/MainDialog.h"

#include "BuildConfig.h"
#include "framework/SystemCalls.h"
#include "playback/PlayRequest.h"
#include "shell/ResourceIds.h"

namespace qivyun {
namespace {

constexpr char InvalidAddressText[] = "播放地址不合法！请输入有效的播放地址";
constexpr char PromptCaption[] = "Qiv云播提示";
constexpr char NoEngineText[] = "请至少点选一个云播服务器引擎！";
// The caption of the program's own message boxes.
constexpr char ApplicationName[] = "QivYunPlay";
// The address box holds at most this many bytes of text, terminator included.
constexpr int AddressBufferSize = 1024;

void HidePane(BrowserPane& pane) {
    if (pane.Exists()) pane.Show(SW_HIDE);
}

}  // namespace

void MainDialog::HidePlayPanel() {
    ShowItem(IDC_PLAY_ADDRESS, false);
    ShowItem(IDC_PLAY, false);
    ShowItem(IDC_PLAY_PANEL_PICTURE, false);
}

void MainDialog::MovePane(BrowserPane& pane, const PaneGeometry& geometry) {
    RECT client = ClientRect();
    int x = client.left + geometry.paneLeftOffset;
    int y = client.top + geometry.paneTopOffset;
    pane.Move(x, y, client.right - x, client.bottom - y, true);
    pane.Show(SW_SHOWNORMAL);
}

void MainDialog::OpenPane(BrowserPane& pane, const std::string& paneAddress, const PaneGeometry& geometry) {
    pane.address = paneAddress;
    pane.Create(hwnd_);
    pane.PlaceBrowser(geometry.browserX, geometry.browserY, geometry.browserWidth, geometry.browserHeight);
    HideSearchPanel();
    HidePlayPanel();
    UpdateData(false);
    MovePane(pane, geometry);
}

void MainDialog::OnPlay() {
    UpdateData(true);
    std::string address = ItemText(IDC_PLAY_ADDRESS, AddressBufferSize);
    if (address.empty() || !IsPlayableTypedAddress(address)) {
        ShowMessageBox(hwnd_, InvalidAddressText, PromptCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    PlayAddress(address, PlaySource::AddressBox);
}

// The initial empty row and a list without selection mark play nothing, without a message.
void MainDialog::PlayFromList() {
    UpdateData(true);
    std::string address = SelectedRowText(3);
    std::string name = SelectedRowText(1);
    if (address.empty() || name.empty()) return;
    PlayAddress(address, PlaySource::List);
}

// Every play reloads the counter page.
void MainDialog::PlayAddress(const std::string& address, PlaySource source) {
    if (!playEngine) {
        ShowMessageBox(hwnd_, NoEngineText, ApplicationName, MB_OK | MB_ICONINFORMATION);
        return;
    }
    OpenPlayPane(*playEngine, PlayRequestAddress(*playEngine, source, address), source);
    counterBrowser.Refresh();
    ShowItem(IDC_CLOSE_PLAYBACK, true);
    ShowItem(IDC_CLOSE_LIVE_TV, false);
    ShowItem(IDC_CLOSE_RADIO, false);
    UpdateData(false);
}

// Each play replaces the playback pane's window.
void MainDialog::OpenPlayPane(PlayEngine engine, const std::string& requestAddress, PlaySource source) {
    playPane.Destroy();
    HidePane(liveTvPane);
    HidePane(radioPane);
    OpenPane(playPane, requestAddress, PlayPaneGeometry(engine, source));
}

void MainDialog::OnClosePlayback() {
    playPane.Destroy();
    OnSearchTab();
}

// A hidden live-TV pane comes back as it was, without reloading; the radio pane goes.
void MainDialog::OnLiveTv() {
    if (liveTvPane.Exists()) {
        HideSearchPanel();
        HidePlayPanel();
        HidePane(playPane);
        radioPane.Destroy();
        liveTvPane.Show(SW_SHOW);
    } else {
        HidePane(playPane);
        radioPane.Destroy();
        OpenPane(liveTvPane, config::LiveTvPageAddress, LiveTvPaneGeometry);
    }
    ShowItem(IDC_CLOSE_PLAYBACK, false);
    ShowItem(IDC_CLOSE_LIVE_TV, true);
    ShowItem(IDC_CLOSE_RADIO, false);
}

void MainDialog::OnRadio() {
    HidePane(playPane);
    liveTvPane.Destroy();
    HideSearchPanel();
    HidePlayPanel();
    if (radioPane.Exists())
        radioPane.Show(SW_SHOWNORMAL);
    else
        OpenPane(radioPane, config::RadioPageAddress, RadioPaneGeometry);
    ShowItem(IDC_CLOSE_PLAYBACK, false);
    ShowItem(IDC_CLOSE_LIVE_TV, false);
    ShowItem(IDC_CLOSE_RADIO, true);
}

void MainDialog::OnCloseLiveTv() {
    liveTvPane.Destroy();
    OnSearchTab();
}

void MainDialog::OnCloseRadio() {
    radioPane.Destroy();
    OnSearchTab();
}

}  // namespace qivyun
