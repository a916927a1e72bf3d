#include "framework/OffscreenSurface.h"

#include <algorithm>
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
    return Adopt(dc, bitmap, width, height);
}

bool OffscreenSurface::CreateWithPixels(int width, int height) {
    Reset();
    if (width <= 0 || height <= 0) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!Adopt(dc, bitmap && bits ? bitmap : nullptr, width, height)) {
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    pixels_ = static_cast<uint32_t*>(bits);
    return true;
}

// Takes the context and selects the bitmap into it; a missing bitmap gives the context back.
bool OffscreenSurface::Adopt(HDC dc, HBITMAP bitmap, int width, int height) {
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
    pixels_ = nullptr;
    width_ = height_ = 0;
}

void OffscreenSurface::Swap(OffscreenSurface& other) noexcept {
    std::swap(dc_, other.dc_);
    std::swap(bitmap_, other.bitmap_);
    std::swap(previous_, other.previous_);
    std::swap(pixels_, other.pixels_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
}

SurfacePool::Lease::Lease(SurfacePool* pool, OffscreenSurface surface, int format, int width, int height)
    : terms_{pool, format, width, height, 0}, surface_(std::move(surface)) {
    if (surface_) terms_.savedState = SaveDC(surface_.Dc());
}

void SurfacePool::Lease::Swap(Lease& other) noexcept {
    std::swap(terms_, other.terms_);
    std::swap(surface_, other.surface_);
}

SurfacePool::Lease::~Lease() {
    if (!terms_.pool || !surface_) return;
    if (terms_.savedState) RestoreDC(surface_.Dc(), terms_.savedState);
    terms_.pool->TakeBack(std::move(surface_), terms_.format);
}

namespace {

// What tells apart the formats of the bitmaps CreateCompatibleBitmap makes: for a memory DC the
// bits per pixel of the bitmap selected into it, for any other DC its device's format (0), which
// is not asked for: under Wine the question about a display DC costs round trips to the server.
int CompatibleFormat(HDC dc) {
    if (GetObjectType(dc) != OBJ_MEMDC) return 0;
    BITMAP selected{};
    if (!GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof selected, &selected)) return -1;
    return selected.bmBitsPixel * selected.bmPlanes;
}

}  // namespace

SurfacePool::Lease SurfacePool::Borrow(HDC compatibleWith, int width, int height) {
    const int format = CompatibleFormat(compatibleWith);
    if (width <= 0 || height <= 0) return Lease(this, OffscreenSurface(), format, width, height);
    // One too large to keep is made for the loan alone.
    if (int64_t(width) * height > KeptPixels)
        return Lease(this, OffscreenSurface(compatibleWith, width, height), format, width, height);
    auto area = [](const Idle& idle) { return int64_t(idle.surface.Width()) * idle.surface.Height(); };
    auto fits = [&](const Idle& idle) { return idle.surface.Width() >= width && idle.surface.Height() >= height; };
    // The smallest kept surface of the format that is large enough; else the largest of the format,
    // made again large enough, so that the kept ones settle at the sizes in use; else a new one.
    auto chosen = idle_.end();
    for (auto each = idle_.begin(); each != idle_.end(); ++each) {
        if (each->format != format) continue;
        if (chosen == idle_.end()) {
            chosen = each;
        } else if (fits(*chosen) ? fits(*each) && area(*each) < area(*chosen) : fits(*each) || area(*each) > area(*chosen)) {
            chosen = each;
        }
    }
    int madeWidth = width, madeHeight = height;
    if (chosen != idle_.end()) {
        OffscreenSurface surface = std::move(chosen->surface);
        idle_.erase(chosen);
        if (surface.Width() >= width && surface.Height() >= height)
            return Lease(this, std::move(surface), format, width, height);
        madeWidth = std::max(width, surface.Width());
        madeHeight = std::max(height, surface.Height());
    }
    return Lease(this, OffscreenSurface(compatibleWith, madeWidth, madeHeight), format, width, height);
}

// Kept when there is room, else in place of a smaller one; a surface too large to keep goes.
void SurfacePool::TakeBack(OffscreenSurface surface, int format) {
    const int64_t area = int64_t(surface.Width()) * surface.Height();
    if (area > KeptPixels) return;
    if (idle_.size() < KeptSurfaces) {
        idle_.push_back(Idle{format, std::move(surface)});
        return;
    }
    auto smallest = std::min_element(idle_.begin(), idle_.end(), [](const Idle& a, const Idle& b) {
        return int64_t(a.surface.Width()) * a.surface.Height() < int64_t(b.surface.Width()) * b.surface.Height();
    });
    if (int64_t(smallest->surface.Width()) * smallest->surface.Height() < area)
        *smallest = Idle{format, std::move(surface)};
}

}  // namespace qivyun
