// The items of a skinned pop-up menu: the measuring rule and the places inside an item.
#include "skin/kinds/MenuItemLayout.h"
#include "skin/container/SkinParts.h"

#include <gtest/gtest.h>

namespace qivyun::skin {
namespace {

SkinTables MenuTables() {
    SkinTables tables;
    tables.metrics[Index(SkinMetric::MenuItemHeight)] = 24;
    tables.metrics[Index(SkinMetric::MenuSeparatorHeight)] = 7;
    tables.metrics[Index(SkinMetric::MenuTextIndent)] = 12;
    tables.parts[Index(SkinPart::MenuCheck)].width = 12, tables.parts[Index(SkinPart::MenuCheck)].height = 12;
    tables.parts[Index(SkinPart::MenuSubmenuArrow)].width = 8, tables.parts[Index(SkinPart::MenuSubmenuArrow)].height = 8;
    tables.parts[Index(SkinPart::MenuSeparator)].width = 16, tables.parts[Index(SkinPart::MenuSeparator)].height = 7;
    return tables;
}

TEST(MenuItemLayoutTest, ItemsMeasureTheirTextPlusTenOrTwentyWithASubmenuAndTheSkinsHeights) {
    const SkinTables tables = MenuTables();
    EXPECT_EQ(MeasureMenuItem(tables, 48, false, false), (MenuItemSize{58, 24}));
    EXPECT_EQ(MeasureMenuItem(tables, 48, true, false), (MenuItemSize{68, 24}));
    EXPECT_EQ(MeasureMenuItem(tables, 0, false, true), (MenuItemSize{10, 7}));
}

TEST(MenuItemLayoutTest, TextsOfAMenuStartTogetherAtTheIndentThatTheItemsWidthLeaves) {
    const SkinTables tables = MenuTables();
    const GridRect item{3, 27, 120, 24};
    // Room beyond the widest measured item up to the skin's indent of 12, then less.
    MenuItemPlaces roomy = PlaceMenuItem(tables, item, 100, false);
    EXPECT_EQ(roomy.text, (GridRect{15, 27, 108, 24}));
    EXPECT_EQ(roomy.check, (GridRect{3, 33, 12, 12}));
    EXPECT_EQ(roomy.arrow, GridRect{});
    EXPECT_EQ(PlaceMenuItem(tables, item, 112, false).text, (GridRect{11, 27, 112, 24}));
    EXPECT_EQ(PlaceMenuItem(tables, item, 130, false).text, (GridRect{3, 27, 120, 24}));

    // A submenu item keeps its arrow's space at the right end; a separator lies across, centred.
    MenuItemPlaces submenu = PlaceMenuItem(tables, item, 100, true);
    EXPECT_EQ(submenu.arrow, (GridRect{109, 35, 8, 8}));
    EXPECT_EQ(submenu.text, (GridRect{15, 27, 94, 24}));
    EXPECT_EQ(roomy.separator, (GridRect{3, 35, 120, 7}));
}

}  // namespace
}  // namespace qivyun::skin
