#include "skin/container/SkinData.h"

#include "common/CodePage.h"

#include <mmsystem.h>
#include <vfw.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

constexpr int NormalWeight = 400;
constexpr int BoldWeight = 700;
static_assert(sizeof(LOGFONTA) == sizeof(FontEntry::logFont));

// Fonts are made through the wide function, so that a face is chosen by its own name on every system.
void MakeFontPair(const LOGFONTW& font, std::array<UniqueGdiObject<HFONT>, 2>& pair) {
    LOGFONTW weighted = font;
    weighted.lfWeight = NormalWeight;
    pair[0].Reset(CreateFontIndirectW(&weighted));
    weighted.lfWeight = BoldWeight;
    pair[1].Reset(CreateFontIndirectW(&weighted));
}

// A skin file's font as it lies in the file: its face name in GBK, whatever system wrote or reads it.
LOGFONTW FontOfEntry(const FontEntry& entry) {
    LOGFONTA stored;
    std::memcpy(&stored, entry.logFont, sizeof stored);
    LOGFONTW font{};
    std::memcpy(&font, &stored, offsetof(LOGFONTA, lfFaceName));
    const std::string_view face(stored.lfFaceName, strnlen(stored.lfFaceName, LF_FACESIZE - 1));
    const std::wstring wideFace = WideFromGbk(face).substr(0, LF_FACESIZE - 1);
    std::copy(wideFace.begin(), wideFace.end(), font.lfFaceName);
    return font;
}

}  // namespace

SkinData::SkinData()
    : screenDc_(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)),
      atlasDc_(CreateCompatibleDC(screenDc_.Get())),
      workDc_(CreateCompatibleDC(screenDc_.Get())),
      drawDib_(DrawDibOpen()) {
    LOGFONTW iconTitle{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0)) MakeFontPair(iconTitle, defaultFonts_);
}

SkinData::~SkinData() {
    if (drawDib_) DrawDibClose(static_cast<HDRAWDIB>(drawDib_));
}

POINT SkinData::Pair(SkinPair pair) const {
    const SkinPoint& point = Tables().pairs[size_t(Index(pair))];
    return POINT{point.x, point.y};
}

SkinResult SkinData::ReadSkin(const void* bytes, size_t size) {
    adjustment_ = {};
    const SkinResult result = container_.Read(static_cast<const uint8_t*>(bytes), size);
    if (result != SkinResult::Loaded) return result;
    pristine_ = container_.Tables();
    if (!MakeAtlas()) {
        container_.ClearTables();
        return SkinResult::AtlasUnusable;
    }
    MakeBackground();
    MakeFonts();
    return SkinResult::Loaded;
}

SkinResult SkinData::ReadSkinFile(const wchar_t* path) {
    UniqueHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return SkinResult::FileUnreadable;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF)
        return SkinResult::FileUnreadable;
    std::vector<uint8_t> bytes(size_t(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size())
        return SkinResult::FileUnreadable;
    return ReadSkin(bytes.data(), bytes.size());
}

void SkinData::Recolour(const ColourAdjustment& adjustment) {
    if (!Loaded() || adjustment.None()) return;
    adjustment_ = adjustment;
    std::array<uint32_t, 64> colours = pristine_.colours;
    for (uint32_t& colour : colours) colour = adjustment.Apply(colour);
    container_.SetColours(colours);

    std::vector<uint32_t> keys;
    for (const ImagePart& part : pristine_.parts) {
        for (uint32_t key : {part.transparentColour, part.glyphTransparentColour})
            if (key != 0) keys.push_back(key);
    }
    const AtlasView& atlas = container_.Atlas();
    auto* bits = static_cast<uint8_t*>(atlasBits_);
    for (int y = 0; y < atlas.height; ++y) {
        for (int x = 0; x < atlas.width; ++x) {
            const uint32_t original = atlas.Pixel(x, y);
            if (std::find(keys.begin(), keys.end(), original) != keys.end()) continue;
            const uint32_t adjusted = adjustment.Apply(original);
            uint8_t* pixel = bits + size_t(atlas.height - 1 - y) * atlas.stride + size_t(x) * 3;
            pixel[0] = uint8_t(adjusted >> 16);
            pixel[1] = uint8_t(adjusted >> 8);
            pixel[2] = uint8_t(adjusted);
        }
    }
    GdiFlush();
    drawings_.Clear();
    {
        SelectedObject target(workDc_.Get(), compatibleAtlas_.Get());
        BitBlt(workDc_.Get(), 0, 0, atlasWidth_, atlasHeight_, atlasDc_.Get(), 0, 0, SRCCOPY);
    }
    MakeBackground();
    // A pattern brush is cut from the adjusted atlas already; a solid one takes the colour read.
    if (!backgroundBitmap_) {
        backgroundColour_ = adjustment.Apply(backgroundColour_);
        backgroundBrush_.Reset(CreateSolidBrush(backgroundColour_));
    }
}

