#pragma once
// Typed readings of a message's parameters, for window procedures that switch on the message
// themselves: each function says what it reads and names the messages that carry it. The
// parameters a procedure sends are made by the functions at the end.
#include <windows.h>
#include <windowsx.h>

namespace qivyun {
namespace crack {

// WM_ERASEBKGND, WM_PRINTCLIENT, WM_CTLCOLOR..., and WM_PAINT sent with the caller's own DC.
inline HDC Dc(WPARAM wParam) { return reinterpret_cast<HDC>(wParam); }
// WM_CTLCOLOR...: the control that asks; WM_CAPTURECHANGED: the window taking the capture.
inline HWND Window(LPARAM lParam) { return reinterpret_cast<HWND>(lParam); }
// Mouse messages (a client point), the non-client mouse messages and WM_NCHITTEST (a screen point).
inline POINT Point(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }
// The non-client mouse messages: the hit-test code of the point.
inline LRESULT HitCode(WPARAM wParam) { return static_cast<LRESULT>(wParam); }
// WM_NCACTIVATE: whether the caption turns active.
inline bool Active(WPARAM wParam) { return wParam != FALSE; }
// WM_HSCROLL, WM_VSCROLL: the scroll code.
inline int ScrollCode(WPARAM wParam) { return LOWORD(wParam); }
// WM_MOUSEWHEEL: the turn, in multiples of WHEEL_DELTA away from the user.
inline int WheelDelta(WPARAM wParam) { return GET_WHEEL_DELTA_WPARAM(wParam); }

// WM_STYLECHANGED: the change of the window's style (GWL_STYLE); nothing for the extended style.
inline const STYLESTRUCT* StyleChange(WPARAM wParam, LPARAM lParam) {
    return static_cast<int>(wParam) == GWL_STYLE ? reinterpret_cast<const STYLESTRUCT*>(lParam) : nullptr;
}

// WM_NCCALCSIZE: the proposed window rectangle, which the answer turns into the client rectangle.
inline RECT& ProposedRect(WPARAM wParam, LPARAM lParam) {
    return wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
}

// What a hook of type WH_CALLWNDPROC is shown: the message sent, with its window and parameters.
inline const CWPSTRUCT& SentMessage(LPARAM lParam) { return *reinterpret_cast<const CWPSTRUCT*>(lParam); }
// WM_MEASUREITEM and WM_DRAWITEM: the item's record; null where a caller sent none.
inline MEASUREITEMSTRUCT* MeasureItem(LPARAM lParam) { return reinterpret_cast<MEASUREITEMSTRUCT*>(lParam); }
inline const DRAWITEMSTRUCT* DrawItem(LPARAM lParam) { return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam); }

}  // namespace crack

// A DC in a message's first parameter (WM_PAINT, WM_PRINTCLIENT, WM_ERASEBKGND).
inline WPARAM DcParameter(HDC dc) { return reinterpret_cast<WPARAM>(dc); }
// A point in a message's second parameter (mouse messages, WM_SYSCOMMAND).
inline LPARAM PointParameter(POINT point) { return MAKELPARAM(point.x, point.y); }
// WM_HSCROLL, WM_VSCROLL: a scroll code and, for the thumb's codes, the position.
inline WPARAM ScrollParameter(int code, int position) { return MAKEWPARAM(code, position); }
// A record the receiver fills or reads, in a message's second parameter (PBM_GETRANGE, ...).
template <class Record>
LPARAM RecordParameter(Record* record) {
    return reinterpret_cast<LPARAM>(record);
}

}  // namespace qivyun
