// The rules of status bars, tab controls, toolbar buttons and date-time pickers: which part each
// state draws and where texts, pictures, lines and buttons go.
#include "skin/kinds/DatePickerLooks.h"
#include "skin/kinds/StatusBarLayout.h"
#include "skin/kinds/TabLooks.h"
#include "skin/kinds/ToolButtonLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace qivyun::skin {
namespace {

TEST(BarAndDateRulesTest, StatusTextsSplitAtTheirFirstTwoTabsIntoLeftCentreAndRight) {
    struct Case {
        std::wstring_view text, left, centre, right;
    };
    const Case cases[] = {
        {L"就绪", L"就绪", L"", L""},
        {L"\t居中", L"", L"居中", L""},
        {L"\t\t靠右", L"", L"", L"靠右"},
        {L"左\t中\t右", L"左", L"中", L"右"},
        {L"左\t中\t右\t仍在右", L"左", L"中", L"右\t仍在右"},  // a third tab is the right column's
        {L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        const StatusTextColumns columns = SplitStatusText(c.text);
        EXPECT_EQ(columns.left, c.left);
        EXPECT_EQ(columns.centre, c.centre);
        EXPECT_EQ(columns.right, c.right);
    }
}

TEST(BarAndDateRulesTest, StatusDividersStandOnTheBoundariesInsideTheBarAndTheGripInItsCorner) {
    const SkinRect parts[] = {{0, 2, 120, 22}, {122, 2, 240, 22}, {242, 2, 400, 22}};
    EXPECT_EQ(StatusDividers(parts, 2, 400, 0, 22),
              (std::vector<SkinRect>{{119, 0, 121, 22}, {239, 0, 241, 22}}));
    // A part reaching the bar's end (or past it) has no divider, nor do those after it.
    EXPECT_EQ(StatusDividers(parts, 2, 240, 0, 22), (std::vector<SkinRect>{{119, 0, 121, 22}}));
    EXPECT_TRUE(StatusDividers(std::span(parts, 1), 2, 400, 0, 22).empty());
    EXPECT_EQ(StatusGripRect(400, 22, 12, 12), (SkinRect{386, 8, 398, 20}));
}

TEST(BarAndDateRulesTest, TabPartsGoDisabledFirstThenSelectedThenPointerAndMirrorBelowThePane) {
    using enum SkinPart;
    using P = TabPlacement;
    struct Case {
        TabState state;
        SkinPart above, below, buttons;
        SkinColour text;
    };
    const Case cases[] = {
        {{false, false, true}, TabItem, TabItemBottom, PushButtonNormal, SkinColour::TabText},
        {{false, true, true}, TabItemOver, TabItemBottomOver, PushButtonOver, SkinColour::TabText},
        {{true, true, true}, TabItemSelected, TabItemBottomSelected, PushButtonHeld, SkinColour::TabTextSelected},
        {{true, false, false}, TabItemDisabled, TabItemBottomDisabled, PushButtonDisabled, SkinColour::TabTextDisabled},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TabPart(c.state, P::Above), c.above);
        EXPECT_EQ(TabPart(c.state, P::Below), c.below);
        EXPECT_EQ(TabPart(c.state, P::Buttons), c.buttons);
        EXPECT_EQ(TabTextColour(c.state, P::Above), c.text);
    }
    EXPECT_EQ(TabTextColour({true, false, true}, P::Buttons), SkinColour::PushButtonText);
}

TEST(BarAndDateRulesTest, TheOpenTabStandsOutAwayFromThePaneWhoseLineTheClosedTabsShare) {
    const SkinRect above[] = {{2, 2, 60, 22}, {60, 2, 110, 22}};
    EXPECT_EQ(OpenTabRect(above[0], TabPlacement::Above), (SkinRect{0, 0, 62, 22}));
    EXPECT_EQ(TabPaneRect({0, 0, 300, 200}, above, TabPlacement::Above), (SkinRect{0, 21, 300, 200}));
    // Two rows: the pane starts under the lower one.
    const SkinRect rows[] = {{2, 2, 60, 22}, {2, 22, 60, 42}};
    EXPECT_EQ(TabPaneRect({0, 0, 300, 200}, rows, TabPlacement::Above).top, 41);

    const SkinRect below[] = {{2, 178, 60, 198}};
    EXPECT_EQ(OpenTabRect(below[0], TabPlacement::Below), (SkinRect{0, 178, 62, 200}));
    EXPECT_EQ(TabPaneRect({0, 0, 300, 200}, below, TabPlacement::Below), (SkinRect{0, 0, 300, 179}));

    EXPECT_EQ(OpenTabRect(above[0], TabPlacement::Buttons), above[0]);
    EXPECT_TRUE(TabPaneRect({0, 0, 300, 200}, above, TabPlacement::Buttons).Empty());
}

TEST(BarAndDateRulesTest, ToolButtonFacesShowPressBeforeCheckBeforePointerAndNoneWhenIdle) {
    using enum SkinPart;
    struct Case {
        ToolButtonState state;
        std::optional<SkinPart> face;
    };
    const Case cases[] = {
        {{true, false, false, false}, std::nullopt},
        {{true, false, false, true}, ToolButtonOver},
        {{true, false, true, true}, ToolButtonHeld},
        {{true, true, false, false}, ToolButtonChecked},
        {{true, true, false, true}, ToolButtonCheckedOver},
        {{true, true, true, true}, ToolButtonHeld},
        {{false, false, false, true}, std::nullopt},  // a disabled button does not light up
        {{false, true, false, true}, ToolButtonChecked},
    };
    for (const Case& c : cases) EXPECT_EQ(ToolButtonFace(c.state), c.face);
}

TEST(BarAndDateRulesTest, ToolButtonPicturesAndTextsGoAboveEachOtherOrSideBySideLeavingTheArrowItsSection) {
    const SkinRect button{10, 0, 70, 40};
    ToolButtonContent content{16, 16, true, false, 7, 6, 0};
    ToolButtonPlaces places = PlaceToolButton(button, content);
    EXPECT_EQ(places.image, (SkinRect{32, 3, 48, 19}));
    EXPECT_EQ(places.text, (SkinRect{10, 20, 70, 40}));
    EXPECT_TRUE(places.arrow.Empty());

    content.hasText = false;  // a picture alone sits in the middle
    EXPECT_EQ(PlaceToolButton(button, content).image, (SkinRect{32, 12, 48, 28}));

    content = {16, 16, true, true, 7, 6, 11};  // the list style, with a drop-down arrow
    places = PlaceToolButton(button, content);
    EXPECT_EQ(places.arrow, (SkinRect{59, 0, 70, 40}));
    EXPECT_EQ(places.image, (SkinRect{13, 12, 29, 28}));
    EXPECT_EQ(places.text, (SkinRect{31, 0, 59, 40}));

    content = {0, 0, true, true, 7, 6, 0};  // text alone
    EXPECT_EQ(PlaceToolButton(button, content).text, (SkinRect{13, 0, 70, 40}));
    EXPECT_TRUE(PlaceToolButton(button, content).image.Empty());
}

TEST(BarAndDateRulesTest, ThePickersButtonIsHeldWhileDownAndItsGlyphSitsInItsMiddle) {
    using enum SkinPart;
    EXPECT_EQ(DateDropButtonRect(160, 20, 17), (SkinRect{143, 0, 160, 20}));
    EXPECT_EQ(DateDropButtonPart(true, false, false), DateDropButton);
    EXPECT_EQ(DateDropButtonPart(true, false, true), DateDropButtonOver);
    EXPECT_EQ(DateDropButtonPart(true, true, true), DateDropButtonHeld);
    EXPECT_EQ(DateDropButtonPart(false, true, true), DateDropButtonDisabled);
    EXPECT_EQ(DateDropGlyphPart(false), DateDropGlyphDisabled);
    EXPECT_EQ(CentredIn({143, 0, 160, 20}, 12, 12), (SkinRect{145, 4, 157, 16}));
}

}  // namespace
}  // namespace qivyun::skin