// The atlas DIB from the checked size (never from the stored header's other fields, so a colour
// count or size there cannot make the system read past the pixels), its DC and its compatible copy.
bool SkinData::MakeAtlas() {
    const AtlasView& atlas = container_.Atlas();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = atlas.width;
    info.bmiHeader.biHeight = atlas.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = DWORD(atlas.pixelBytes);
    void* bits = nullptr;
    UniqueGdiObject<HBITMAP> dib(CreateDIBSection(screenDc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return false;
    UniqueGdiObject<HBITMAP> compatible(CreateCompatibleBitmap(screenDc_.Get(), atlas.width, atlas.height));
    if (!compatible) return false;
    std::memcpy(bits, atlas.pixels, atlas.pixelBytes);
    GdiFlush();

    // The new atlas goes in before the old one is deleted; what was drawn from the old one goes.
    drawings_.Clear();
    atlasSelection_.emplace(atlasDc_.Get(), dib.Get());
    atlasBitmap_ = std::move(dib);
    atlasInfo_ = info;
    atlasBits_ = bits;
    atlasWidth_ = atlas.width;
    atlasHeight_ = atlas.height;
    {
        SelectedObject target(workDc_.Get(), compatible.Get());
        BitBlt(workDc_.Get(), 0, 0, atlas.width, atlas.height, atlasDc_.Get(), 0, 0, SRCCOPY);
    }
    compatibleAtlas_ = std::move(compatible);
    return true;
}

// A solid brush when part 271 is one colour, a pattern brush of its area otherwise; the system's
// face colour when the skin has no background part.
void SkinData::MakeBackground() {
    const ImagePart& part = Part(SkinPart::WindowBackground);
    const AtlasView& atlas = container_.Atlas();
    backgroundBitmap_.Reset();
    const bool inside = part.width > 0 && part.height > 0 && part.x >= 0 && part.y >= 0 &&
                        part.x <= atlas.width - part.width && part.y <= atlas.height - part.height;
    if (!inside) {
        backgroundColour_ = GetSysColor(COLOR_BTNFACE);
        backgroundBrush_.Reset(CreateSolidBrush(backgroundColour_));
        return;
    }
    backgroundColour_ = atlas.Pixel(part.x, part.y);
    bool solid = true;
    for (int y = 0; y < part.height && solid; ++y)
        for (int x = 0; x < part.width && solid; ++x) solid = atlas.Pixel(part.x + x, part.y + y) == backgroundColour_;
    if (solid) {
        backgroundBrush_.Reset(CreateSolidBrush(backgroundColour_));
        return;
    }
    backgroundBitmap_.Reset(CreateCompatibleBitmap(screenDc_.Get(), part.width, part.height));
    {
        SelectedObject target(workDc_.Get(), backgroundBitmap_.Get());
        BitBlt(workDc_.Get(), 0, 0, part.width, part.height, atlasDc_.Get(), part.x, part.y, SRCCOPY);
    }
    backgroundBrush_.Reset(CreatePatternBrush(backgroundBitmap_.Get()));
}

// The skin's fonts; empty slots 0-3 and 9 fall back to the system's non-client fonts.
void SkinData::MakeFonts() {
    for (size_t slot = 0; slot < fonts_.size(); ++slot) {
        fonts_[slot][0].Reset();
        fonts_[slot][1].Reset();
        const FontEntry& entry = Tables().fonts[slot];
        if (entry.Empty()) continue;
        MakeFontPair(FontOfEntry(entry), fonts_[slot]);
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    const std::pair<SkinFontSlot, const LOGFONTW*> fallbacks[] = {
        {SkinFontSlot::CaptionFont, &metrics.lfCaptionFont},
        {SkinFontSlot::CaptionFontAlternate, nullptr},
        {SkinFontSlot::MenuFont, &metrics.lfMenuFont},
        {SkinFontSlot::MenuFontAlternate, nullptr},
        {SkinFontSlot::StatusFont, &metrics.lfStatusFont},
    };
    // In this order, so that slots 1 and 3 take what slots 0 and 2 hold, the skin's font or the system's.
    for (const auto& [slot, systemFont] : fallbacks) {
        if (!Tables().fonts[size_t(Index(slot))].Empty()) continue;
        LOGFONTW font{};
        if (systemFont) {
            font = *systemFont;
        } else {
            const HFONT source = fonts_[size_t(Index(slot) - 1)][0].Get();
            if (!source || !GetObjectW(source, sizeof font, &font)) continue;
        }
        MakeFontPair(font, fonts_[size_t(Index(slot))]);
    }
}

}  // namespace qivyun::skin
