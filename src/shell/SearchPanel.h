#pragma once
// The search panel of the main window: the keyword box and its button, the search engines' check
// boxes, the result list with its load-more button and search status, the waiting popup of a
// running search; in its left column the introduction and the two links the update manifest
// names, at its top right the feedback button, and below it the status line of the start-up
// check. The search session reaches the panel through SearchWindow.
#include "controls/ImageButton.h"
#include "controls/WaitingPopup.h"
#include "framework/Dialog.h"
#include "framework/ListView.h"
#include "search/EngineId.h"
#include "search/SearchSession.h"
#include "search/SearchWindow.h"
#include "shell/PanelLinks.h"
#include "versioncheck/ManifestCheck.h"

#include <string>

namespace qivyun {

class SearchPanel : public SearchWindow, public ResultSelection {
public:
    // A new search hides the player's address box; a double click on a row plays it.
    SearchPanel(Dialog& window, ListPlayer& player);

    static const MessageMap<SearchPanel> messages;

    void DoDataExchange(DataExchange& exchange);
    // Places the panel's controls as at start, with the introduction hidden and the keyword box's hint.
    void LayOut();
    // The list's four columns and its one empty row.
    void SetUpResultList();
    // Shows the panel with the status line's text put back; the introduction stays hidden.
    void Show();
    void Hide();
    // The status line at the bottom (1061): the start-up check's text, shown again by every
    // return to the search panel. Its only writer; the control is bound to no member.
    void SetStatusLine(const std::string& text);
    void PutStatusLine() const;

    // Handlers
    void SelectEngine(EngineId engine);
    void OnEngineEcv();
    void OnSearch();
    void OnLoadMore() { session.OnLoadMore(); }
    void OnTimer(UINT_PTR timerId);
    LRESULT OnListDoubleClick(const NMHDR&);
    void OnToggleIntro();
    void OnFeedback();
    void OpenManifestLink(const char* section);
    // The manifest as the start-up check accepted it: the source of the links.
    void KeepCheckedManifest(const CheckedManifest& manifest) { checkedManifest = manifest; }

    // What the search session reaches of the panel.
    void ReadControls() override { window.UpdateData(true); }
    void WriteControls() override { window.UpdateData(false); }
    std::wstring KeywordText() const override;
    int EngineEnabled(EngineId engine) const override { return engineEnabled[static_cast<int>(engine)]; }
    const ListView& ResultList() const override { return resultList; }
    void ShowSearchStatus(const std::string& text) override;
    // Shows the waiting popup with the text, below the middle of the screen.
    void ShowWaitingPopup(const char* text) override;
    void CloseWaitingPopup() override { waitingPopup.Destroy(); }
    void StartTimer(UINT_PTR id, UINT periodMs) override { window.SetTimer(id, periodMs); }
    void StopTimer(UINT_PTR id) override { window.KillTimer(id); }
    std::shared_ptr<UiGate> Gate() const override { return window.Gate(); }
    HWND MessageOwner() const override { return window.Handle(); }

    ResultRow SelectedRow() const override;

    SearchSession& Session() { return session; }
    WaitingPopup& Popup() { return waitingPopup; }
    bool IntroShown() const { return introShown; }

private:
    Dialog& window;
    ListPlayer& player;
    ImageButton qvodLinkButton;
    ImageButton mtkanDownloadButton;
    ImageButton introButton;
    ListView resultList;
    WaitingPopup waitingPopup;
    // Values bound by the data exchange.
    int engineEnabled[EngineCount] = {};
    std::string statusText;
    std::string keywordText;
    // The panel's own state.
    std::string statusLineText;
    bool introShown = false;
    CheckedManifest checkedManifest;
    SearchSession session{*this};
};

}  // namespace qivyun
