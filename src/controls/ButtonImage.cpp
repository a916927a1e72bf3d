#include "controls/ButtonImage.h"

#include "common/CodePage.h"

#include <cstring>

namespace qivyun {

using namespace Gdiplus::DllExports;

std::unique_ptr<ButtonImage> ButtonImage::FromResource(HINSTANCE module, int resourceId, const char* resourceType) {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), WideFromGbk(resourceType).c_str());
    DWORD size = resource ? SizeofResource(module, resource) : 0;
    HGLOBAL loaded = size ? LoadResource(module, resource) : nullptr;
    const void* source = loaded ? LockResource(loaded) : nullptr;
    if (!source) return nullptr;

    HGLOBAL bytes = GlobalAlloc(GMEM_MOVEABLE, size);
    void* copy = bytes ? GlobalLock(bytes) : nullptr;
    if (!copy) {
        if (bytes) GlobalFree(bytes);
        return nullptr;
    }
    std::memcpy(copy, source, size);

    Gdiplus::GpBitmap* bitmap = nullptr;
    Gdiplus::GpStatus status = Gdiplus::GenericError;
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(bytes, FALSE, &stream))) {
        status = GdipCreateBitmapFromStream(stream, &bitmap);
        stream->Release();
    }
    if (status == Gdiplus::Ok && bitmap) return std::unique_ptr<ButtonImage>(new ButtonImage(bitmap, bytes));
    if (bitmap) GdipDisposeImage(bitmap);
    GlobalUnlock(bytes);
    GlobalFree(bytes);
    return nullptr;
}

ButtonImage::~ButtonImage() {
    GdipDisposeImage(bitmap);
    GlobalUnlock(bytes);
    GlobalFree(bytes);
}

UINT ButtonImage::Width() const {
    UINT width = 0;
    GdipGetImageWidth(bitmap, &width);
    return width;
}

UINT ButtonImage::Height() const {
    UINT height = 0;
    GdipGetImageHeight(bitmap, &height);
    return height;
}

}  // namespace qivyun
