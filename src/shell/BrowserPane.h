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

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    BrowserControl browser;
};

}  // namespace qivyun
