#include "gallery/GallerySection.h"

#include "common/CodePage.h"
#include "framework/Window.h"

namespace qivyun::gallery {
namespace {

// The caption's height and the frame's margins inside the group box.
constexpr int CaptionHeight = 20, Margin = 10;

}  // namespace

GallerySection::GallerySection(GalleryHost& host, std::string_view caption, const RECT& area)
    : host_(host), inside_{area.left + Margin, area.top + CaptionHeight, area.right - Margin, area.bottom - Margin} {
    groupBox_ = CreateWindowExW(0, L"Button", WideFromGbk(caption).c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                                area.left, area.top, area.right - area.left, area.bottom - area.top, host.Handle(),
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(host.NextControlId())), ModuleInstance(),
                                nullptr);
    SendMessageW(groupBox_, WM_SETFONT, SendMessageW(host.Handle(), WM_GETFONT, 0, 0), FALSE);
}

HWND GallerySection::Add(const wchar_t* className, std::string_view text, DWORD style, int x, int y, int width,
                         int height, DWORD extendedStyle) {
    const HWND control = CreateWindowExW(
        extendedStyle, className, WideFromGbk(text).c_str(), WS_CHILD | WS_VISIBLE | style, inside_.left + x,
        inside_.top + y, width, height, host_.Handle(),
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(host_.NextControlId())), ModuleInstance(), nullptr);
    // The controls speak in the dialog's font, as a template's controls do.
    SendMessageW(control, WM_SETFONT, SendMessageW(host_.Handle(), WM_GETFONT, 0, 0), FALSE);
    return control;
}

HWND GallerySection::AddButton(std::string_view text, int x, int y, int width, int height,
                               std::function<void(HWND)> action) {
    const HWND button = Add(L"Button", text, WS_TABSTOP | BS_PUSHBUTTON, x, y, width, height);
    host_.OnClick(static_cast<UINT>(GetDlgCtrlID(button)), std::move(action));
    return button;
}

int GallerySection::Width() const { return inside_.right - inside_.left; }

}  // namespace qivyun::gallery
