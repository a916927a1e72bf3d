#pragma once
// Image parts kept as they were drawn at a size, so that the part drawn at that size again costs a
// block copy instead of the nine-grid's blits and stretches. A drawing of a keyed part keeps its
// picture with the transparent pixels black and a mask that is white exactly there, and is put
// down with two raster operations (AND with the mask, OR with the picture), which leave the
// destination where the part is transparent, as TransparentBlt does. The cache belongs to the
// loaded skin and is emptied whenever its atlas changes.
#include "framework/OffscreenSurface.h"
#include "skin/container/SkinFormat.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <unordered_map>

namespace qivyun::skin {

class PartCache {
public:
    // The bound: at most this many drawings, holding at most this many bytes of pixels together;
    // the drawings used least recently go first. A drawing that would take more than a quarter of
    // the bytes is never kept.
    static constexpr size_t MaximumDrawings = 128;
    static constexpr size_t MaximumBytes = size_t(4) << 20;

    // draw(dc, rect): the part drawn into dc over rect, as it would be drawn into any DC.
    using Render = std::function<void(HDC dc, const RECT& rect)>;

    PartCache() = default;
    PartCache(const PartCache&) = delete;
    PartCache& operator=(const PartCache&) = delete;

    // Puts the part down over rect of destination from its drawing at that size, made with
    // render the first time; false, with nothing drawn, for a part the cache does not keep (one
    // that leaves pixels of an opaque part undrawn, or too large a drawing).
    bool Draw(HDC destination, const RECT& rect, const ImagePart& part, int atlasWidth, int atlasHeight,
              const Render& render);
    void Clear();

    size_t Drawings() const { return drawings_.size(); }
    size_t Bytes() const { return bytes_; }

private:
    // What a drawing depends on: where the part lies in the atlas, its key colour, margins and
    // fill, the size, and the destination's stretching mode, which the stretched pieces follow.
    struct Key {
        int32_t x, y, width, height, left, top, right, bottom, fillMode;
        uint32_t transparentColour;
        int drawnWidth, drawnHeight, stretchMode;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const;
    };
    struct Drawing {
        Key key;
        OffscreenSurface pixels;  // the picture; below it, for a keyed part, its mask
        bool keyed;
        size_t bytes;
    };
    using Recent = std::list<Drawing>;  // most recently used first

    // The part drawn at the key's size, or nothing.
    std::optional<Drawing> Make(const Key& key, int atlasWidth, int atlasHeight, const Render& render) const;
    void Evict();

    Recent recent_;
    std::unordered_map<Key, Recent::iterator, KeyHash> drawings_;
    size_t bytes_ = 0;
};

}  // namespace qivyun::skin
