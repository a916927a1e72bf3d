// The nine-grid pieces: which piece of a part goes where, copied, tiled or stretched.
#include "skin/container/NineGrid.h"

#include <gtest/gtest.h>

namespace qivyun::skin {
namespace {

constexpr PieceFill C = PieceFill::Copy, T = PieceFill::Tile, S = PieceFill::Stretch;

ImagePart Part(int x, int y, int width, int height, int left, int top, int right, int bottom, int fillMode) {
    ImagePart part{};
    part.x = x, part.y = y, part.width = width, part.height = height;
    part.left = left, part.top = top, part.right = right, part.bottom = bottom;
    part.fillMode = fillMode;
    return part;
}

TEST(NineGridTest, CornersAreCopiedAndEachEdgeAndTheCentreTileOrStretchByItsDigit) {
    // A 10 x 9 part at (20, 30) with margins 2, 3, 4, 1 over a 30 x 20 destination at (5, 6).
    const GridRect destination{5, 6, 30, 20};
    const std::vector<GridPiece> expected = {
        {{20, 30, 2, 3}, {5, 6, 2, 3}, C},   {{22, 30, 4, 3}, {7, 6, 24, 3}, S},   {{26, 30, 4, 3}, {31, 6, 4, 3}, C},
        {{20, 33, 2, 5}, {5, 9, 2, 16}, S},  {{22, 33, 4, 5}, {7, 9, 24, 16}, S},  {{26, 33, 4, 5}, {31, 9, 4, 16}, S},
        {{20, 38, 2, 1}, {5, 25, 2, 1}, C},  {{22, 38, 4, 1}, {7, 25, 24, 1}, S},  {{26, 38, 4, 1}, {31, 25, 4, 1}, C},
    };
    EXPECT_EQ(PlanNineGrid(Part(20, 30, 10, 9, 2, 3, 4, 1, 0), destination, 64, 64), expected);

    auto fills = [&](int fillMode) {
        std::vector<PieceFill> result;
        for (const GridPiece& piece : PlanNineGrid(Part(20, 30, 10, 9, 2, 3, 4, 1, fillMode), destination, 64, 64))
            result.push_back(piece.fill);
        return result;
    };
    EXPECT_EQ(fills(11111), (std::vector<PieceFill>{C, T, C, T, T, T, C, T, C}));
    EXPECT_EQ(fills(10000), (std::vector<PieceFill>{C, T, C, S, S, S, C, S, C}));  // top
    EXPECT_EQ(fills(1000), (std::vector<PieceFill>{C, S, C, T, S, S, C, S, C}));   // left
    EXPECT_EQ(fills(100), (std::vector<PieceFill>{C, S, C, S, T, S, C, S, C}));    // centre
    EXPECT_EQ(fills(10), (std::vector<PieceFill>{C, S, C, S, S, T, C, S, C}));     // right
    EXPECT_EQ(fills(1), (std::vector<PieceFill>{C, S, C, S, S, S, C, T, C}));      // bottom

    // At the part's own size every piece is a plain copy.
    for (const GridPiece& piece : PlanNineGrid(Part(0, 0, 10, 9, 2, 3, 4, 1, 0), GridRect{0, 0, 10, 9}, 64, 64))
        EXPECT_EQ(piece.fill, C);
}

TEST(NineGridTest, TilesRepeatWholeCopiesFromTheTopLeftAndClipTheLastColumnAndRow) {
    const GridPiece tiled{{40, 50, 3, 2}, {100, 200, 8, 5}, T};
    std::vector<std::pair<GridRect, GridRect>> copies;
    ForEachCopy(tiled, [&](const GridRect& s, const GridRect& d) { copies.emplace_back(s, d); });
    const std::vector<std::pair<GridRect, GridRect>> expected = {
        {{40, 50, 3, 2}, {100, 200, 3, 2}}, {{40, 50, 3, 2}, {103, 200, 3, 2}}, {{40, 50, 2, 2}, {106, 200, 2, 2}},
        {{40, 50, 3, 2}, {100, 202, 3, 2}}, {{40, 50, 3, 2}, {103, 202, 3, 2}}, {{40, 50, 2, 2}, {106, 202, 2, 2}},
        {{40, 50, 3, 1}, {100, 204, 3, 1}}, {{40, 50, 3, 1}, {103, 204, 3, 1}}, {{40, 50, 2, 1}, {106, 204, 2, 1}},
    };
    EXPECT_EQ(copies, expected);
}

TEST(NineGridTest, DestinationsSmallerThanTheMarginsKeepTheOuterPartsOfTheCorners) {
    // Margins 4 and 2 across a destination 3 wide: the left corner keeps 2 columns, the right 1;
    // the height (10) is large enough, so edges remain vertically.
    const ImagePart part = Part(0, 0, 20, 21, 4, 3, 2, 3, 0);
    const std::vector<GridPiece> narrow = {
        {{0, 0, 2, 3}, {0, 0, 2, 3}, C},  {{19, 0, 1, 3}, {2, 0, 1, 3}, C},
        {{0, 3, 2, 15}, {0, 3, 2, 4}, S}, {{19, 3, 1, 15}, {2, 3, 1, 4}, S},
        {{0, 18, 2, 3}, {0, 7, 2, 3}, C}, {{19, 18, 1, 3}, {2, 7, 1, 3}, C},
    };
    EXPECT_EQ(PlanNineGrid(part, GridRect{0, 0, 3, 10}, 64, 64), narrow);

    // Smaller than the margins both ways: only the four corners' outer pixels.
    const std::vector<GridPiece> tiny = {
        {{0, 0, 1, 1}, {0, 0, 1, 1}, C},
        {{19, 0, 1, 1}, {1, 0, 1, 1}, C},
        {{0, 20, 1, 1}, {0, 1, 1, 1}, C},
        {{19, 20, 1, 1}, {1, 1, 1, 1}, C},
    };
    EXPECT_EQ(PlanNineGrid(Part(0, 0, 20, 21, 3, 3, 3, 3, 11111), GridRect{0, 0, 2, 2}, 64, 64), tiny);

    // Margins wider than the part itself are shared in their proportion: 6 + 2 over 4 columns.
    const std::vector<GridPiece> wide = PlanNineGrid(Part(0, 0, 4, 4, 6, 0, 2, 0, 0), GridRect{0, 0, 10, 4}, 64, 64);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0], (GridPiece{{0, 0, 3, 4}, {0, 0, 3, 4}, C}));
    EXPECT_EQ(wide[1], (GridPiece{{3, 0, 1, 4}, {9, 0, 1, 4}, C}));
}

