#include "skin/container/PartCache.h"

#include "skin/container/NineGrid.h"

#include <algorithm>

namespace qivyun::skin {
namespace {

constexpr uint32_t White = 0x00FFFFFF;

// A COLORREF (0x00BBGGRR) as a pixel of the drawing (0x00RRGGBB).
uint32_t PixelOf(uint32_t colour) { return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF); }

// The pixels the nine-grid's pieces draw.
int64_t Covered(const ImagePart& part, int width, int height, int atlasWidth, int atlasHeight) {
    int64_t covered = 0;
    for (const GridPiece& piece : PlanNineGrid(part, GridRect{0, 0, width, height}, atlasWidth, atlasHeight))
        covered += int64_t(piece.destination.width) * piece.destination.height;
    return covered;
}

}  // namespace

size_t PartCache::KeyHash::operator()(const Key& key) const {
    const int32_t fields[] = {key.x,        key.y,          key.width,       key.height,
                              key.left,     key.top,        key.right,       key.bottom,
                              key.fillMode, int32_t(key.transparentColour), key.drawnWidth, key.drawnHeight,
                              key.stretchMode};
    size_t hash = 0;
    for (int32_t field : fields) hash = hash * 1000003u ^ static_cast<uint32_t>(field);
    return hash;
}

bool PartCache::Draw(HDC destination, const RECT& rect, const ImagePart& part, int atlasWidth, int atlasHeight,
                     const Render& render) {
    const Key key{part.x,     part.y,     part.width,    part.height, part.left,
                  part.top,   part.right, part.bottom,   part.fillMode, part.transparentColour,
                  rect.right - rect.left, rect.bottom - rect.top, GetStretchBltMode(destination)};
    if (key.drawnWidth <= 0 || key.drawnHeight <= 0) return false;
    auto found = drawings_.find(key);
    if (found == drawings_.end()) {
        std::optional<Drawing> made = Make(key, atlasWidth, atlasHeight, render);
        if (!made) return false;
        bytes_ += made->bytes;
        recent_.push_front(std::move(*made));
        found = drawings_.emplace(key, recent_.begin()).first;
        Evict();
    } else if (found->second != recent_.begin()) {
        recent_.splice(recent_.begin(), recent_, found->second);
    }
    const Drawing& drawing = *found->second;
    const int width = key.drawnWidth, height = key.drawnHeight;
    if (drawing.keyed) {
        drawing.pixels.CopyTo(destination, rect.left, rect.top, width, height, 0, height, SRCAND);
        drawing.pixels.CopyTo(destination, rect.left, rect.top, width, height, 0, 0, SRCPAINT);
    } else {
        drawing.pixels.CopyTo(destination, rect.left, rect.top, width, height);
    }
    return true;
}

std::optional<PartCache::Drawing> PartCache::Make(const Key& key, int atlasWidth, int atlasHeight,
                                                  const Render& render) const {
    const bool keyed = key.transparentColour != 0;
    const int width = key.drawnWidth, height = key.drawnHeight;
    const size_t bytes = size_t(width) * size_t(height) * 4 * (keyed ? 2 : 1);
    if (bytes > MaximumBytes / 4) return std::nullopt;
    ImagePart part{};
    part.x = key.x, part.y = key.y, part.width = key.width, part.height = key.height;
    part.left = key.left, part.top = key.top, part.right = key.right, part.bottom = key.bottom;
    part.fillMode = key.fillMode;
    part.transparentColour = key.transparentColour;
    // Nothing to keep for a part that draws nothing; an opaque part that leaves pixels undrawn shows
    // the destination through them, which a copied drawing cannot.
    const int64_t covered = Covered(part, width, height, atlasWidth, atlasHeight);
    if (covered == 0 || (!keyed && covered != int64_t(width) * height)) return std::nullopt;

    Drawing drawing{key, OffscreenSurface(), keyed, bytes};
    if (!drawing.pixels.CreateWithPixels(width, keyed ? 2 * height : height)) return std::nullopt;
    uint32_t* pixels = drawing.pixels.Pixels();
    const size_t area = size_t(width) * size_t(height);
    const uint32_t keyPixel = PixelOf(key.transparentColour);
    // A keyed part is drawn over its own key colour: whatever keeps that colour is transparent.
    if (keyed) std::fill(pixels, pixels + area, keyPixel);
    SetStretchBltMode(drawing.pixels.Dc(), key.stretchMode);
    render(drawing.pixels.Dc(), RECT{0, 0, width, height});
    GdiFlush();
    if (keyed) {
        uint32_t* mask = pixels + area;
        for (size_t i = 0; i < area; ++i) {
            const bool transparent = (pixels[i] & White) == keyPixel;
            mask[i] = transparent ? White : 0;
            if (transparent) pixels[i] = 0;
        }
    }
    return drawing;
}

void PartCache::Evict() {
    while (!recent_.empty() && (recent_.size() > MaximumDrawings || bytes_ > MaximumBytes)) {
        bytes_ -= recent_.back().bytes;
        drawings_.erase(recent_.back().key);
        recent_.pop_back();
    }
}

void PartCache::Clear() {
    drawings_.clear();
    recent_.clear();
    bytes_ = 0;
}

}  // namespace qivyun::skin
