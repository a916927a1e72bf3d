#include "skin/patching/Unpatched.h"

namespace qivyun::skin::unpatched {

decltype(&::ExtTextOutA) ExtTextOutA = &::ExtTextOutA;
decltype(&::ExtTextOutW) ExtTextOutW = &::ExtTextOutW;
decltype(&::GetWindowLongA) GetWindowLongA = &::GetWindowLongA;
decltype(&::GetWindowLongW) GetWindowLongW = &::GetWindowLongW;
decltype(&::SetWindowLongA) SetWindowLongA = &::SetWindowLongA;
decltype(&::SetWindowLongW) SetWindowLongW = &::SetWindowLongW;
#ifdef _WIN64
decltype(&::GetWindowLongPtrA) GetWindowLongPtrA = &::GetWindowLongPtrA;
decltype(&::GetWindowLongPtrW) GetWindowLongPtrW = &::GetWindowLongPtrW;
decltype(&::SetWindowLongPtrA) SetWindowLongPtrA = &::SetWindowLongPtrA;
decltype(&::SetWindowLongPtrW) SetWindowLongPtrW = &::SetWindowLongPtrW;
#endif
decltype(&::BeginPaint) BeginPaint = &::BeginPaint;
decltype(&::EndPaint) EndPaint = &::EndPaint;
decltype(&::GetDC) GetDC = &::GetDC;
decltype(&::GetWindowDC) GetWindowDC = &::GetWindowDC;
decltype(&::ReleaseDC) ReleaseDC = &::ReleaseDC;
decltype(&::WindowFromDC) WindowFromDC = &::WindowFromDC;
decltype(&::SetWindowRgn) SetWindowRgn = &::SetWindowRgn;
decltype(&::GetScrollInfo) GetScrollInfo = &::GetScrollInfo;
decltype(&::GetScrollPos) GetScrollPos = &::GetScrollPos;
decltype(&::GetScrollRange) GetScrollRange = &::GetScrollRange;
decltype(&::SetScrollInfo) SetScrollInfo = &::SetScrollInfo;
decltype(&::SetScrollPos) SetScrollPos = &::SetScrollPos;
decltype(&::SetScrollRange) SetScrollRange = &::SetScrollRange;
decltype(&::GetScrollBarInfo) GetScrollBarInfo = &::GetScrollBarInfo;
decltype(&::EnableScrollBar) EnableScrollBar = &::EnableScrollBar;

#ifdef _WIN64
WNDPROC WindowProcedure(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}
WNDPROC SetWindowProcedure(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}
#else
WNDPROC WindowProcedure(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongW(window, GWL_WNDPROC)); }
WNDPROC SetWindowProcedure(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG>(procedure)));
}
#endif

qivyun::DcFunctions DcCalls() { return {GetDC, GetWindowDC, ReleaseDC}; }

}  // namespace qivyun::skin::unpatched
