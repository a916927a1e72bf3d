#pragma once
// The box the main window shows while a search request runs (template 136): a black panel at
// alpha 222 with rounded corners, the busy animation on the left and the message on the right,
// dragged by any point. Its window is created for each request and destroyed when the request
// ends; the object lives as long as the main window.
#include "controls/AnimatedPicture.h"
#include "framework/Dialog.h"

#include <string>

namespace qivyun {

class WaitingPopup : public DialogImpl<WaitingPopup> {
public:
    WaitingPopup();

    static const MessageMap<WaitingPopup> messages;

    // The text to show; set by the owner before the window is created.
    std::string message;

    AnimatedPicture& BusyAnimation() { return busyAnimation; }

    // Handlers
    void OnPaint();
    HBRUSH OnCtlColor(HDC dc, HWND control);
    LRESULT OnNcHitTest(POINT screenPoint);
    LRESULT OnSize(WPARAM type, LPARAM size);
    void OnLButtonDown(UINT keys, POINT point);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;

private:
    void PlaceMessage();

    AnimatedPicture busyAnimation;
    std::string textValue;
};

}  // namespace qivyun
