#pragma once
// The play panel of the main window: the address box with its play button over the panel's
// picture, the choice of cloud-play service, and the browser panes that cover the content area
// below the header band (playing an address, live TV, the music radio) with their close buttons.
#include "controls/AnimatedPicture.h"
#include "controls/ImageButton.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "playback/PlayRequest.h"
#include "shell/BrowserControl.h"
#include "shell/BrowserPane.h"
#include "shell/PanelLinks.h"

#include <optional>
#include <string>

namespace qivyun {

class PlayPanel : public ListPlayer {
public:
    // The counter page is reloaded by every play.
    PlayPanel(Dialog& window, PanelSwitch& tabs, BrowserControl& counterBrowser);
    PlayPanel(const PlayPanel&) = delete;
    PlayPanel& operator=(const PlayPanel&) = delete;

    static const MessageMap<PlayPanel> messages;

    void DoDataExchange(DataExchange& exchange);
    // Places the panel's controls as at start, starts its picture and puts the address box's hint.
    void LayOut();

    // What the tabs show of the panel: the address box or the playback pane, live TV, the radio.
    void ShowPlayTab();
    void ShowLiveTv();
    void ShowRadio();
    // The search tab hides the panes (keeping them), the close buttons and the address box.
    void HideForSearchTab();
    // The choice of service stands in the search panel's column and shows with it.
    void ShowServiceChoice(bool show) const;

    // Handlers
    void SelectPlayEngine(int checkBoxId);
    void OnPlay();
    void OnClosePlayback();
    void OnCloseLiveTv();
    void OnCloseRadio();

    void PlayFromList(const ResultRow& row) override;
    void HideAddressBox() override;

    BrowserPane& PlayPane() { return playPane; }
    BrowserPane& LiveTvPane() { return liveTvPane; }
    BrowserPane& RadioPane() { return radioPane; }
    HFONT AddressFont() const { return addressFont.Get(); }
    // The cloud-play service that plays an address; none only before the initialisation chose one.
    std::optional<PlayEngine>& PlayEngineChoice() { return playEngine; }

private:
    // Opens the chosen service's page on the address in the playback pane.
    void PlayAddress(const std::string& address, PlaySource source);
    void OpenPlayPane(PlayEngine engine, const std::string& requestAddress, PlaySource source);
    // Creates the pane's window on the address, places its browser and covers the content area.
    void OpenPane(BrowserPane& pane, const std::string& paneAddress, const PaneGeometry& geometry);
    void MovePane(BrowserPane& pane, const PaneGeometry& geometry);
    void HideAddressBoxAndPicture();
    // Shows the close button of the pane in front and hides the other two.
    void ShowCloseButtonOnly(int closeButtonId) const;

    Dialog& window;
    PanelSwitch& tabs;
    BrowserControl& counterBrowser;
    ImageButton playButton;
    AnimatedPicture playPanelPicture;
    ImageButton closePlaybackButton;
    ImageButton closeLiveTvButton;
    ImageButton closeRadioButton;
    BrowserPane playPane;
    BrowserPane liveTvPane;
    BrowserPane radioPane;
    std::string addressText;
    UniqueGdiObject<HFONT> addressFont;
    std::optional<PlayEngine> playEngine;
};

}  // namespace qivyun
