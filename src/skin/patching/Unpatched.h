#pragma once
// The redirected system functions as they were before the engine patched them: the trampolines
// once the patches are in, the functions themselves before (or where a patch failed). The engine's
// own calls go through these, so they reach the system's code.
#include "framework/DeviceContext.h"

#include <windows.h>

namespace qivyun::skin::unpatched {

extern decltype(&::ExtTextOutA) ExtTextOutA;
extern decltype(&::ExtTextOutW) ExtTextOutW;
extern decltype(&::GetWindowLongA) GetWindowLongA;
extern decltype(&::GetWindowLongW) GetWindowLongW;
extern decltype(&::SetWindowLongA) SetWindowLongA;
extern decltype(&::SetWindowLongW) SetWindowLongW;
#ifdef _WIN64
// Separate exports in 64-bit code only; in 32-bit code they are the functions above.
extern decltype(&::GetWindowLongPtrA) GetWindowLongPtrA;
extern decltype(&::GetWindowLongPtrW) GetWindowLongPtrW;
extern decltype(&::SetWindowLongPtrA) SetWindowLongPtrA;
extern decltype(&::SetWindowLongPtrW) SetWindowLongPtrW;
#endif
extern decltype(&::BeginPaint) BeginPaint;
extern decltype(&::EndPaint) EndPaint;
extern decltype(&::GetDC) GetDC;
extern decltype(&::GetWindowDC) GetWindowDC;
extern decltype(&::ReleaseDC) ReleaseDC;
extern decltype(&::WindowFromDC) WindowFromDC;
extern decltype(&::SetWindowRgn) SetWindowRgn;
extern decltype(&::GetScrollInfo) GetScrollInfo;
extern decltype(&::GetScrollPos) GetScrollPos;
extern decltype(&::GetScrollRange) GetScrollRange;
extern decltype(&::SetScrollInfo) SetScrollInfo;
extern decltype(&::SetScrollPos) SetScrollPos;
extern decltype(&::SetScrollRange) SetScrollRange;
extern decltype(&::GetScrollBarInfo) GetScrollBarInfo;
extern decltype(&::EnableScrollBar) EnableScrollBar;

// The window procedure past the engine, in the wide view the engine works in: a procedure of the
// other character set reads as the system's handle for it, which CallWindowProcW and a write of it
// back understand.
WNDPROC WindowProcedure(HWND window);
// Installs procedure past the engine as a wide procedure and returns the one it replaces. With a
// wide procedure outermost the window is a Unicode window: texts sent to it reach the engine and a
// wide procedure beneath as UTF-16, never through the system's code page.
WNDPROC SetWindowProcedure(HWND window, WNDPROC procedure);

// GetDC, GetWindowDC and ReleaseDC as they are now, for the framework's DC owners: a DC taken so
// is the system's, whatever a skinner would hand out for the window.
qivyun::DcFunctions DcCalls();

}  // namespace qivyun::skin::unpatched
