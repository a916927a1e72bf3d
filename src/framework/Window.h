#pragma once
// A non-owning view of one window, with the few operations the programs use.
#include <windows.h>

#include <string>
#include <string_view>

namespace qivyun {

// The module whose resources (dialog templates, pictures, menus) the programs load.
HINSTANCE ModuleInstance();

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

    // Binds this object to an existing window (a dialog's control); subclassing types override it.
    virtual void Attach(HWND hwnd) { hwnd_ = hwnd; }
    void Detach() { hwnd_ = nullptr; }

    // The window's text in GBK (see framework/Text.h).
    std::string Text() const;
    void SetText(std::string_view gbkText) const;
    void Show(int command) const { ShowWindow(hwnd_, command); }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    // Moves and sizes the window; the z-order stays as it is.
    void Move(int x, int y, int width, int height, bool repaint = true) const {
        MoveWindow(hwnd_, x, y, width, height, repaint);
    }
    RECT ClientRect() const;
    RECT WindowRect() const;

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view gbkText) const;
    void ShowItem(int id, bool show) const { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }
    void MoveItem(int id, int x, int y, int width, int height) const { MoveWindow(Item(id), x, y, width, height, TRUE); }

    void SetTimer(UINT_PTR id, UINT periodMs) const { ::SetTimer(hwnd_, id, periodMs, nullptr); }
    void KillTimer(UINT_PTR id) const { ::KillTimer(hwnd_, id); }

protected:
    HWND hwnd_ = nullptr;
};

}  // namespace qivyun
