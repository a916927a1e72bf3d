// DrawPart on Windows: the nine-grid pieces copied, stretched with DrawDib and keyed with
// TransparentBlt, read back from a DIB; the drawings the skin keeps of parts at their sizes.
#include "../support/DibCanvas.h"
#include "../support/GdiObjects.h"
#include "skin/container/DrawPart.h"
#include "skin/container/SkinWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace qivyun::skin {
namespace {

using Canvas = qivyun::test::DibCanvas;

// A 24 x 6 atlas of three parts, painted rectangle by rectangle.
struct Paint {
    int x, y, width, height;
    COLORREF colour;
};

AtlasPixels PaintedAtlas(int width, int height, const std::vector<Paint>& paints) {
    AtlasPixels atlas{width, height, {}};
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    atlas.rows.assign(stride * size_t(height), 0);
    for (const Paint& p : paints)
        for (int y = p.y; y < p.y + p.height; ++y)
            for (int x = p.x; x < p.x + p.width; ++x) {
                uint8_t* pixel = atlas.rows.data() + size_t(height - 1 - y) * stride + size_t(x) * 3;
                pixel[0] = GetBValue(p.colour), pixel[1] = GetGValue(p.colour), pixel[2] = GetRValue(p.colour);
            }
    return atlas;
}

constexpr COLORREF TopLeft = RGB(200, 0, 0), TopRight = RGB(0, 200, 0), BottomLeft = RGB(0, 0, 200),
                   BottomRight = RGB(200, 200, 0), TopEdge = RGB(10, 20, 30), LeftEdge = RGB(70, 80, 90),
                   RightEdge = RGB(100, 110, 120), BottomEdge = RGB(40, 50, 60), Centre = RGB(130, 140, 150),
                   Red = RGB(220, 30, 30), Background = RGB(30, 60, 200), Magenta = RGB(255, 0, 255);
constexpr COLORREF Pattern[4] = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12)};

ImagePart MakePart(int x, int y, int w, int h, int margin, int fillMode, COLORREF key) {
    ImagePart part{};
    part.x = x, part.y = y, part.width = w, part.height = h;
    part.left = part.top = part.right = part.bottom = margin;
    part.fillMode = fillMode;
    part.transparentColour = key;
    return part;
}

class DrawPartTest : public ::testing::Test {
protected:
    void SetUp() override {
        SkinTables tables;
        tables.parts[271] = MakePart(22, 4, 2, 2, 0, 0, 0);
        const AtlasPixels atlas = PaintedAtlas(
            24, 6,
            {// part 1, opaque, 6 x 6 with margins 2: corners, edges and centre in colours of their own
             {0, 0, 6, 6, Centre}, {0, 0, 2, 2, TopLeft}, {4, 0, 2, 2, TopRight}, {0, 4, 2, 2, BottomLeft},
             {4, 4, 2, 2, BottomRight}, {2, 0, 2, 2, TopEdge}, {2, 4, 2, 2, BottomEdge}, {0, 2, 2, 2, LeftEdge},
             {4, 2, 2, 2, RightEdge},
             // part 2, magenta around a 2 x 2 red middle
             {6, 0, 6, 6, Magenta}, {8, 2, 2, 2, Red},
             // part 3, a top edge of four colours between one-pixel corners, white elsewhere
             {12, 0, 6, 4, RGB(255, 255, 255)}, {13, 0, 1, 1, Pattern[0]}, {14, 0, 1, 1, Pattern[1]},
             {15, 0, 1, 1, Pattern[2]}, {16, 0, 1, 1, Pattern[3]},
             // the window background, one colour
             {22, 4, 2, 2, RGB(5, 5, 5)}});
        const std::vector<uint8_t> blob = PackSkinBody(BuildSkinBody(tables, atlas));
        ASSERT_EQ(skin.ReadSkin(blob.data(), blob.size()), SkinResult::Loaded);
    }

    SkinData skin;
};

TEST_F(DrawPartTest, AnOpaquePartIsCopiedAtItsCornersAndStretchedBetweenThem) {
    Canvas canvas(26, 18, Background);
    const ImagePart part = MakePart(0, 0, 6, 6, 2, 0, 0);
    DrawPart(canvas.Dc(), RECT{3, 2, 23, 16}, part, skin);
    const std::pair<POINT, COLORREF> expected[] = {
        {{3, 2}, TopLeft},      {{4, 3}, TopLeft},      {{21, 2}, TopRight},   {{22, 3}, TopRight},
        {{3, 14}, BottomLeft},  {{22, 15}, BottomRight}, {{5, 2}, TopEdge},    {{20, 3}, TopEdge},
        {{3, 4}, LeftEdge},     {{4, 13}, LeftEdge},    {{21, 4}, RightEdge},  {{22, 13}, RightEdge},
        {{5, 15}, BottomEdge},  {{20, 14}, BottomEdge}, {{5, 4}, Centre},      {{20, 13}, Centre},
        {{12, 9}, Centre},      {{2, 2}, Background},   {{23, 9}, Background}, {{12, 1}, Background},
        {{12, 16}, Background},
    };
    for (const auto& [point, colour] : expected) EXPECT_EQ(canvas.At(point.x, point.y), colour) << point.x << "," << point.y;

    // Fill mode 11111 tiles the same uniform pieces: the same picture.
    Canvas tiled(26, 18, Background);
    DrawPart(tiled.Dc(), RECT{3, 2, 23, 16}, MakePart(0, 0, 6, 6, 2, 11111, 0), skin);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 26; ++x) ASSERT_EQ(tiled.At(x, y), canvas.At(x, y)) << x << "," << y;
}

