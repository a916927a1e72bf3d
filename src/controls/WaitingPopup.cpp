#include "controls/WaitingPopup.h"

#include "controls/WaitingPopupIds.h"

namespace qivyun {

const MessageMap<WaitingPopup> WaitingPopup::messages = {};

WaitingPopup::WaitingPopup() : DialogImpl(IDD_WAITING_POPUP) {}

void WaitingPopup::DoDataExchange(DataExchange& exchange) { exchange.Text(IDC_POPUP_MESSAGE, textValue); }

bool WaitingPopup::OnInitDialog() {
    Dialog::OnInitDialog();
    // The message stands right of the animation, in a box larger than the popup itself.
    SetWindowPos(Item(IDC_POPUP_MESSAGE), nullptr, 100, 0, 300, 200, SWP_NOZORDER);
    SetItemText(IDC_POPUP_MESSAGE, message.c_str());
    return true;
}

}  // namespace qivyun
