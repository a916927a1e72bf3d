#include "shell/BrowserPane.h"

#include "BuildConfig.h"
#include "playback/PlayRequest.h"
#include "shell/ResourceIds.h"

namespace qivyun {

const MessageMap<BrowserPane> BrowserPane::messages = {};

BrowserPane::BrowserPane() : DialogImpl(IDD_BROWSER_PANE) {
    BrowserControl::RegisterWindowClass();
    browser.onDocumentComplete = [this](const std::string& documentAddress) { OnDocumentComplete(documentAddress); };
    // No page opens a window of its own from inside a pane.
    browser.onNewWindow = [this] {
        ++newWindowsCancelled;
        return true;
    };
}

void BrowserPane::DoDataExchange(DataExchange& exchange) { exchange.Control(IDC_BROWSER_IN_PANE, browser); }

bool BrowserPane::OnInitDialog() {
    documentsCompleted = 0;
    newWindowsCancelled = 0;
    Dialog::OnInitDialog();
    SetWindowPos(hwnd_, nullptr, 0, 0, 980, 578, SWP_NOZORDER);
    SetText("QivYunPlay");
    browser.Navigate(address);
    browser.Show(SW_HIDE);
    return true;
}

// The pane stays blank until a document other than the KCPlay start page has loaded.
void BrowserPane::OnDocumentComplete(const std::string& documentAddress) {
    ++documentsCompleted;
    browser.Show(IsKcplayStartPage(documentAddress, config::KcplayPageAddress) ? SW_HIDE : SW_SHOW);
}

// The web page never shows its context menu.
bool BrowserPane::PreTranslateMessage(MSG& message) {
    if (message.message == WM_RBUTTONDOWN && (message.hwnd == hwnd_ || IsChild(hwnd_, message.hwnd))) return true;
    return Dialog::PreTranslateMessage(message);
}

}  // namespace qivyun