TEST_F(DrawPartTest, AMagentaKeyedPartLeavesTheBackgroundWhereItIsMagenta) {
    for (int size : {6, 12}) {  // at its size (TransparentBlt), stretched (DrawDib, then TransparentBlt)
        Canvas canvas(16, 16, Background);
        DrawPart(canvas.Dc(), RECT{2, 2, 2 + size, 2 + size}, MakePart(6, 0, 6, 6, 0, 0, Magenta), skin);
        const int scale = size / 6;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const int u = (x - 2) / scale, v = (y - 2) / scale;
                const bool red = x >= 2 && y >= 2 && u >= 2 && u < 4 && v >= 2 && v < 4;
                ASSERT_EQ(canvas.At(x, y), red ? Red : Background) << "size " << size << " at " << x << "," << y;
            }
    }
}

TEST_F(DrawPartTest, ATiledEdgeRepeatsFromItsLeftEndAndIsCutAtTheLastColumn) {
    Canvas canvas(16, 8, Background);
    DrawPart(canvas.Dc(), RECT{0, 0, 12, 6}, MakePart(12, 0, 6, 4, 1, 10000, 0), skin);
    for (int x = 1; x < 11; ++x) EXPECT_EQ(canvas.At(x, 0), Pattern[(x - 1) % 4]) << x;
    EXPECT_EQ(canvas.At(11, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(6, 3), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(12, 0), Background);
    // Nothing at all for a destination without width.
    Canvas empty(4, 4, Background);
    DrawPart(empty.Dc(), RECT{2, 0, 2, 4}, MakePart(12, 0, 6, 4, 1, 10000, 0), skin);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(empty.At(x, y), Background);
}

TEST_F(DrawPartTest, APartDrawnAgainAtASizeComesFromItsDrawingAndTheDrawingsStayWithinTheirBound) {
    const PartCache& drawings = skin.Drawings();
    const ImagePart keyed = MakePart(6, 0, 6, 6, 0, 0, Magenta);
    for (COLORREF behind : {Background, Centre}) {  // the second time from the drawing, still keyed
        Canvas canvas(16, 16, behind);
        DrawPart(canvas.Dc(), RECT{2, 2, 14, 14}, keyed, skin);
        EXPECT_EQ(canvas.At(6, 6), Red);
        EXPECT_EQ(canvas.At(5, 6), behind);
        EXPECT_EQ(canvas.At(2, 2), behind);
    }
    EXPECT_EQ(drawings.Drawings(), 1u);

    // Past the bound by number and by bytes: the oldest go, with their GDI objects.
    const ImagePart opaque = MakePart(0, 0, 6, 6, 2, 0, 0);
    Canvas canvas(600, 600, Background);
    int objects = 0;
    for (size_t i = 0; i < 2 * PartCache::MaximumDrawings; ++i) {
        DrawPart(canvas.Dc(), RECT{0, 0, 10 + int(i), 10}, opaque, skin);
        if (i + 1 == PartCache::MaximumDrawings) objects = test::GdiObjectCount();
    }
    EXPECT_EQ(drawings.Drawings(), PartCache::MaximumDrawings);
    EXPECT_EQ(test::GdiObjectCount(), objects);
    for (int height = 480; height < 490; ++height) DrawPart(canvas.Dc(), RECT{0, 0, 500, height}, opaque, skin);
    EXPECT_LE(drawings.Bytes(), PartCache::MaximumBytes);
    EXPECT_GE(drawings.Bytes(), PartCache::MaximumBytes / 2);
    EXPECT_LT(drawings.Drawings(), 10u);
    EXPECT_EQ(canvas.At(250, 300), Centre);

    // A drawing over a quarter of the bytes is drawn, never kept; a new skin starts with none.
    const size_t before = drawings.Drawings();
    DrawPart(canvas.Dc(), RECT{0, 0, 600, 600}, opaque, skin);
    EXPECT_EQ(drawings.Drawings(), before);
    EXPECT_EQ(canvas.At(599, 599), BottomRight);
    SetUp();
    EXPECT_EQ(drawings.Drawings(), 0u);
}

}  // namespace
}  // namespace qivyun::skin
