#pragma once
// A PNG from the program's resources, decoded by GDI+. The decoder reads from a stream over a
// private copy of the bytes, so the copy lives as long as the bitmap.
#include "framework/GdiplusInclude.h"

#include <memory>

namespace qivyun {

class ButtonImage {
public:
    // Null when the resource is missing, empty or not a picture GDI+ decodes.
    static std::unique_ptr<ButtonImage> FromResource(HINSTANCE module, int resourceId, const char* resourceType);
    ~ButtonImage();
    ButtonImage(const ButtonImage&) = delete;
    ButtonImage& operator=(const ButtonImage&) = delete;

    Gdiplus::GpBitmap* Bitmap() const { return bitmap; }
    UINT Width() const;
    UINT Height() const;

private:
    ButtonImage(Gdiplus::GpBitmap* decoded, HGLOBAL lockedBytes) : bitmap(decoded), bytes(lockedBytes) {}

    Gdiplus::GpBitmap* bitmap;
    HGLOBAL bytes;  // movable, locked while the bitmap lives
};

}  // namespace qivyun