TEST(NineGridTest, NothingIsDrawnForEmptyPartsEmptyDestinationsOrPartsOutsideTheAtlas) {
    const ImagePart part = Part(2, 2, 8, 8, 2, 2, 2, 2, 0);
    EXPECT_TRUE(PlanNineGrid(Part(2, 2, 0, 8, 2, 2, 2, 2, 0), GridRect{0, 0, 50, 50}, 64, 64).empty());
    EXPECT_TRUE(PlanNineGrid(Part(2, 2, 8, -1, 2, 2, 2, 2, 0), GridRect{0, 0, 50, 50}, 64, 64).empty());
    EXPECT_TRUE(PlanNineGrid(part, GridRect{0, 0, 0, 50}, 64, 64).empty());
    EXPECT_TRUE(PlanNineGrid(part, GridRect{0, 0, 50, -3}, 64, 64).empty());
    EXPECT_TRUE(PlanNineGrid(part, GridRect{0, 0, 50, 50}, 9, 64).empty());
    EXPECT_TRUE(PlanNineGrid(Part(-1, 2, 8, 8, 2, 2, 2, 2, 0), GridRect{0, 0, 50, 50}, 64, 64).empty());
    EXPECT_EQ(PlanNineGrid(part, GridRect{0, 0, 50, 50}, 10, 10).size(), 9u);
}

}  // namespace
}  // namespace qivyun::skin
