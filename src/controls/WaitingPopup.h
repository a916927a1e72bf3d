#pragma once
// The box the main window shows while a search request runs: template 136, the message on the
// right of the busy animation. Its window is created for each request and destroyed when the
// request ends; the object lives as long as the main window.
#include "framework/Dialog.h"

#include <string>

namespace qivyun {

class WaitingPopup : public DialogImpl<WaitingPopup> {
public:
    WaitingPopup();

    static const MessageMap<WaitingPopup> messages;

    // The text to show; set by the owner before the window is created.
    std::string message;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    std::string textValue;
};

}  // namespace qivyun
