#include "framework/DataExchange.h"

#include "framework/Text.h"
#include "framework/Window.h"

namespace qivyun {

void DataExchange::Control(int id, Window& member) const {
    HWND control = GetDlgItem(dialog_, id);
    if (control && member.Handle() != control) member.Attach(control);
}

void DataExchange::Text(int id, std::string& value) const {
    if (saving_)
        value = TextOf(GetDlgItem(dialog_, id));
    else
        SetText(GetDlgItem(dialog_, id), value);
}

void DataExchange::Check(int id, int& value) const {
    if (saving_)
        value = static_cast<int>(IsDlgButtonChecked(dialog_, id));
    else
        CheckDlgButton(dialog_, id, static_cast<UINT>(value));
}

}  // namespace qivyun
