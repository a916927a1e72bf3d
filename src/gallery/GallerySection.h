#pragma once
// One section of the gallery: a group box with a caption, and the controls a section file adds
// inside it. Controls are children of the gallery window itself, so that their notifications reach
// it as they reach any dialog; a section hands the window what its buttons do.
#include <windows.h>

#include <functional>
#include <string_view>

namespace qivyun::gallery {

// What the gallery window does for its sections.
class GalleryHost {
public:
    virtual HWND Handle() const = 0;
    // A fresh control id.
    virtual UINT NextControlId() = 0;
    // What a click on a button (BN_CLICKED from the id) does; the action is handed the button.
    virtual void OnClick(UINT id, std::function<void(HWND)> action) = 0;

protected:
    ~GalleryHost() = default;
};

class GallerySection {
public:
    // The section's group box at `area` of the gallery's client area, with its GBK caption.
    GallerySection(GalleryHost& host, std::string_view caption, const RECT& area);

    // A control at (x, y) inside the section (below its caption), with its GBK text; the window
    // style gets WS_CHILD | WS_VISIBLE. Each control has an id of its own.
    HWND Add(const wchar_t* className, std::string_view text, DWORD style, int x, int y, int width, int height,
             DWORD extendedStyle = 0);
    // A push button whose click runs the action.
    HWND AddButton(std::string_view text, int x, int y, int width, int height, std::function<void(HWND)> action);
    // The width inside the section's frame.
    int Width() const;
    HWND GroupBox() const { return groupBox_; }
    GalleryHost& Host() const { return host_; }

private:
    GalleryHost& host_;
    RECT inside_;
    HWND groupBox_ = nullptr;
};

}  // namespace qivyun::gallery
