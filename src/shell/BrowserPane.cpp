#include "shell/BrowserPane.h"

#include "shell/ResourceIds.h"

namespace qivyun {

const MessageMap<BrowserPane> BrowserPane::messages = {};

BrowserPane::BrowserPane() : DialogImpl(IDD_BROWSER_PANE) { BrowserControl::RegisterWindowClass(); }

void BrowserPane::DoDataExchange(DataExchange& exchange) { exchange.Control(IDC_BROWSER_IN_PANE, browser); }

bool BrowserPane::OnInitDialog() {
    Dialog::OnInitDialog();
    SetWindowPos(hwnd_, nullptr, 0, 0, 980, 578, SWP_NOZORDER);
    SetText("QivYunPlay");
    browser.Show(SW_HIDE);
    return true;
}

}  // namespace qivyun
