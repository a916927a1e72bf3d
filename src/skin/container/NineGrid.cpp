#include "skin/container/NineGrid.h"

#include <cstdint>

namespace qivyun::skin {
namespace {

// One direction of the grid: where the three bands start and how long they are, in the part and
// in the destination.
struct Bands {
    int sourceStart[3], sourceLength[3];
    int destinationStart[3], destinationLength[3];
};

// Shares `length` between two margins that do not fit, in their proportion.
void FitMargins(int length, int& first, int& last) {
    if (first + last <= length) return;
    const int64_t shared = int64_t(length) * first / (int64_t(first) + last);
    first = int(shared);
    last = length - first;
}

Bands SplitBands(int sourceLength, int first, int last, int destinationLength) {
    first = std::max(0, first);
    last = std::max(0, last);
    FitMargins(sourceLength, first, last);
    int outerFirst = first, outerLast = last;
    FitMargins(destinationLength, outerFirst, outerLast);
    return Bands{{0, first, sourceLength - outerLast},
                 {outerFirst, sourceLength - first - last, outerLast},
                 {0, outerFirst, destinationLength - outerLast},
                 {outerFirst, destinationLength - outerFirst - outerLast, outerLast}};
}

bool Tiles(int fillMode, int digit) {
    static constexpr int divisors[] = {10000, 1000, 100, 10, 1};
    return fillMode / divisors[digit] % 10 == 1;
}

// The fill-mode digit of each band: rows top, middle, bottom by columns left, middle, right.
// Corners have none (-1); the digits are top 0, left 1, centre 2, right 3, bottom 4.
constexpr int digitOf[3][3] = {{-1, 0, -1}, {1, 2, 3}, {-1, 4, -1}};

}  // namespace

std::vector<GridPiece> PlanNineGrid(const ImagePart& part, const GridRect& destination, int atlasWidth,
                                    int atlasHeight) {
    std::vector<GridPiece> pieces;
    if (part.width <= 0 || part.height <= 0 || destination.width <= 0 || destination.height <= 0) return pieces;
    if (part.x < 0 || part.y < 0 || part.x > atlasWidth - part.width || part.y > atlasHeight - part.height)
        return pieces;

    const Bands columns = SplitBands(part.width, part.left, part.right, destination.width);
    const Bands rows = SplitBands(part.height, part.top, part.bottom, destination.height);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            GridPiece piece;
            piece.source = {part.x + columns.sourceStart[column], part.y + rows.sourceStart[row],
                            columns.sourceLength[column], rows.sourceLength[row]};
            piece.destination = {destination.x + columns.destinationStart[column],
                                 destination.y + rows.destinationStart[row], columns.destinationLength[column],
                                 rows.destinationLength[row]};
            if (piece.source.width <= 0 || piece.source.height <= 0 || piece.destination.width <= 0 ||
                piece.destination.height <= 0)
                continue;
            const int digit = digitOf[row][column];
            const bool sameSize =
                piece.source.width == piece.destination.width && piece.source.height == piece.destination.height;
            if (digit < 0 || sameSize)
                piece.fill = PieceFill::Copy;
            else
                piece.fill = Tiles(part.fillMode, digit) ? PieceFill::Tile : PieceFill::Stretch;
            pieces.push_back(piece);
        }
    }
    return pieces;
}

}  // namespace qivyun::skin
