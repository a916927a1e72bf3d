#include "framework/Window.h"

#include "framework/Text.h"

namespace qivyun {

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

std::string Window::Text() const { return TextOf(hwnd_); }

void Window::SetText(std::string_view gbkText) const { qivyun::SetText(hwnd_, gbkText); }

RECT Window::ClientRect() const {
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    return rect;
}

RECT Window::WindowRect() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

std::string Window::ItemText(int id) const { return TextOf(Item(id)); }

void Window::SetItemText(int id, std::string_view gbkText) const { qivyun::SetText(Item(id), gbkText); }

}  // namespace qivyun
