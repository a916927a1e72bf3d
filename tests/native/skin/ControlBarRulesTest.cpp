// The rules of control bars: when a rebar band shows a gripper, where a band's gripper and label
// go and the lines between bands and rows, a framework bar's orientation, frame and gripper, and
// the height of a window fitted to its bar.
#include "skin/kinds/ControlBarLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace qivyun::skin {
namespace {

TEST(ControlBarRulesTest, ABandShowsAGripperAsTheSystemDecides) {
    EXPECT_TRUE(BandShowsGripper({}, 2));
    EXPECT_FALSE(BandShowsGripper({}, 1));  // a lone band needs none
    EXPECT_TRUE(BandShowsGripper({.always = true}, 1));
    EXPECT_FALSE(BandShowsGripper({.never = true}, 3));
    EXPECT_FALSE(BandShowsGripper({.always = true, .fixedSize = true}, 3));
}

TEST(ControlBarRulesTest, ABandsGripperAndLabelLieInItsHeaderAlongTheRebar) {
    // Horizontal: the header is the band's left 50 pixels.
    BandHeader header = BandHeaderLayout({10, 0, 200, 26}, 50, false, true, 6);
    EXPECT_EQ(header.gripper, (SkinRect{12, 2, 18, 24}));
    EXPECT_EQ(header.label, (SkinRect{22, 0, 60, 26}));
    header = BandHeaderLayout({10, 0, 200, 26}, 50, false, false, 6);
    EXPECT_TRUE(header.gripper.Empty());
    EXPECT_EQ(header.label, (SkinRect{14, 0, 60, 26}));
    // A header longer than the band stops at its end.
    EXPECT_EQ(BandHeaderLayout({10, 0, 40, 26}, 50, false, true, 6).label.right, 40);
    // Vertical: the same along the band's top.
    header = BandHeaderLayout({0, 10, 26, 200}, 30, true, true, 6);
    EXPECT_EQ(header.gripper, (SkinRect{2, 12, 24, 18}));
    EXPECT_EQ(header.label, (SkinRect{0, 22, 26, 40}));
}

TEST(ControlBarRulesTest, BorderLinesStandBetweenNeighbouringBandsOfARowAndBetweenRows) {
    // Two bands in the first row, one in the second; an empty (hidden) band is left out.
    const std::vector<SkinRect> bands{{0, 0, 150, 26}, {154, 0, 400, 26}, {0, 30, 400, 56}, {0, 0, 0, 0}};
    RebarLines lines = RebarBorderLines(bands, {0, 0, 400, 56}, false, 2);
    EXPECT_EQ(lines.betweenBands, (std::vector<SkinRect>{{151, 0, 153, 26}}));
    EXPECT_EQ(lines.betweenRows, (std::vector<SkinRect>{{0, 27, 400, 29}}));
    // The bands given out of order in their row still find their neighbour.
    const std::vector<SkinRect> shuffled{{154, 0, 400, 26}, {0, 0, 150, 26}};
    EXPECT_EQ(RebarBorderLines(shuffled, {0, 0, 400, 26}, false, 2).betweenBands,
              (std::vector<SkinRect>{{151, 0, 153, 26}}));
    // Across a vertical rebar the lines turn with it.
    const std::vector<SkinRect> column{{0, 0, 26, 150}, {0, 154, 26, 400}, {30, 0, 56, 400}};
    lines = RebarBorderLines(column, {0, 0, 56, 400}, true, 2);
    EXPECT_EQ(lines.betweenBands, (std::vector<SkinRect>{{0, 151, 26, 153}}));
    EXPECT_EQ(lines.betweenRows, (std::vector<SkinRect>{{27, 0, 29, 400}}));
    EXPECT_TRUE(RebarBorderLines(std::vector<SkinRect>{{0, 0, 400, 26}}, {0, 0, 400, 26}, false, 2).betweenRows.empty());
}

TEST(ControlBarRulesTest, AFrameworkBarsGripperLiesAtItsLeadingEdgeInTheFrameItReserves) {
    EXPECT_TRUE(ControlBarIsHorizontal(300, 30));
    EXPECT_FALSE(ControlBarIsHorizontal(30, 300));
    EXPECT_FALSE(ControlBarIsHorizontal(40, 40));
    EXPECT_EQ(ControlBarInsets(true, 2, 10), (SkinRect{12, 2, 2, 2}));
    EXPECT_EQ(ControlBarInsets(false, 2, 10), (SkinRect{2, 12, 2, 2}));
    // The gripper is centred in the strip after the border, two pixels in from the bar's sides.
    EXPECT_EQ(ControlBarGripperRect({0, 0, 300, 30}, true, 2, 10, 6), (SkinRect{4, 4, 10, 26}));
    EXPECT_EQ(ControlBarGripperRect({0, 0, 30, 300}, false, 2, 10, 6), (SkinRect{4, 4, 26, 10}));
}

TEST(ControlBarRulesTest, AFittedWindowKeepsItsFrameAndTakesTheBarsHeightAsItsClientArea) {
    EXPECT_EQ(FittedWindowHeight(100, 60, 28), 68);
    EXPECT_EQ(FittedWindowHeight(68, 28, 56), 96);  // a rebar that wrapped into two rows
    EXPECT_EQ(FittedWindowHeight(68, 28, 28), 68);
}

}  // namespace
}  // namespace qivyun::skin
