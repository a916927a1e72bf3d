#include "framework/SubclassedWindow.h"

#include <commctrl.h>

namespace qivyun {

SubclassedWindow::~SubclassedWindow() { Unsubclass(); }

void SubclassedWindow::Attach(HWND hwnd) {
    Unsubclass();
    Window::Attach(hwnd);
    SetWindowSubclass(hwnd, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void SubclassedWindow::Unsubclass() {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, SubclassProc, 1);
    hwnd_ = nullptr;
}

LRESULT SubclassedWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self) {
    auto* window = reinterpret_cast<SubclassedWindow*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, SubclassProc, 1);
        window->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return window->WindowProc(message, wParam, lParam);
}

}  // namespace qivyun
