#include "skin/kinds/ScrollableSkinner.h"

#include "skin/engine/ControlColours.h"
#include "skin/kinds/WheelRule.h"

#include <windowsx.h>

namespace qivyun::skin {

LRESULT ScrollableSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEWHEEL:
        return Wheel(wParam, lParam);
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return AnswerControlColour(*this, message, wParam, lParam);
    default:
        if (std::optional<LRESULT> result = nonClient_.OnMessage(message, wParam, lParam)) return *result;
        return CallPrevious(message, wParam, lParam);
    }
}

LRESULT ScrollableSkinner::Wheel(WPARAM wParam, LPARAM lParam) {
    const HWND parent = GetParent(window);
    const unsigned parentAtom = parent ? static_cast<unsigned>(GetClassLongA(parent, GCW_ATOM)) : 0;
    const std::optional<int> code =
        WheelScrollCode(LOBYTE(LOWORD(GetVersion())), parentAtom, GET_WHEEL_DELTA_WPARAM(wParam));
    if (!code) return CallPrevious(WM_MOUSEWHEEL, wParam, lParam);
    SendMessageA(window, WM_VSCROLL, static_cast<WPARAM>(*code), 0);
    return 0;
}

}  // namespace qivyun::skin
