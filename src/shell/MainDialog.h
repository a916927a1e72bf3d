#pragma once
// The main window: header band, picture tiles, and one content area that shows the search
// panel, the play panel or one of the browser panes.
#include "controls/AnimatedPicture.h"
#include "controls/ImageButton.h"
#include "controls/WaitingPopup.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/ListView.h"
#include "framework/WorkerThread.h"
#include "playback/PlayRequest.h"
#include "search/EngineId.h"
#include "search/SearchSession.h"
#include "search/SearchWindow.h"
#include "shell/BrowserControl.h"
#include "shell/BrowserPane.h"
#include "versioncheck/StartupCheck.h"

#include <optional>
#include <string>

namespace qivyun {

class MainDialog : public DialogImpl<MainDialog>, public SearchWindow {
public:
    // The start-up check looks where the settings say (the program's own places by default).
    explicit MainDialog(StartupCheckSettings checkSettings = StartupCheckSettings::ForThisProcess());
    // The window goes first, so that no worker step can reach members already destroyed.
    ~MainDialog() override;

    static const MessageMap<MainDialog> messages;

    void ShowSearchPanel();
    void HideSearchPanel();
    virtual void RemoveTrayIcon();
    // The status line at the bottom (1061): the start-up check's text, shown again by every return
    // to the search panel. Its only writer; the control is bound to no member.
    void SetStatusLine(const std::string& text);

    // Handlers
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnSearchTab();
    void OnPlayTab();
    LRESULT OnNcHitTest(POINT screenPoint);
    HBRUSH OnCtlColor(HDC dc, HWND control);
    void OnLButtonDown(UINT keys, POINT point);
    void SelectEngine(EngineId engine);
    void SelectPlayEngine(int checkBoxId);
    void OnLoadMore() { search.OnLoadMore(); }
    void OnSearch();
    void OnTimer(UINT_PTR timerId);
    void OnEngineEcv();
    LRESULT OnListRightClick(const NMHDR&);
    LRESULT OnListDoubleClick(const NMHDR&);
    void OnCloseButton();
    void MinimiseToTray();
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    void OnDownloadWithBrowser();
    void OnCopyAddress();
    void OnShowWindow();
    void OnHomeBanner();
    void OnFeedback();
    void OnToggleIntro();
    void OpenManifestLink(const char* section);

    // Playing (the typed address, a result row) and the live-TV and radio panes.
    void OnPlay();
    void PlayFromList();
    void OnClosePlayback();
    void OnLiveTv();
    void OnRadio();
    void OnCloseLiveTv();
    void OnCloseRadio();

    // What the search session reaches of this window.
    void ReadControls() override { UpdateData(true); }
    void WriteControls() override { UpdateData(false); }
    std::string KeywordText(int limit) const override;
    int EngineEnabled(EngineId engine) const override { return engineEnabled[static_cast<int>(engine)]; }
    const ListView& ResultList() const override { return resultList; }
    void ShowSearchStatus(const std::string& text) override;
    // Shows the waiting popup with the text, below the middle of the screen.
    void ShowWaitingPopup(const char* text) override;
    void CloseWaitingPopup() override { waitingPopup.Destroy(); }
    void StartTimer(UINT_PTR id, UINT periodMs) override { SetTimer(id, periodMs); }
    void StopTimer(UINT_PTR id) override { KillTimer(id); }
    std::shared_ptr<UiGate> Gate() const override { return Dialog::Gate(); }
    HWND MessageOwner() const override { return hwnd_; }

    // Controls and panes, as the other parts of the program and the tests reach them.
    const WorkerThread& StartupCheckWorker() const { return startupCheckWorker; }
    BrowserControl& VisitorBrowser() { return visitorBrowser; }
    BrowserControl& CounterBrowser() { return counterBrowser; }
    BrowserPane& PlayPane() { return playPane; }
    BrowserPane& LiveTvPane() { return liveTvPane; }
    BrowserPane& RadioPane() { return radioPane; }
    HFONT AddressFont() const { return addressFont.Get(); }
    SearchSession& Search() { return search; }
    WaitingPopup& Popup() { return waitingPopup; }
    // The cloud-play service that plays an address; none only before the initialisation chose one.
    std::optional<PlayEngine>& PlayEngineChoice() { return playEngine; }
    bool IntroShown() const { return introShown; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    // Removes the tray icon, then ends the dialog.
    void OnOK() override;

private:
    void StartStartupCheck();
    void PutStatusLine();
    void LayOutControls();
    void SetUpResultList();
    // Opens the chosen service's page on the address in the playback pane.
    void PlayAddress(const std::string& address, PlaySource source);
    void OpenPlayPane(PlayEngine engine, const std::string& requestAddress, PlaySource source);
    // Creates the pane's window on the address, places its browser and covers the content area.
    void OpenPane(BrowserPane& pane, const std::string& paneAddress, const PaneGeometry& geometry);
    void MovePane(BrowserPane& pane, const PaneGeometry& geometry);
    void HidePlayPanel();
    void ShowPopupMenu(int menuId);
    // The address column of the row at the selection mark; empty without a mark.
    std::string SelectedRowText(int column) const;
    ImageButton& ImageButtonAt(int id);

    // Controls the window reaches through members (the others through their ids).
    ImageButton qvodLinkButton;
    ImageButton mtkanDownloadButton;
    ImageButton introButton;
    ImageButton homeBanner;
    ImageButton playButton;
    AnimatedPicture playPanelPicture;
    ImageButton liveTvTile;
    ImageButton radioTile;
    ImageButton closeRadioButton;
    ImageButton closeLiveTvButton;
    ImageButton closePlaybackButton;
    ImageButton searchTile;
    ImageButton trayButton;
    ImageButton closeButton;
    ImageButton playTile;
    ListView resultList;
    BrowserControl visitorBrowser;
    BrowserControl counterBrowser;
    // The content area's panes and the popup of a running search.
    BrowserPane playPane;
    BrowserPane liveTvPane;
    BrowserPane radioPane;
    WaitingPopup waitingPopup;
    // Values bound by the data exchange.
    int engineEnabled[EngineCount] = {};
    std::string statusText;
    std::string keywordText;
    std::string addressText;
    // The window's own state.
    std::string statusLineText;
    std::optional<PlayEngine> playEngine;
    bool introShown = false;
    UniqueGdiObject<HFONT> addressFont;
    HICON icon;
    StartupCheckSettings checkSettings;
    // The manifest as the start-up check accepted it (none until then): the source of the links.
    CheckedManifest checkedManifest;
    WorkerThread startupCheckWorker;
    SearchSession search{*this};
};

}  // namespace qivyun
