#pragma once
// Image parts drawn on plain pixels by the same nine-grid pieces that Windows blits, so that a
// part can be looked at, and checked, without Windows.
#include "skin/container/NineGrid.h"
#include "skin/container/SkinContainer.h"

#include <cstdint>
#include <vector>

namespace qivyun::skin {

// Pixels as COLORREF values, top row first.
struct PartPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;

    PartPicture(int w, int h, uint32_t colour) : width(w), height(h), pixels(size_t(w) * size_t(h), colour) {}
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Draws a part into the picture's destination rectangle: copies and tiles whole pixels, stretches
// by nearest pixel, and leaves the pixels of the part's transparent colour alone. Pixels outside
// the picture are not drawn.
void DrawPartPixels(const AtlasView& atlas, const ImagePart& part, const GridRect& destination, PartPicture& picture);

// A picture of one part at a size, over the skin's background (part 271 repeated from the
// top-left corner), as a skinner paints it onto a window.
PartPicture RenderPart(const SkinContainer& skin, int partIndex, int width, int height);

}  // namespace qivyun::skin
