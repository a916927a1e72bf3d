// The frame of a captioned window: where the skin puts the title bar, the edges, the client area
// and the caption buttons, what each pixel answers to the hit test, and the window's shape.
#include "skin/kinds/FrameLayout.h"
#include "skin/kinds/FrameOutline.h"
#include "skin/container/SkinParts.h"

#include <gtest/gtest.h>

#include <vector>

namespace qivyun::skin {
namespace {

// Our skin's frame: title bar 30, sides 4, bottom 4, buttons 28 x 22 at -32, -62 and -92 from the
// right edge, the icon at (8, 7), the text from x 30.
FrameMetrics OurMetrics() {
    SkinTables tables;
    tables.metrics[Index(SkinMetric::TitleBarHeight)] = 30;
    tables.metrics[Index(SkinMetric::FrameSideWidth)] = 4;
    tables.metrics[Index(SkinMetric::FrameBottomHeight)] = 4;
    tables.metrics[Index(SkinMetric::CaptionButtonWidth)] = 28;
    tables.metrics[Index(SkinMetric::CaptionButtonHeight)] = 22;
    tables.pairs[Index(SkinPair::CloseButtonPosition)] = {-32, 4};
    tables.pairs[Index(SkinPair::MaximiseButtonPosition)] = {-62, 4};
    tables.pairs[Index(SkinPair::MinimiseButtonPosition)] = {-92, 4};
    tables.pairs[Index(SkinPair::TitleIconPosition)] = {8, 7};
    tables.pairs[Index(SkinPair::TitleTextPosition)] = {30, 0};
    return FrameMetrics::Of(tables);
}

std::vector<std::pair<CaptionButton, int>> ButtonsAndLefts(const FrameLayout& layout) {
    std::vector<std::pair<CaptionButton, int>> shown;
    for (size_t i = 0; i < layout.buttonCount; ++i) shown.emplace_back(layout.buttons[i].button, layout.buttons[i].rect.x);
    return shown;
}

TEST(FrameLayoutTest, StylesChooseTheButtonsThatTakeThePairsPlacesFromTheRightEdgeInwards) {
    using B = CaptionButton;
    const FrameMetrics metrics = OurMetrics();
    FrameStyle style;
    style.systemMenu = style.icon = true;
    const FrameLayout dialog = LayOutFrame(metrics, style, 300, 200, 16);
    EXPECT_EQ(dialog.client, (GridRect{4, 30, 292, 166}));
    EXPECT_EQ(dialog.bottom, (GridRect{0, 196, 300, 4}));
    EXPECT_EQ(dialog.icon, (GridRect{8, 7, 16, 16}));
    EXPECT_EQ(ButtonsAndLefts(dialog), (std::vector<std::pair<B, int>>{{B::Close, 268}}));
    EXPECT_EQ(dialog.buttons[0].rect, (GridRect{268, 4, 28, 22}));
    EXPECT_EQ(dialog.text, (GridRect{30, 0, 234, 30}));

    style.minimiseBox = true;
    EXPECT_EQ(ButtonsAndLefts(LayOutFrame(metrics, style, 300, 200, 16)),
              (std::vector<std::pair<B, int>>{{B::Close, 268}, {B::Minimise, 238}}));
    style.maximiseBox = true;
    EXPECT_EQ(ButtonsAndLefts(LayOutFrame(metrics, style, 300, 200, 16)),
              (std::vector<std::pair<B, int>>{{B::Close, 268}, {B::Maximise, 238}, {B::Minimise, 208}}));
    // A narrow window keeps the buttons that stay right of the icon.
    const FrameLayout narrow = LayOutFrame(metrics, style, 100, 80, 16);
    EXPECT_EQ(ButtonsAndLefts(narrow), (std::vector<std::pair<B, int>>{{B::Close, 68}, {B::Maximise, 38}}));
    EXPECT_EQ(narrow.text.x + narrow.text.width, 34);

    // No system menu: no buttons, no icon, and the title starts where the icon would be.
    const FrameLayout bare = LayOutFrame(metrics, FrameStyle{}, 300, 200, 16);
    EXPECT_EQ(bare.buttonCount, 0u);
    EXPECT_EQ(bare.icon.width, 0);
    EXPECT_EQ(bare.text, (GridRect{8, 0, 284, 30}));
}

TEST(FrameLayoutTest, HitTestAnswersCaptionButtonsIconBordersAndClientAtTheirPixels) {
    const FrameMetrics metrics = OurMetrics();
    FrameStyle style;
    style.systemMenu = style.icon = true;
    const FrameLayout fixed = LayOutFrame(metrics, style, 300, 200, 16);
    style.sizable = true;
    const FrameLayout sizable = LayOutFrame(metrics, style, 300, 200, 16);
    style.maximised = true;
    const FrameLayout maximised = LayOutFrame(metrics, style, 300, 200, 16);

    using H = FrameHit;
    const struct {
        int x, y;
        H fixed, inert, sizable;
    } cases[] = {
        {150, 10, H::Caption, H::Border, H::Caption},    {268, 4, H::Close, H::Close, H::Close},
        {295, 25, H::Close, H::Close, H::Close},         {296, 10, H::Caption, H::Border, H::TopRight},
        {267, 10, H::Caption, H::Border, H::Caption},    {268, 26, H::Caption, H::Border, H::Caption},
        {10, 10, H::SystemMenu, H::Border, H::SystemMenu}, {150, 1, H::Caption, H::Border, H::Top},
        {0, 0, H::Caption, H::Border, H::TopLeft},       {299, 5, H::Caption, H::Border, H::TopRight},
        {1, 100, H::Border, H::Border, H::Left},         {298, 100, H::Border, H::Border, H::Right},
        {150, 197, H::Border, H::Border, H::Bottom},     {2, 190, H::Border, H::Border, H::BottomLeft},
        {299, 199, H::Border, H::Border, H::BottomRight}, {4, 30, H::Client, H::Client, H::Client},
        {295, 195, H::Client, H::Client, H::Client},     {-1, 10, H::Nowhere, H::Nowhere, H::Nowhere},
        {300, 10, H::Nowhere, H::Nowhere, H::Nowhere},   {150, 200, H::Nowhere, H::Nowhere, H::Nowhere},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(fixed.HitTest(c.x, c.y, false), c.fixed);
        EXPECT_EQ(fixed.HitTest(c.x, c.y, true), c.inert);
        EXPECT_EQ(sizable.HitTest(c.x, c.y, false), c.sizable);
    }
    // A maximised window does not resize.
    EXPECT_EQ(maximised.HitTest(1, 100, false), H::Border);
    EXPECT_EQ(maximised.HitTest(150, 1, false), H::Caption);
}

// An atlas whose pixels are all grey but those listed, which are magenta.
struct KeyedAtlas {
    int width, height;
    std::vector<uint8_t> rows;
    KeyedAtlas(int w, int h, std::initializer_list<std::pair<int, int>> keyed) : width(w), height(h) {
        const size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
        rows.assign(stride * size_t(h), 0x80);
        for (auto [x, y] : keyed) {
            uint8_t* p = rows.data() + size_t(h - 1 - y) * stride + size_t(x) * 3;
            p[0] = 255, p[1] = 0, p[2] = 255;
        }
    }
    AtlasView View() const {
        const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
        return AtlasView{width, height, stride, rows.data(), rows.size()};
    }
};

TEST(FrameLayoutTest, OutlineLeavesOutTheTransparentCornersFromTheSidesInwards) {
    // Title bar part 6 x 3 at (0, 0) with 2-pixel corners, rounded by its keyed pixels; (1, 2) is
    // keyed inside an opaque pixel. Bottom part 6 x 2 at (0, 3), its last row's ends keyed.
    const KeyedAtlas atlas(6, 5, {{0, 0}, {1, 0}, {4, 0}, {5, 0}, {0, 1}, {5, 1}, {1, 2}, {0, 4}, {5, 4}});
    ImagePart title{};
    title.width = 6, title.height = 3, title.left = title.right = 2, title.top = 3;
    title.transparentColour = Magenta;
    ImagePart bottom{};
    bottom.y = 3, bottom.width = 6, bottom.height = 2, bottom.left = bottom.right = 2;
    bottom.transparentColour = Magenta;
    FrameMetrics metrics;
    metrics.titleBarHeight = 3, metrics.bottomHeight = 2, metrics.sideWidth = 1;
    const FrameLayout layout = LayOutFrame(metrics, FrameStyle{}, 20, 10, 16);

    EXPECT_EQ(FrameOutline(atlas.View(), title, bottom, layout),
              (std::vector<GridRect>{{2, 0, 16, 1}, {1, 1, 18, 1}, {0, 2, 20, 7}, {1, 9, 18, 1}}));
    // Without an atlas, and across a band whose part is empty, the window keeps its rectangle.
    EXPECT_EQ(FrameOutline(AtlasView{}, title, bottom, layout), (std::vector<GridRect>{{0, 0, 20, 10}}));
    EXPECT_EQ(FrameOutline(atlas.View(), ImagePart{}, bottom, layout),
              (std::vector<GridRect>{{0, 0, 20, 9}, {1, 9, 18, 1}}));
}

}  // namespace
}  // namespace qivyun::skin
