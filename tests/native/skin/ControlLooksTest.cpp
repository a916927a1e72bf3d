// The common controls' rules: the small buttons' faces and glyphs, an up-down control's two
// buttons, a trackbar's channel, thumb and tick marks.
#include "skin/kinds/SmallButtonLooks.h"
#include "skin/kinds/TrackbarLooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace qivyun::skin {
namespace {

TEST(ControlLooksTest, FacesGoDisabledFirstThenHeldThenPointer) {
    struct Case {
        bool enabled, held, over;
        SkinPart button, horizontalThumb, verticalThumb;
    };
    const Case cases[] = {
        {true, false, false, SkinPart::SmallButtonNormal, SkinPart::TrackbarThumb, SkinPart::TrackbarThumbVertical},
        {true, false, true, SkinPart::SmallButtonOver, SkinPart::TrackbarThumbOver, SkinPart::TrackbarThumbVerticalOver},
        {true, true, true, SkinPart::SmallButtonHeld, SkinPart::TrackbarThumbHeld, SkinPart::TrackbarThumbVerticalHeld},
        {true, true, false, SkinPart::SmallButtonHeld, SkinPart::TrackbarThumbHeld, SkinPart::TrackbarThumbVerticalHeld},
        {false, true, true, SkinPart::SmallButtonDisabled, SkinPart::TrackbarThumbDisabled,
         SkinPart::TrackbarThumbVerticalDisabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled << c.held << c.over);
        EXPECT_EQ(SmallButtonFace(c.enabled, c.held, c.over), c.button);
        EXPECT_EQ(TrackbarThumbPart(false, c.enabled, c.held, c.over), c.horizontalThumb);
        EXPECT_EQ(TrackbarThumbPart(true, c.enabled, c.held, c.over), c.verticalThumb);
    }
    EXPECT_EQ(ArrowGlyph(ArrowDirection::Down, true), SkinPart::GlyphDown);
    EXPECT_EQ(ArrowGlyph(ArrowDirection::Left, false), SkinPart::GlyphLeftDisabled);
    EXPECT_EQ(TrackbarChannelPart(true, false), SkinPart::TrackbarChannelVerticalDisabled);
}

TEST(ControlLooksTest, GlyphsSitInTheMiddleAndMoveWhenHeld) {
    EXPECT_EQ(CentredIn({0, 0, 17, 20}, 9, 9), (SkinRect{4, 5, 13, 14}));
    EXPECT_EQ(CentredIn({100, 10, 117, 30}, 9, 9, 1), (SkinRect{105, 16, 114, 25}));
    // A glyph larger than its button overhangs it evenly.
    EXPECT_EQ(CentredIn({0, 0, 5, 5}, 9, 9), (SkinRect{-2, -2, 7, 7}));
}

TEST(ControlLooksTest, UpDownSplitsIntoTwoButtonsTheFirstTakingTheSmallerHalf) {
    const UpDownButtons vertical = SplitUpDown(17, 25, false);
    EXPECT_EQ(vertical.first, (SkinRect{0, 0, 17, 12}));
    EXPECT_EQ(vertical.second, (SkinRect{0, 12, 17, 25}));
    EXPECT_EQ(vertical.firstArrow, ArrowDirection::Up);
    EXPECT_EQ(vertical.secondArrow, ArrowDirection::Down);
    const UpDownButtons across = SplitUpDown(36, 20, true);
    EXPECT_EQ(across.first, (SkinRect{0, 0, 18, 20}));
    EXPECT_EQ(across.second, (SkinRect{18, 0, 36, 20}));
    EXPECT_EQ(across.firstArrow, ArrowDirection::Left);
    EXPECT_EQ(UpDownButtonAt(vertical, 5, 11), 1);
    EXPECT_EQ(UpDownButtonAt(vertical, 5, 12), 2);
    EXPECT_EQ(UpDownButtonAt(vertical, 17, 12), 0);
    EXPECT_EQ(UpDownButtonAt(across, 35, 0), 2);
}

TEST(ControlLooksTest, TrackbarChannelIsCentredAcrossTheSystemsChannel) {
    EXPECT_EQ(TrackbarChannelRect({8, 12, 222, 16}, false, 6), (SkinRect{8, 11, 222, 17}));
    EXPECT_EQ(TrackbarChannelRect({12, 8, 16, 160}, true, 6), (SkinRect{11, 8, 17, 160}));
}

TEST(ControlLooksTest, TicksStandUnderTheThumbsMiddleAtEachValueOnTheStyledSides) {
    TickRequest request;
    request.minimum = 0;
    request.maximum = 10;
    request.values = {5};
    request.channel = {8, 12, 109, 16};  // 101 long: the thumb's middle travels 90 pixels
    request.thumb = {3, 4, 13, 22};      // 10 wide
    std::vector<SkinRect> below = TrackbarTicks(request);
    ASSERT_EQ(below.size(), 3u);
    EXPECT_EQ(below[0], (SkinRect{13, 24, 14, 28}));  // the ends' ticks are a pixel longer
    EXPECT_EQ(below[1], (SkinRect{58, 24, 59, 27}));
    EXPECT_EQ(below[2], (SkinRect{103, 24, 104, 28}));

    request.before = true;
    request.after = false;
    request.values = {-1, 11};  // outside the range: no tick
    const std::vector<SkinRect> above = TrackbarTicks(request);
    ASSERT_EQ(above.size(), 2u);
    EXPECT_EQ(above[0], (SkinRect{13, -2, 14, 2}));

    request.vertical = true;
    request.after = true;
    request.values = {};
    request.channel = {12, 8, 16, 109};
    request.thumb = {4, 3, 22, 13};
    const std::vector<SkinRect> both = TrackbarTicks(request);
    ASSERT_EQ(both.size(), 4u);
    EXPECT_EQ(both[0], (SkinRect{-2, 13, 2, 14}));
    EXPECT_EQ(both[1], (SkinRect{24, 13, 28, 14}));
    EXPECT_EQ(both[3], (SkinRect{24, 103, 28, 104}));

    request.before = request.after = false;
    EXPECT_TRUE(TrackbarTicks(request).empty());
}

}  // namespace
}  // namespace qivyun::skin
