#include "WindowCapture.h"

#include "framework/GdiplusInclude.h"
#include "framework/Handles.h"

#include <vector>

namespace qivyun::test {
namespace {

bool PngEncoder(CLSID& encoder) {
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    if (size == 0) return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ScreensFolder() { return QIVYUN_SCREENS_FOLDER; }

bool SaveWindowPng(HWND window, const std::string& path) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return false;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
    {
        MemoryDc memory(screen, bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    }
    ReleaseDC(nullptr, screen);

    CLSID encoder;
    if (!PngEncoder(encoder)) return false;
    std::wstring widePath(path.begin(), path.end());
    for (size_t slash = path.find_first_of("\\/", 3); slash != std::string::npos; slash = path.find_first_of("\\/", slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    Gdiplus::Bitmap image(bitmap.Get(), nullptr);
    return image.Save(widePath.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

}  // namespace qivyun::test
