#pragma once
// An off-screen picture: a memory device context that owns the bitmap selected into it, composed
// and then copied to the screen in one block. The bitmap is selected back out before both are
// deleted.
#include <windows.h>

namespace qivyun {

class OffscreenSurface {
public:
    OffscreenSurface() = default;
    // Made at once; empty when it cannot be (see Create).
    OffscreenSurface(HDC compatibleWith, int width, int height) { Create(compatibleWith, width, height); }
    ~OffscreenSurface() { Reset(); }
    OffscreenSurface(OffscreenSurface&& other) noexcept { Swap(other); }
    OffscreenSurface& operator=(OffscreenSurface&& other) noexcept {
        if (this != &other) {
            Reset();
            Swap(other);
        }
        return *this;
    }
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    // A context compatible with the given one, holding a compatible bitmap of this size; false,
    // and empty, for a side that is not positive or when the system makes no bitmap.
    bool Create(HDC compatibleWith, int width, int height);
    void Reset();

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    explicit operator bool() const { return dc_ != nullptr; }

    // The whole picture copied to (x, y) of dc.
    void CopyTo(HDC dc, int x, int y) const { BitBlt(dc, x, y, width_, height_, dc_, 0, 0, SRCCOPY); }

private:
    void Swap(OffscreenSurface& other) noexcept;

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0, height_ = 0;
};

}  // namespace qivyun
