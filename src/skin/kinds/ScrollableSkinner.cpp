#include "skin/kinds/ScrollableSkinner.h"

#include "framework/MessageCrackers.h"
#include "skin/engine/ControlColours.h"
#include "skin/kinds/WheelRule.h"

namespace qivyun::skin {

LRESULT ScrollableSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEWHEEL:
        return Wheel(wParam, lParam);
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return AnswerControlColour(*this, Skin(), message, wParam, lParam);
    default:
        if (std::optional<LRESULT> result = nonClient_.OnMessage(message, wParam, lParam)) return *result;
        return CallPrevious(message, wParam, lParam);
    }
}

LRESULT ScrollableSkinner::Wheel(WPARAM wParam, LPARAM lParam) {
    const HWND parent = GetParent(window);
    const unsigned parentAtom = parent ? static_cast<unsigned>(GetClassLongA(parent, GCW_ATOM)) : 0;
    const std::optional<int> code =
        WheelScrollCode(LOBYTE(LOWORD(GetVersion())), parentAtom, crack::WheelDelta(wParam));
    if (!code) return CallPrevious(WM_MOUSEWHEEL, wParam, lParam);
    SendMessageA(window, WM_VSCROLL, ScrollParameter(*code, 0), 0);
    return 0;
}

}  // namespace qivyun::skin
