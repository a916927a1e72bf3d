#include "skin/container/PartPicture.h"

#include "skin/container/SkinParts.h"

namespace qivyun::skin {
namespace {

void PutPixel(PartPicture& picture, int x, int y, uint32_t colour, uint32_t transparentColour) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
    if (transparentColour != 0 && colour == transparentColour) return;
    picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] = colour;
}

}  // namespace

void DrawPartPixels(const AtlasView& atlas, const ImagePart& part, const GridRect& destination, PartPicture& picture) {
    if (atlas.Empty()) return;
    const uint32_t key = part.transparentColour;
    for (const GridPiece& piece : PlanNineGrid(part, destination, atlas.width, atlas.height)) {
        if (piece.fill == PieceFill::Stretch) {
            const GridRect& s = piece.source;
            const GridRect& d = piece.destination;
            for (int y = 0; y < d.height; ++y) {
                const int sy = s.y + int((int64_t(2 * y + 1) * s.height) / (2 * int64_t(d.height)));
                for (int x = 0; x < d.width; ++x) {
                    const int sx = s.x + int((int64_t(2 * x + 1) * s.width) / (2 * int64_t(d.width)));
                    PutPixel(picture, d.x + x, d.y + y, atlas.Pixel(sx, sy), key);
                }
            }
            continue;
        }
        ForEachCopy(piece, [&](const GridRect& s, const GridRect& d) {
            for (int y = 0; y < d.height; ++y)
                for (int x = 0; x < d.width; ++x) PutPixel(picture, d.x + x, d.y + y, atlas.Pixel(s.x + x, s.y + y), key);
        });
    }
}

PartPicture RenderPart(const SkinContainer& skin, int partIndex, int width, int height) {
    const AtlasView& atlas = skin.Atlas();
    PartPicture picture(width, height, ColourRef(240, 240, 240));
    const ImagePart& background = skin.Tables().parts[Index(SkinPart::WindowBackground)];
    // The background brush repeats the part's area from the window's origin, whatever its margins.
    ImagePart brush = background;
    brush.left = brush.top = brush.right = brush.bottom = 0;
    brush.fillMode = 11111;
    brush.transparentColour = 0;
    DrawPartPixels(atlas, brush, GridRect{0, 0, width, height}, picture);
    if (partIndex >= 0 && size_t(partIndex) < skin.Tables().parts.size())
        DrawPartPixels(atlas, skin.Tables().parts[size_t(partIndex)], GridRect{0, 0, width, height}, picture);
    return picture;
}

}  // namespace qivyun::skin
