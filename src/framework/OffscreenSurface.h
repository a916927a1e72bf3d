#pragma once
// An off-screen picture: a memory device context that owns the bitmap selected into it, composed
// and then copied to the screen in one block. The bitmap is selected back out before both are
// deleted.
#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

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
    // A context holding a 32-bit top-down DIB of this size, whose pixels (0x00RRGGBB, rows from the
    // top) may be read and written between drawing calls once GdiFlush has run; false, and empty,
    // as for Create.
    bool CreateWithPixels(int width, int height);
    void Reset();

    HDC Dc() const { return dc_; }
    uint32_t* Pixels() const { return pixels_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    explicit operator bool() const { return dc_ != nullptr; }

    // The whole picture copied to (x, y) of dc.
    void CopyTo(HDC dc, int x, int y) const { BitBlt(dc, x, y, width_, height_, dc_, 0, 0, SRCCOPY); }
    // A width x height piece from (sourceX, sourceY) to (x, y) of dc, by the raster operation.
    void CopyTo(HDC dc, int x, int y, int width, int height, int sourceX = 0, int sourceY = 0,
                DWORD operation = SRCCOPY) const {
        BitBlt(dc, x, y, width, height, dc_, sourceX, sourceY, operation);
    }

private:
    void Swap(OffscreenSurface& other) noexcept;
    bool Adopt(HDC dc, HBITMAP bitmap, int width, int height);

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Off-screen surfaces lent out and taken back, so that composing a picture does not make and free
// a bitmap (and, under Wine, ask the window server about the display) every time. A lent surface
// has the format of the DC it is asked for with and at least the size asked for; what is drawn
// into it, and its DC's state, are the borrower's until it goes back, when the state is put back
// as it was lent. Surfaces lent at the same time are different ones.
class SurfacePool {
public:
    // Kept between loans: at most this many surfaces, none larger than this many pixels.
    static constexpr size_t KeptSurfaces = 4;
    static constexpr int64_t KeptPixels = int64_t(1024) * 768;

    class Lease {
    public:
        Lease() = default;
        Lease(Lease&& other) noexcept { Swap(other); }
        Lease& operator=(Lease&& other) noexcept {
            Lease(std::move(other)).Swap(*this);
            return *this;
        }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease();

        HDC Dc() const { return surface_.Dc(); }
        explicit operator bool() const { return surface_.Dc() != nullptr; }
        // The width x height asked for, from the surface's top-left, copied to (x, y) of dc.
        void CopyTo(HDC dc, int x, int y) const { surface_.CopyTo(dc, x, y, terms_.width, terms_.height); }

    private:
        friend class SurfacePool;
        Lease(SurfacePool* pool, OffscreenSurface surface, int format, int width, int height);
        void Swap(Lease& other) noexcept;

        // What the loan is: whose surface, of which format, the size asked for, the DC state lent.
        struct Terms {
            SurfacePool* pool = nullptr;
            int format = 0, width = 0, height = 0;
            int savedState = 0;
        };
        Terms terms_;
        OffscreenSurface surface_;
    };

    SurfacePool() = default;
    SurfacePool(const SurfacePool&) = delete;
    SurfacePool& operator=(const SurfacePool&) = delete;

    // A surface of at least width x height in the format of compatibleWith; empty, as
    // OffscreenSurface is, for a side that is not positive or when no bitmap can be made.
    Lease Borrow(HDC compatibleWith, int width, int height);
    size_t Kept() const { return idle_.size(); }

private:
    struct Idle {
        int format;
        OffscreenSurface surface;
    };
    void TakeBack(OffscreenSurface surface, int format);

    std::vector<Idle> idle_;
};

}  // namespace qivyun
