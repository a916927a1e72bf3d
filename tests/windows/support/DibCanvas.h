#pragma once
// A top-down 32-bit DIB section selected into a memory DC of its own: what the Windows tests draw
// into and read back pixel by pixel.
#include "framework/Handles.h"

#include <windows.h>

#include <cstdint>

namespace qivyun::test {

class DibCanvas {
public:
    // The pixels start out zero (black).
    DibCanvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, bitmap_.Get());
    }
    DibCanvas(int width, int height, COLORREF fill) : DibCanvas(width, height) {
        UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(fill));
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, brush.Get());
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    ~DibCanvas() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixels as 0x00RRGGBB, row by row from the top; drawing still queued is done first.
    const uint32_t* Pixels() const {
        GdiFlush();
        return bits_;
    }
    COLORREF At(int x, int y) const {
        const uint32_t p = Pixels()[y * width_ + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }

private:
    int width_, height_;
    UniqueGdiObject<HBITMAP> bitmap_;
    uint32_t* bits_ = nullptr;
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace qivyun::test
