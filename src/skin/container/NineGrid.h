#pragma once
// The nine-grid rule as geometry: which piece of an image part goes where in a destination, and
// whether it is copied at its size, tiled or stretched. Windows executes the pieces with blits;
// the command-line tool executes them on plain pixels.
#include "skin/container/SkinFormat.h"

#include <algorithm>
#include <vector>

namespace qivyun::skin {

struct GridRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

enum class PieceFill { Copy, Tile, Stretch };

// A source rectangle of the atlas and where it goes. A copy has equal sizes.
struct GridPiece {
    GridRect source;
    GridRect destination;
    PieceFill fill;
    friend bool operator==(const GridPiece&, const GridPiece&) = default;
};

// The pieces that draw `part` over `destination`, corners first in each row, rows from the top:
// corners copied, edges and centre tiled or stretched by their digit of the fill mode (a
// stretched piece whose size does not change is a copy). Nothing for a part or destination
// without width or height, nor for a part that does not lie wholly inside the atlas. Margins
// larger than the part shrink in proportion; a destination narrower or lower than the margins
// keeps the outer columns and rows of the corners, shared in the margins' proportion, and has no
// edges or centre in that direction.
std::vector<GridPiece> PlanNineGrid(const ImagePart& part, const GridRect& destination, int atlasWidth,
                                    int atlasHeight);

// The whole-size copies that a copied or tiled piece is made of: repeats from the top-left, the last
// column and row clipped. visit(source, destination) is called once per copy.
template <class Visit>
void ForEachCopy(const GridPiece& piece, Visit&& visit) {
    const GridRect& s = piece.source;
    const GridRect& d = piece.destination;
    if (piece.fill == PieceFill::Stretch || s.width <= 0 || s.height <= 0) return;
    for (int y = 0; y < d.height; y += s.height) {
        const int height = std::min(s.height, d.height - y);
        for (int x = 0; x < d.width; x += s.width) {
            const int width = std::min(s.width, d.width - x);
            visit(GridRect{s.x, s.y, width, height}, GridRect{d.x + x, d.y + y, width, height});
        }
    }
}

}  // namespace qivyun::skin
