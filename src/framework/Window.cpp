#include "framework/Window.h"

#include <vector>

namespace qivyun {

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

std::string Window::Text() const {
    int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

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

std::string Window::ItemText(int id) const { return Window(Item(id)).Text(); }

std::string Window::ItemText(int id, int limit) const {
    std::vector<char> buffer(static_cast<size_t>(limit), '\0');
    UINT copied = GetDlgItemTextA(hwnd_, id, buffer.data(), limit);
    return std::string(buffer.data(), copied);
}

}  // namespace qivyun
