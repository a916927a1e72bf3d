#include "framework/OffscreenSurface.h"

#include <utility>

namespace qivyun {

bool OffscreenSurface::Create(HDC compatibleWith, int width, int height) {
    Reset();
    // The system would make a one-pixel monochrome bitmap of a side 0.
    if (width <= 0 || height <= 0) return false;
    HDC dc = CreateCompatibleDC(compatibleWith);
    if (!dc) return false;
    // The bitmap takes the format of the given context, not of the new one's default bitmap.
    HBITMAP bitmap = CreateCompatibleBitmap(compatibleWith, width, height);
    if (!bitmap) {
        DeleteDC(dc);
        return false;
    }
    dc_ = dc;
    bitmap_ = bitmap;
    previous_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    return true;
}

void OffscreenSurface::Reset() {
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    width_ = height_ = 0;
}

void OffscreenSurface::Swap(OffscreenSurface& other) noexcept {
    std::swap(dc_, other.dc_);
    std::swap(bitmap_, other.bitmap_);
    std::swap(previous_, other.previous_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
}

}  // namespace qivyun
