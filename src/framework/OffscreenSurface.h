#pragma once
// An off-screen picture: a memory device context that owns the bitmap selected into it. The
// bitmap is selected back out before both are deleted.
#include <windows.h>

namespace qivyun {

class OffscreenSurface {
public:
    OffscreenSurface() = default;
    ~OffscreenSurface() { Reset(); }
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    // A context compatible with the given one, holding a compatible bitmap of this size.
    bool Create(HDC compatibleWith, int width, int height);
    void Reset();

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0, height_ = 0;
};

}  // namespace qivyun
