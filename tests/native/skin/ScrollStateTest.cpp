#include "skin/engine/ScrollState.h"

#include <gtest/gtest.h>

namespace qivyun::skin {
namespace {

TEST(ScrollStateTest, WritesFollowTheSystemsRangePageAndPositionRules) {
    struct Case {
        const char* rule;
        ScrollValues before;
        unsigned mask;
        ScrollValues given;
        ScrollValues after;
    } cases[] = {
        {"position kept at the start of the last page", {0, 100, 10, 0}, scrollPosition, {0, 0, 0, 95}, {0, 100, 10, 91}},
        {"position below the minimum", {20, 100, 0, 50}, scrollPosition, {0, 0, 0, -5}, {20, 100, 0, 20}},
        {"page cut to the range", {0, 9, 0, 0}, scrollPage, {0, 0, 50, 0}, {0, 9, 10, 0}},
        {"new range moves the position in", {0, 100, 0, 80}, scrollRange, {0, 40, 0, 0}, {0, 40, 0, 40}},
        {"inverted range becomes 0 to 0", {0, 100, 0, 30}, scrollRange, {10, 5, 0, 0}, {0, 0, 0, 0}},
        {"too wide a range becomes 0 to 0", {0, 100, 0, 30}, scrollRange, {-0x7fffffff, 0x7fffffff, 0, 0}, {0, 0, 0, 0}},
        {"fields outside the mask stay", {0, 100, 10, 30}, scrollPage, {50, 60, 20, 99}, {0, 100, 20, 30}},
        {"all at once", {}, scrollRange | scrollPage | scrollPosition, {0, 255, 16, 250}, {0, 255, 16, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        ScrollState state{c.before};
        EXPECT_EQ(state.Set(c.mask, c.given), c.after.position);
        EXPECT_EQ(state.values.minimum, c.after.minimum);
        EXPECT_EQ(state.values.maximum, c.after.maximum);
        EXPECT_EQ(state.values.page, c.after.page);
        EXPECT_EQ(state.values.position, c.after.position);
        EXPECT_EQ(state.values.trackPosition, c.after.position);
    }
}

TEST(ScrollStateTest, ReadsCopyOnlyTheAskedFields) {
    ScrollState state{{5, 50, 7, 20, 33}};
    ScrollValues out{-1, -1, 99, -1, -1};
    EXPECT_TRUE(state.Get(scrollPosition | scrollTrackPosition, out));
    EXPECT_EQ(out.minimum, -1);
    EXPECT_EQ(out.page, 99u);
    EXPECT_EQ(out.position, 20);
    EXPECT_EQ(out.trackPosition, 33);
    EXPECT_FALSE(state.Get(scrollDisableNoScroll, out));
}

}  // namespace
}  // namespace qivyun::skin
