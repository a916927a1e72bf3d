#pragma once
// What the skinners' tests share: our skin loaded into the attached engine, a host window for the
// controls under test, and pictures of what a window shows compared with what the skin's parts
// draw.
#include "skin/container/SkinData.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace qivyun::skin::test {

// Attaches the engine to this thread and loads our skin (once per process).
const SkinData& LoadOurSkin();

// A visible top-level window at the screen's top-left that paints the skin's background and hands
// WM_DRAWITEM to `drawItem`. Children are made with Child.
class HostWindow {
public:
    HostWindow(int width = 640, int height = 420);
    ~HostWindow();
    HWND Get() const { return window_; }
    HWND Child(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
               DWORD exStyle = 0, int id = 100) const;

    std::function<void(const DRAWITEMSTRUCT&)> drawItem;
    // What the children tell their parent: WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL.
    std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> heard;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
};

// 32-bit pixels 0x00RRGGBB, rows from the top.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF; }
    // How many pixels of the rectangle have the colour.
    int Count(COLORREF colour, const RECT& area) const;
};

// What the window shows in `area` (window coordinates; the whole window when empty).
Picture Capture(HWND window, RECT area = {});
// What `draw` paints on a width x height surface.
Picture Drawn(int width, int height, const std::function<void(HDC)>& draw);
// The skin's background with one part over the whole surface.
Picture PartOnBackground(int width, int height, SkinPart part);

// Equal pixels, or how many differ and where the first is. `ignore` leaves a rectangle out.
testing::AssertionResult SamePicture(const Picture& actual, const Picture& expected, RECT ignore = {});

}  // namespace qivyun::skin::test
