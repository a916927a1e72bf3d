#include "skin/container/DrawPart.h"

#include "framework/OffscreenSurface.h"

#include <mmsystem.h>
#include <vfw.h>

namespace qivyun::skin {
namespace {

void Stretch(HDC destination, int x, int y, const GridRect& size, const GridRect& source, const SkinData& skin) {
    BITMAPINFOHEADER header = skin.AtlasInfo().bmiHeader;
    DrawDibDraw(static_cast<HDRAWDIB>(skin.DrawDib()), destination, x, y, size.width, size.height, &header,
                const_cast<void*>(skin.AtlasBits()), source.x, source.y, source.width, source.height, DDF_HALFTONE);
}

// The nine-grid's pieces blitted, stretched and keyed straight into the destination.
void RenderPart(HDC destination, const RECT& rectangle, const ImagePart& part, const SkinData& skin) {
    const GridRect target = ToGridRect(rectangle);
    const UINT key = part.transparentColour;
    for (const GridPiece& piece : PlanNineGrid(part, target, skin.AtlasWidth(), skin.AtlasHeight())) {
        const GridRect& d = piece.destination;
        if (piece.fill != PieceFill::Stretch) {
            ForEachCopy(piece, [&](const GridRect& s, const GridRect& to) {
                if (key == 0)
                    BitBlt(destination, to.x, to.y, to.width, to.height, skin.AtlasDc(), s.x, s.y, SRCCOPY);
                else
                    TransparentBlt(destination, to.x, to.y, to.width, to.height, skin.AtlasDc(), s.x, s.y, s.width,
                                   s.height, key);
            });
        } else if (key == 0) {
            Stretch(destination, d.x, d.y, d, piece.source, skin);
        } else {
            // stretched into a bitmap of the piece's size first, then keyed onto the destination
            OffscreenSurface stretched(destination, d.width, d.height);
            if (!stretched) continue;
            Stretch(stretched.Dc(), 0, 0, d, piece.source, skin);
            TransparentBlt(destination, d.x, d.y, d.width, d.height, stretched.Dc(), 0, 0, d.width, d.height, key);
        }
    }
}

}  // namespace

void DrawPart(HDC destination, const RECT& rectangle, const ImagePart& part, const SkinData& skin) {
    if (!skin.Loaded()) return;
    const auto render = [&part, &skin](HDC dc, const RECT& rect) { RenderPart(dc, rect, part, skin); };
    if (skin.Drawings().Draw(destination, rectangle, part, skin.AtlasWidth(), skin.AtlasHeight(), render)) return;
    RenderPart(destination, rectangle, part, skin);
}

}  // namespace qivyun::skin
