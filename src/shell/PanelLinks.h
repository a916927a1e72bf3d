#pragma once
// The small interfaces through which the main window's panels reach each other. The main window
// composes the panels and hands each the links it needs; no panel holds another whole.
#include <string>

namespace qivyun {

// The tabs, as the play panel reaches them: its panes cover the search panel, and closing a pane
// returns to the search tab.
class PanelSwitch {
public:
    virtual void HideSearchPanel() = 0;
    virtual void ShowSearchTab() = 0;

protected:
    ~PanelSwitch() = default;
};

// A row of the result list: the film name as the list shows it, and the address to play.
struct ResultRow {
    std::string name;
    std::string address;
};

// The result list's row at the selection mark, as its menu reads it.
class ResultSelection {
public:
    // Empty texts while no row holds the mark.
    virtual ResultRow SelectedRow() const = 0;

protected:
    ~ResultSelection() = default;
};

// The play panel, as the search panel and the result list's menu reach it.
class ListPlayer {
public:
    // Plays a result row through the chosen service; a row without a name or an address plays
    // nothing.
    virtual void PlayFromList(const ResultRow& row) = 0;
    // A new search hides the address box and its play button.
    virtual void HideAddressBox() = 0;

protected:
    ~ListPlayer() = default;
};

}  // namespace qivyun
