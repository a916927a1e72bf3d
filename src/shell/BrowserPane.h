#pragma once
// A child window on template 134 that shows one web address in its browser control.
#include "framework/Dialog.h"
#include "shell/BrowserControl.h"

#include <string>

namespace qivyun {

class BrowserPane : public DialogImpl<BrowserPane> {
public:
    BrowserPane();

    static const MessageMap<BrowserPane> messages;

    // Set by the owner before it creates the pane's window.
    std::string address;

    const BrowserControl& Browser() const { return browser; }
    // Places the browser control inside the pane; it may be larger than the pane, which clips it.
    void PlaceBrowser(int x, int y, int width, int height) const { browser.Move(x, y, width, height); }

    // What the pane has seen since its window was created, for the owner's tests.
    int DocumentsCompleted() const { return documentsCompleted; }
    int NewWindowsCancelled() const { return newWindowsCancelled; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    bool PreTranslateMessage(MSG& message) override;

private:
    void OnDocumentComplete(const std::string& documentAddress);

    BrowserControl browser;
    int documentsCompleted = 0;
    int newWindowsCancelled = 0;
};

}  // namespace qivyun
