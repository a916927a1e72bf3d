#include "WindowCapture.h"

#include "common/CodePage.h"
#include "framework/GdiplusInclude.h"
#include "framework/Handles.h"

#include <cstring>
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

std::unique_ptr<DibCanvas> CaptureWindow(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return nullptr;
    auto picture = std::make_unique<DibCanvas>(rect.right - rect.left, rect.bottom - rect.top);
    HDC screen = GetDC(nullptr);
    BitBlt(picture->Dc(), 0, 0, picture->Width(), picture->Height(), screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    ReleaseDC(nullptr, screen);
    return picture;
}

bool SavePng(const DibCanvas& picture, const std::string& path) {
    CLSID encoder;
    if (!PngEncoder(encoder)) return false;
    const std::wstring widePath = WideFromUtf8(path);
    for (size_t slash = widePath.find_first_of(L"\\/", 3); slash != std::wstring::npos;
         slash = widePath.find_first_of(L"\\/", slash + 1))
        CreateDirectoryW(widePath.substr(0, slash).c_str(), nullptr);
    Gdiplus::Bitmap image(picture.Width(), picture.Height(), picture.Width() * 4, PixelFormat32bppRGB,
                          reinterpret_cast<BYTE*>(const_cast<uint32_t*>(picture.Pixels())));
    return image.Save(widePath.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

bool SaveWindowPng(HWND window, const std::string& path) {
    std::unique_ptr<DibCanvas> picture = CaptureWindow(window);
    return picture && SavePng(*picture, path);
}

std::optional<Picture> LoadPng(const std::string& path) {
    Gdiplus::Bitmap image(WideFromUtf8(path).c_str());
    if (image.GetLastStatus() != Gdiplus::Ok) return std::nullopt;
    Picture picture{static_cast<int>(image.GetWidth()), static_cast<int>(image.GetHeight()), {}};
    Gdiplus::Rect all(0, 0, picture.width, picture.height);
    Gdiplus::BitmapData data{};
    if (image.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) != Gdiplus::Ok) return std::nullopt;
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(&picture.pixels[static_cast<size_t>(y) * picture.width],
                    static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride, picture.width * 4u);
    image.UnlockBits(&data);
    for (uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
    return picture;
}

}  // namespace qivyun::test
