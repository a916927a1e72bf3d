#include "skin/kinds/FrameOutline.h"

#include "skin/container/PartPicture.h"

namespace qivyun::skin {
namespace {

// No COLORREF has a high byte: a pixel that still holds this was left to the transparent colour.
constexpr uint32_t Untouched = 0xFF000000u;

// Adds a row span, widening the last rectangle when it ends just above with the same span.
void AddSpan(std::vector<GridRect>& shape, int y, int left, int right) {
    if (right <= left) return;
    if (!shape.empty()) {
        GridRect& last = shape.back();
        if (last.y + last.height == y && last.x == left && last.width == right - left) {
            ++last.height;
            return;
        }
    }
    shape.push_back({left, y, right - left, 1});
}

// The rows of a band: the part drawn across it, then each row's span between its outer runs of
// untouched pixels. A part that draws nothing at all (none in the skin) leaves the band whole.
void AddBand(std::vector<GridRect>& shape, const AtlasView& atlas, const ImagePart& part, const GridRect& band) {
    if (band.width <= 0 || band.height <= 0) return;
    PartPicture picture(band.width, band.height, Untouched);
    DrawPartPixels(atlas, part, GridRect{0, 0, band.width, band.height}, picture);
    bool drawn = false;
    for (uint32_t pixel : picture.pixels) drawn = drawn || pixel != Untouched;
    if (!drawn) picture.pixels.assign(picture.pixels.size(), 0);
    for (int y = 0; y < band.height; ++y) {
        int left = 0, right = band.width;
        while (left < right && picture.At(left, y) == Untouched) ++left;
        while (right > left && picture.At(right - 1, y) == Untouched) --right;
        AddSpan(shape, band.y + y, band.x + left, band.x + right);
    }
}

}  // namespace

std::vector<GridRect> FrameOutline(const AtlasView& atlas, const ImagePart& titleBar, const ImagePart& bottomEdge,
                                   const FrameLayout& layout) {
    std::vector<GridRect> shape;
    if (layout.width <= 0 || layout.height <= 0) return shape;
    if (atlas.Empty()) {
        shape.push_back({0, 0, layout.width, layout.height});
        return shape;
    }
    AddBand(shape, atlas, titleBar, layout.titleBar);
    const int middleTop = layout.titleBar.height, middleBottom = layout.height - layout.bottom.height;
    for (int y = middleTop; y < middleBottom; ++y) AddSpan(shape, y, 0, layout.width);
    AddBand(shape, atlas, bottomEdge, layout.bottom);
    return shape;
}

}  // namespace qivyun::skin
