#pragma once
// The loaded skin on Windows: the tables, the atlas as a DIB section selected into its own DC and
// as a device-compatible copy, the background brush made from part 271, and the fonts.
#include "framework/DeviceContext.h"
#include "framework/Handles.h"
#include "framework/OffscreenSurface.h"
#include "skin/container/ColourAdjustment.h"
#include "skin/container/PartCache.h"
#include "skin/container/SkinContainer.h"
#include "skin/container/SkinParts.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>

namespace qivyun::skin {

class SkinData {
public:
    SkinData();
    ~SkinData();
    SkinData(const SkinData&) = delete;
    SkinData& operator=(const SkinData&) = delete;

    // Reads a skin blob (result codes of SkinResult). A failure keeps the DCs, the atlas and the
    // fonts of the previous skin; code 4 leaves the tables empty.
    SkinResult ReadSkin(const void* bytes, size_t size);
    // Reads a skin file, opened for reading with read sharing; a file that cannot be opened, is
    // empty or reads short gives 2.
    SkinResult ReadSkinFile(const wchar_t* path);
    // Adjusts the colours and the atlas of the loaded skin, always from the skin as read (so the
    // same values twice change nothing more); transparent colours stay as they are.
    void Recolour(const ColourAdjustment& adjustment);

    // A skin counts as loaded while its atlas exists.
    bool Loaded() const { return atlasBitmap_.Get() != nullptr; }

    const SkinTables& Tables() const { return container_.Tables(); }
    const SkinTables& PristineTables() const { return pristine_; }
    const ImagePart& Part(SkinPart part) const { return Tables().parts[size_t(Index(part))]; }
    int Metric(SkinMetric metric) const { return Tables().metrics[size_t(Index(metric))]; }
    COLORREF Colour(SkinColour colour) const { return Tables().colours[size_t(Index(colour))]; }
    POINT Pair(SkinPair pair) const;

    // The font of a slot, normal or bold; null for an empty slot that has no system fallback.
    HFONT Font(SkinFontSlot slot, bool bold) const { return fonts_[size_t(Index(slot))][bold].Get(); }
    // The engine's default text font (the system's icon-title font).
    HFONT DefaultFont(bool bold) const { return defaultFonts_[bold].Get(); }

    HBRUSH BackgroundBrush() const { return backgroundBrush_.Get(); }
    COLORREF BackgroundColour() const { return backgroundColour_; }

    // The atlas: its DC (the DIB section is selected into it), the device-compatible copy, and the
    // DIB itself for stretching with DrawDib.
    HDC AtlasDc() const { return atlasDc_.Get(); }
    HBITMAP CompatibleAtlas() const { return compatibleAtlas_.Get(); }
    int AtlasWidth() const { return atlasWidth_; }
    int AtlasHeight() const { return atlasHeight_; }
    const BITMAPINFO& AtlasInfo() const { return atlasInfo_; }
    const void* AtlasBits() const { return atlasBits_; }
    HANDLE DrawDib() const { return drawDib_; }
    // The parts as drawn at their sizes from this atlas (DrawPart keeps and reuses them).
    PartCache& Drawings() const { return drawings_; }
    // The off-screen surfaces the skin's pictures are composed in, lent out again and again.
    SurfacePool& Surfaces() const { return surfaces_; }

private:
    bool MakeAtlas();
    void MakeBackground();
    void MakeFonts();

    UniqueDc screenDc_;
    UniqueDc atlasDc_;
    UniqueDc workDc_;  // selects the bitmaps the atlas is copied into
    UniqueGdiObject<HBITMAP> compatibleAtlas_;
    UniqueGdiObject<HBITMAP> backgroundBitmap_;
    std::array<std::array<UniqueGdiObject<HFONT>, 2>, 13> fonts_;
    SkinContainer container_;
    SkinTables pristine_;
    UniqueGdiObject<HBRUSH> backgroundBrush_;
    COLORREF backgroundColour_ = 0;
    ColourAdjustment adjustment_;
    int atlasWidth_ = 0, atlasHeight_ = 0;
    BITMAPINFO atlasInfo_{};
    void* atlasBits_ = nullptr;

    UniqueGdiObject<HBITMAP> atlasBitmap_;             // the DIB section behind atlasBits_
    std::optional<SelectedObject> atlasSelection_;    // atlasBitmap_ in the atlas DC
    std::array<UniqueGdiObject<HFONT>, 2> defaultFonts_;
    HANDLE drawDib_;
    mutable PartCache drawings_;
    mutable SurfacePool surfaces_;
};

}  // namespace qivyun::skin
