// The skinners' rules: which part each state draws, where boxes and texts go, how much of a
// progress trough fills, which header column is lit, where a group box puts its caption.
#include "skin/kinds/ButtonLooks.h"
#include "skin/kinds/GroupBoxCaption.h"
#include "skin/kinds/HeaderLooks.h"
#include "skin/kinds/ProgressFill.h"

#include <gtest/gtest.h>

#include <vector>

namespace qivyun::skin {
namespace {

using namespace buttonstyle;

ButtonCondition Condition(bool enabled, int mouseState, bool focused, CheckMark mark = CheckMark::Unchecked) {
    return {enabled, mouseState, focused, mark};
}

TEST(SkinnerRulesTest, ButtonPartsGoDisabledFirstThenPointerThenFocus) {
    struct Case {
        ButtonCondition condition;
        int push, check, radio;
    };
    const Case cases[] = {
        {Condition(true, 0, false), 71, 76, 91},
        {Condition(true, 1, false), 72, 77, 92},
        {Condition(true, 2, false), 74, 78, 93},
        {Condition(true, 0, true), 73, 79, 94},
        {Condition(true, 1, true), 72, 77, 92},  // the pointer wins over the focus
        {Condition(true, 2, true), 74, 78, 93},
        {Condition(false, 1, true), 75, 80, 95},  // disabled wins over everything
        {Condition(true, 0, false, CheckMark::Checked), 71, 81, 96},
        {Condition(true, 1, false, CheckMark::Checked), 72, 82, 97},
        {Condition(true, 2, false, CheckMark::Checked), 74, 83, 98},
        {Condition(true, 0, true, CheckMark::Checked), 73, 84, 99},
        {Condition(false, 0, false, CheckMark::Checked), 75, 85, 100},
        {Condition(true, 0, false, CheckMark::Indeterminate), 71, 86, 96},
        {Condition(true, 1, false, CheckMark::Indeterminate), 72, 87, 97},
        {Condition(true, 2, false, CheckMark::Indeterminate), 74, 88, 98},
        {Condition(true, 0, true, CheckMark::Indeterminate), 73, 89, 99},
        {Condition(false, 0, false, CheckMark::Indeterminate), 75, 80, 100},  // the unchecked disabled box
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "enabled " << c.condition.enabled << " mouse " << c.condition.mouseState
                                        << " focused " << c.condition.focused << " mark " << int(c.condition.mark));
        EXPECT_EQ(Index(PushButtonPart(c.condition)), c.push);
        EXPECT_EQ(Index(CheckBoxPart(c.condition)), c.check);
        EXPECT_EQ(Index(RadioPart(c.condition)), c.radio);
    }
    // A push-like box: pressed while checked, whatever the pointer does.
    EXPECT_EQ(Index(PushLikePart(Condition(true, 0, false, CheckMark::Checked))), 74);
    EXPECT_EQ(Index(PushLikePart(Condition(true, 1, true, CheckMark::Unchecked))), 71);
    EXPECT_EQ(Index(PushLikePart(Condition(false, 0, false, CheckMark::Checked))), 75);
}

TEST(SkinnerRulesTest, TextPlacementReadsBothBitsOfEachDirection) {
    auto push = [](uint32_t style) {
        TextPlacement p = PushButtonTextPlacement(style);
        return std::vector<int>{int(p.horizontal), int(p.vertical), p.multiline};
    };
    auto check = [](uint32_t style) {
        TextPlacement p = CheckBoxTextPlacement(style);
        return std::vector<int>{int(p.horizontal), int(p.vertical), p.multiline};
    };
    constexpr int S = int(Place::Start), C = int(Place::Centre), E = int(Place::End);
    EXPECT_EQ(push(0), (std::vector<int>{C, C, 0}));
    EXPECT_EQ(push(Left | Top), (std::vector<int>{S, S, 0}));
    EXPECT_EQ(push(Right | Bottom | Multiline), (std::vector<int>{E, E, 1}));
    EXPECT_EQ(push(Centre | Top | Bottom), (std::vector<int>{C, C, 0}));  // both bits: centre, not left
    EXPECT_EQ(check(0), (std::vector<int>{S, C, 0}));
    EXPECT_EQ(check(Right), (std::vector<int>{E, C, 0}));
    EXPECT_EQ(check(Centre), (std::vector<int>{C, C, 0}));
    EXPECT_EQ(check(Left | PushLike), (std::vector<int>{C, C, 0}));
    EXPECT_EQ(check(Bottom), (std::vector<int>{S, E, 0}));
}

TEST(SkinnerRulesTest, CheckBoxPutsItsBoxAtOneEdgeAndTheTextTwoPixelsAway) {
    const SkinRect client{0, 0, 100, 21};
    // Left box, centred vertically in the rectangle shrunk by 1.
    CheckBoxLayout left = LayOutCheckBox(client, 13, 13, 0);
    EXPECT_EQ(left.box, (SkinRect{1, 4, 14, 17}));
    EXPECT_EQ(left.text, (SkinRect{16, 1, 99, 20}));
    CheckBoxLayout right = LayOutCheckBox(client, 13, 13, RightButton | Top);
    EXPECT_EQ(right.box, (SkinRect{86, 1, 99, 14}));
    EXPECT_EQ(right.text, (SkinRect{1, 1, 84, 20}));
    EXPECT_EQ(LayOutCheckBox(client, 12, 12, Bottom).box, (SkinRect{1, 8, 13, 20}));
    EXPECT_EQ(LayOutCheckBox(client, 12, 12, Top | Bottom).box, (SkinRect{1, 4, 13, 16}));
    CheckBoxLayout pushLike = LayOutCheckBox(client, 13, 13, PushLike | RightButton);
    EXPECT_EQ(pushLike.box, (SkinRect{1, 1, 99, 20}));
    EXPECT_EQ(pushLike.text, pushLike.box);
}

TEST(SkinnerRulesTest, ProgressFillTruncatesThePercentageThenThePixels) {
    EXPECT_EQ(ProgressFillLength(200, 0, 4000, 300), 15);  // 5 %
    EXPECT_EQ(ProgressFillLength(3999, 0, 4000, 300), 297);  // 99 %, not 299
    EXPECT_EQ(ProgressFillLength(4000, 0, 4000, 300), 300);
    EXPECT_EQ(ProgressFillLength(0, 0, 4000, 300), 0);
    EXPECT_EQ(ProgressFillLength(7, 7, 7, 300), 0);  // equal limits
    EXPECT_EQ(ProgressFillLength(150, 100, 200, 61), 30);  // 50 % of 61
    EXPECT_EQ(ProgressFillLength(-20, -50, 50, 200), 60);  // 30 % with negative limits
    // Outside the range the nearest limit counts; a wide range does not overflow.
    EXPECT_EQ(ProgressFillLength(5000, 0, 4000, 300), 300);
    EXPECT_EQ(ProgressFillLength(-1, 0, 4000, 300), 0);
    EXPECT_EQ(ProgressFillLength(1'500'000'000, 0, 2'000'000'000, 400), 300);
    EXPECT_EQ(ProgressFillLength(10, 20, 0, 300), 0);  // inverted

    const TroughMargins margins{4, 3, 4, 3};
    EXPECT_EQ(ProgressBarRect(300, 13, 15, margins, false), (SkinRect{4, 3, 11, 10}));
    EXPECT_EQ(ProgressBarRect(300, 13, 300, margins, false), (SkinRect{4, 3, 296, 10}));
    EXPECT_TRUE(ProgressBarRect(300, 13, 0, margins, false).Empty());
    // A vertical bar grows from the bottom: full, it reaches the top margin.
    const TroughMargins vertical{3, 4, 3, 4};
    EXPECT_EQ(ProgressBarRect(13, 200, 200, vertical, true), (SkinRect{3, 4, 10, 196}));
    EXPECT_EQ(ProgressBarRect(13, 200, 50, vertical, true), (SkinRect{3, 154, 10, 196}));
    EXPECT_TRUE(ProgressBarRect(13, 200, 0, vertical, true).Empty());
}

TEST(SkinnerRulesTest, HeaderLightsTheColumnAtTheHotDisplayPosition) {
    EXPECT_EQ(Index(HeaderColumnPart(2, 2, 1, true)), 151);
    EXPECT_EQ(Index(HeaderColumnPart(2, 2, 2, true)), 152);
    EXPECT_EQ(Index(HeaderColumnPart(1, 2, 1, true)), 150);
    EXPECT_EQ(Index(HeaderColumnPart(2, 2, 0, true)), 150);
    EXPECT_EQ(Index(HeaderColumnPart(0, -1, 0, true)), 150);
    EXPECT_EQ(Index(HeaderColumnPart(2, 2, 2, false)), 153);
    EXPECT_EQ(HeaderTextColour(SkinPart::HeaderItem), SkinColour::HeaderText);
    EXPECT_EQ(HeaderTextColour(SkinPart::HeaderItemOver), SkinColour::HeaderTextOver);
    EXPECT_EQ(HeaderTextColour(SkinPart::HeaderItemHeld), SkinColour::HeaderTextHeld);
    EXPECT_EQ(HeaderTextColour(SkinPart::HeaderItemDisabled), SkinColour::HeaderTextDisabled);

    // Columns listed in display order; the right and bottom edges are outside.
    const std::vector<SkinRect> columns = {{0, 0, 40, 20}, {40, 0, 200, 20}, {200, 0, 260, 20}};
    EXPECT_EQ(ColumnAtPoint(columns, 0, 0), 0);
    EXPECT_EQ(ColumnAtPoint(columns, 40, 10), 1);
    EXPECT_EQ(ColumnAtPoint(columns, 259, 19), 2);
    EXPECT_EQ(ColumnAtPoint(columns, 260, 10), -1);
    EXPECT_EQ(ColumnAtPoint(columns, 100, 20), -1);
    EXPECT_EQ(ColumnAtPoint({}, 5, 5), -1);
}

TEST(SkinnerRulesTest, GroupBoxCaptionSitsByItsAlignmentAndTheFrameRunsThroughItsMiddle) {
    // A 12-pixel high caption 70 wide in a 200-wide box.
    GroupBoxCaptionLayout left = LayOutTextCaption(200, true, 70, 12, false, 0);
    EXPECT_EQ(left.box, (SkinRect{10, 0, 80, 12}));
    EXPECT_EQ(left.gap, (SkinRect{8, 0, 82, 12}));
    EXPECT_EQ(left.frameTop, 6);
    EXPECT_EQ(LayOutTextCaption(200, true, 70, 12, false, Left).box, left.box);
    EXPECT_EQ(LayOutTextCaption(200, true, 70, 12, false, Centre).box, (SkinRect{65, 0, 135, 12}));
    EXPECT_EQ(LayOutTextCaption(200, true, 70, 12, false, Right).box, (SkinRect{120, 0, 190, 12}));
    // A caption background makes the box 8 larger each way, so the frame comes lower.
    GroupBoxCaptionLayout framed = LayOutTextCaption(200, true, 70, 13, true, 0);
    EXPECT_EQ(framed.box, (SkinRect{10, 0, 88, 21}));
    EXPECT_EQ(framed.frameTop, 10);
    // No text: the frame starts 3 pixels down and leaves no gap.
    GroupBoxCaptionLayout none = LayOutTextCaption(200, false, 0, 12, false, 0);
    EXPECT_EQ(none.frameTop, 3);
    EXPECT_TRUE(none.gap.Empty());
    // An image caption leaves out exactly its box.
    GroupBoxCaptionLayout icon = LayOutImageCaption(200, 16, 16, Centre);
    EXPECT_EQ(icon.box, (SkinRect{92, 0, 108, 16}));
    EXPECT_EQ(icon.gap, icon.box);
    EXPECT_EQ(icon.frameTop, 8);
}

}  // namespace
}  // namespace qivyun::skin
