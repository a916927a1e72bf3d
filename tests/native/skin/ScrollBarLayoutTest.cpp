// A skinned scroll bar along its length: arrows, track and thumb for small and large ranges, the
// part under the pointer, what a press sends, the thumb drag and the wheel.
#include "skin/kinds/ScrollBarLayout.h"
#include "skin/kinds/ThumbDrag.h"
#include "skin/kinds/WheelRule.h"

#include <gtest/gtest.h>

namespace qivyun::skin {
namespace {

// Our skin's vertical bar: 16 thick, 16-pixel arrows, thumbs of 20 at least. A bar of 216 has a
// track of 184 from 16 to 200.
constexpr BarSizes Sizes{16, 16, 20};

BarLayout Lay(ScrollValues range, int length = 216, unsigned disabledArrows = 0,
              std::optional<int> dragged = std::nullopt) {
    return LayOutBar({length, Sizes, range, disabledArrows, dragged});
}

TEST(ScrollBarLayoutTest, TheThumbStandsForThePageAndThePosition) {
    struct Case {
        const char* what;
        ScrollValues range;
        BarSpan thumb;
    } cases[] = {
        // Ten rows, five shown: MulDiv(4, 184, 9) long, at the track's start and at its end.
        {"small range at the top", {0, 9, 5, 0}, {16, 82}},
        {"small range at the last page", {0, 9, 5, 5}, {118, 82}},
        // 10,000 rows, 20 shown: the thumb is held at 20 with its end where a true thumb's end is.
        {"large range at the top", {0, 9999, 20, 0}, {16, 20}},
        {"large range in the middle", {0, 9999, 20, 5000}, {88, 20}},
        {"large range at the last page", {0, 9999, 20, 9980}, {180, 20}},
        {"a minimum that is not 0", {100, 10099, 20, 5100}, {88, 20}},
        // Without a page the thumb has the least length and travels the track less itself.
        {"no page, halfway", {0, 100, 0, 50}, {98, 20}},
        {"no page, at the end", {0, 100, 0, 100}, {180, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BarLayout layout = Lay(c.range);
        EXPECT_FALSE(layout.disabled);
        EXPECT_EQ(layout.firstArrow, (BarSpan{0, 16}));
        EXPECT_EQ(layout.track, (BarSpan{16, 184}));
        EXPECT_EQ(layout.secondArrow, (BarSpan{200, 16}));
        EXPECT_EQ(layout.thumb, c.thumb);
    }
}

TEST(ScrollBarLayoutTest, BarsWithNothingToScrollAreDisabledAndShortBarsLoseTheThumbFirst) {
    struct Case {
        const char* what;
        ScrollValues range;
        int length;
        unsigned disabledArrows;
        bool disabled;
        BarSpan track, thumb;
    } cases[] = {
        {"everything fits in the page", {0, 9, 10, 0}, 216, 0, true, {16, 184}, {}},
        {"a range that fits counts from its minimum", {100, 105, 10, 100}, 216, 0, true, {16, 184}, {}},
        {"two positions without a page", {0, 1, 0, 0}, 216, 0, true, {16, 184}, {}},
        {"an empty range", {0, 0, 0, 0}, 216, 0, true, {16, 184}, {}},
        {"both arrows disabled by the program", {0, 99, 10, 0}, 216, 3, true, {16, 184}, {}},
        {"one arrow disabled leaves the bar working", {0, 99, 10, 0}, 216, 1, false, {16, 184}, {16, 20}},
        {"a track shorter than the least thumb", {0, 99, 10, 0}, 50, 0, false, {16, 18}, {}},
        {"a bar shorter than its arrows shares its length", {0, 99, 10, 0}, 20, 0, false, {10, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BarLayout layout = Lay(c.range, c.length, c.disabledArrows);
        EXPECT_EQ(layout.disabled, c.disabled);
        EXPECT_EQ(layout.track, c.track);
        EXPECT_EQ(layout.thumb, c.thumb);
        EXPECT_EQ(layout.secondArrow.End(), c.length);
    }
}

TEST(ScrollBarLayoutTest, PointsFindTheThumbFirstThenArrowsAndTrackAndPressesSendTheirCodes) {
    const BarLayout layout = Lay({0, 9999, 20, 5000});  // thumb at 88 to 108
    struct Case {
        int along, across;
        BarPart part;
        std::optional<int> code;
    } cases[] = {
        {0, 0, BarPart::FirstArrow, 0},   {15, 15, BarPart::FirstArrow, 0}, {16, 8, BarPart::Track, 2},
        {87, 8, BarPart::Track, 2},       {88, 8, BarPart::Thumb, {}},      {107, 8, BarPart::Thumb, {}},
        {108, 8, BarPart::Track, 3},      {199, 8, BarPart::Track, 3},      {200, 8, BarPart::SecondArrow, 1},
        {215, 8, BarPart::SecondArrow, 1}, {216, 8, BarPart::None, {}},     {100, -1, BarPart::None, {}},
        {100, 16, BarPart::None, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.along << ", " << c.across);
        EXPECT_EQ(layout.PartAt(c.along, c.across), c.part);
        EXPECT_EQ(layout.PressCode(c.part, c.along), c.code);
    }
    EXPECT_EQ(Lay({0, 9, 10, 0}).PartAt(5, 5), BarPart::None);  // disabled
    EXPECT_EQ(Lay({0, 99, 10, 0}, 216, FirstArrowDisabled).PartAt(5, 5), BarPart::None);
    EXPECT_EQ(Lay({0, 99, 10, 0}, 216, FirstArrowDisabled).PartAt(210, 5), BarPart::SecondArrow);
}

TEST(ThumbDragTest, TheThumbFollowsThePointerAndReportsOnlyNewPositions) {
    // 100 rows, 10 shown: the thumb is 20 long and travels 164 pixels over positions 0 to 90.
    const ScrollValues range{0, 99, 10, 0};
    const BarLayout layout = Lay(range);
    ASSERT_EQ(layout.thumb, (BarSpan{16, 20}));
    ThumbDrag drag(layout, 20, 0);  // grabbed 4 pixels into the thumb

    struct Move {
        int along, across;
        bool followed, changed;
        int position, thumbStart;
    } moves[] = {
        {21, 8, true, true, 1, 17},       // MulDiv(1, 90, 164) rounds up to 1
        {22, 8, true, false, 1, 18},      // 2 * 90 / 164 rounds to 1 again: no news
        {102, 8, true, true, 45, 98},     // halfway
        {102, 111, true, false, 45, 98},  // 95 pixels right of the bar still counts
        {150, 112, false, false, 45, 98}, // 96 pixels away the thumb stays put
        {150, -97, false, false, 45, 98},
        {205, 8, false, false, 45, 98},   // over the second arrow
        {199, 8, true, true, 90, 180},    // the thumb stops at the track's end...
        {150, 8, true, true, 71, 146},    // ...and the grabbed point is under the pointer again
        {3, 8, false, false, 71, 146},    // over the first arrow
        {16, 8, true, true, 0, 16},
    };
    for (const Move& m : moves) {
        SCOPED_TRACE(testing::Message() << m.along << ", " << m.across);
        const ThumbDrag::Step step = drag.Move(layout, range, m.along, m.across);
        EXPECT_EQ(step.followed, m.followed);
        EXPECT_EQ(step.positionChanged, m.changed);
        EXPECT_EQ(step.position, m.position);
        EXPECT_EQ(drag.ThumbStart(), m.thumbStart);
        EXPECT_EQ(drag.LastPosition(), m.position);
    }

    // The track's ends are the first and the last position of any range.
    const ScrollValues offset{100, 10099, 20, 100};
    ThumbDrag toEnd(Lay(offset), 20, 100);
    EXPECT_EQ(toEnd.Move(Lay(offset), offset, 199, 0).position, 10080);
    EXPECT_EQ(toEnd.Move(Lay(offset), offset, 17, 0).position, 100);
    const ScrollValues noPage{0, 100, 0, 0};
    ThumbDrag noPageDrag(Lay(noPage), 20, 0);
    EXPECT_EQ(noPageDrag.Move(Lay(noPage), noPage, 199, 0).position, 100);
}

TEST(ThumbDragTest, ADraggedThumbStaysWhereItWasDraggedUnlessItsPositionMovesItAMinimumThumbAway) {
    // No page, position 50: the thumb's own place is 98.
    EXPECT_EQ(Lay({0, 100, 0, 50}, 216, 0, 110).thumb.start, 110);
    EXPECT_EQ(Lay({0, 100, 0, 50}, 216, 0, 118).thumb.start, 98);
    // A thumb held at the least length lies behind the true one by less than that length.
    EXPECT_EQ(Lay({0, 9999, 20, 5000}, 216, 0, 100).thumb.start, 100);
}

TEST(WheelRuleTest, EachWheelMessageScrollsOneLineExceptWhereTheControlKeepsTheWheel) {
    EXPECT_EQ(WheelScrollCode(10, 0xC00F, 120), 0);
    EXPECT_EQ(WheelScrollCode(6, 0, 1), 0);
    EXPECT_EQ(WheelScrollCode(10, 0xC00F, -120), 1);
    EXPECT_EQ(WheelScrollCode(10, 0xC00F, 0), 1);
    EXPECT_EQ(WheelScrollCode(5, 0xC00F, 120), std::nullopt);
    EXPECT_EQ(WheelScrollCode(10, 0xC01C, -120), std::nullopt);
}

}  // namespace
}  // namespace qivyun::skin
