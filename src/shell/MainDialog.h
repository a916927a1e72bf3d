#pragma once
// The main window: the header band with its tiles, and one content area below it that shows the
// search panel, the play panel or one of the play panel's browser panes. The window composes
// its parts, each with its own controls and message table, and its tabs switch between them.
#include "controls/ImageButton.h"
#include "framework/Dialog.h"
#include "framework/WorkerThread.h"
#include "shell/BrowserControl.h"
#include "shell/PanelLinks.h"
#include "shell/PlayPanel.h"
#include "shell/SearchPanel.h"
#include "shell/TrayAndMenus.h"
#include "versioncheck/StartupCheck.h"

namespace qivyun {

class MainDialog : public DialogImpl<MainDialog>, private PanelSwitch {
public:
    // The start-up check looks where the settings say (the program's own places by default).
    explicit MainDialog(StartupCheckSettings checkSettings = StartupCheckSettings::ForThisProcess());
    // The window goes first, so that no worker step can reach members already destroyed.
    ~MainDialog() override;

    static const MessageMap<MainDialog> messages;

    // Handlers
    void OnPaint();
    HICON OnQueryDragIcon();
    LRESULT OnNcHitTest(POINT screenPoint);
    HBRUSH OnCtlColor(HDC dc, HWND control);
    void OnLButtonDown(UINT keys, POINT point);
    void OnSearchTab();
    void OnPlayTab();
    void OnLiveTvTab();
    void OnRadioTab();
    void OnHomeBanner();
    void OnCloseButton();

    // The parts and the start-up check, as the tests reach them.
    qivyun::SearchPanel& SearchPanel() { return searchPanel; }
    qivyun::PlayPanel& PlayPanel() { return playPanel; }
    const qivyun::TrayAndMenus& TrayAndMenus() const { return trayAndMenus; }
    const WorkerThread& StartupCheckWorker() const { return startupCheckWorker; }
    BrowserControl& VisitorBrowser() { return visitorBrowser; }
    BrowserControl& CounterBrowser() { return counterBrowser; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    // Removes the tray icon, then ends the dialog.
    void OnOK() override;

private:
    void HideSearchPanel() override;
    void ShowSearchTab() override { OnSearchTab(); }
    void LayOutControls();
    void StartStartupCheck();

    // The header band's tiles.
    ImageButton playTile;
    ImageButton searchTile;
    ImageButton radioTile;
    ImageButton liveTvTile;
    ImageButton homeBanner;
    ImageButton closeButton;
    // The start-up check's pages, which show nothing.
    BrowserControl visitorBrowser;
    BrowserControl counterBrowser;
    HICON icon;
    StartupCheckSettings checkSettings;
    // The manifest as the start-up check accepted it (none until then): the source of the links.
    CheckedManifest checkedManifest;
    WorkerThread startupCheckWorker;
    qivyun::PlayPanel playPanel{*this, *this, counterBrowser};
    qivyun::SearchPanel searchPanel{*this, playPanel};
    qivyun::TrayAndMenus trayAndMenus{*this, icon, searchPanel, playPanel};
};

}  // namespace qivyun
