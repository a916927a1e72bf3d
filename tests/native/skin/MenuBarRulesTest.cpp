// The menu bar of a framed window: rows of items, the right-end buttons of a maximised child,
// hits, mnemonics and the keyboard's walk along the bar; and the frame that makes room for it.
#include "skin/kinds/FrameLayout.h"
#include "skin/kinds/MenuBarLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace qivyun::skin {
namespace {

std::vector<int> Lefts(const MenuBarLayout& layout) {
    std::vector<int> lefts;
    for (const GridRect& r : layout.items) lefts.push_back(r.x);
    return lefts;
}

TEST(MenuBarRulesTest, ItemsFillRowsLeftToRightAndTheRightEndItemsKeepTogetherAtTheLastRowsEnd) {
    const std::vector<MenuBarEntry> three{{40}, {30}, {50}};
    // Wide enough: one row, each item its width and twice the padding.
    MenuBarLayout wide = LayOutMenuBar(three, 400, 20, 6);
    EXPECT_EQ(Lefts(wide), (std::vector<int>{0, 52, 94}));
    EXPECT_EQ(wide.items[2].width, 62);
    EXPECT_EQ(wide.rows, 1);
    EXPECT_EQ(wide.height, 20);
    // Narrow: the third item starts a second row; an item wider than the bar still gets a row.
    MenuBarLayout narrow = LayOutMenuBar(three, 100, 20, 6);
    EXPECT_EQ(narrow.rows, 2);
    EXPECT_EQ(narrow.items[2].x, 0);
    EXPECT_EQ(narrow.items[2].y, 20);
    EXPECT_EQ(LayOutMenuBar(three, 10, 20, 6).rows, 3);
    // No items: still one row, so the bar keeps its place.
    EXPECT_EQ(LayOutMenuBar({}, 100, 20, 6).height, 20);

    // A maximised child's icon comes first; its three buttons sit at the right end in their order.
    const std::vector<MenuBarEntry> maximised{{16}, {40}, {16, true}, {16, true}, {16, true}};
    MenuBarLayout withButtons = LayOutMenuBar(maximised, 300, 20, 2);
    EXPECT_EQ(Lefts(withButtons), (std::vector<int>{0, 20, 240, 260, 280}));
    EXPECT_EQ(withButtons.rows, 1);
    // When they do not fit beside the last row's items they take a row of their own.
    MenuBarLayout crowded = LayOutMenuBar(maximised, 100, 20, 2);
    EXPECT_EQ(crowded.rows, 2);
    EXPECT_EQ(crowded.items[4].y, 20);
    EXPECT_EQ(crowded.items[4].x + crowded.items[4].width, 100);
}

TEST(MenuBarRulesTest, HitsFallOnItemsOnlyAndMnemonicsAndArrowsGoRoundTheBar) {
    const std::vector<MenuBarEntry> entries{{40}, {30}};
    const MenuBarLayout layout = LayOutMenuBar(entries, 200, 20, 5);
    EXPECT_EQ(layout.ItemAt(0, 0), 0u);
    EXPECT_EQ(layout.ItemAt(49, 19), 0u);
    EXPECT_EQ(layout.ItemAt(50, 5), 1u);
    EXPECT_EQ(layout.ItemAt(90, 5), std::nullopt);  // beside the last item
    EXPECT_EQ(layout.ItemAt(10, 20), std::nullopt); // below the row

    EXPECT_EQ(MnemonicOf(L"文件(&F)"), L'F');
    EXPECT_EQ(MnemonicOf(L"&edit"), L'E');
    EXPECT_EQ(MnemonicOf(L"A && B"), 0);
    EXPECT_EQ(MnemonicOf(L"A && &B"), L'B');
    EXPECT_EQ(MnemonicOf(L"trailing&"), 0);

    // Two items share 'F': the key goes to the next one after the current, round the bar.
    const std::vector<wchar_t> mnemonics{L'F', L'E', L'F', 0};
    EXPECT_EQ(ItemWithMnemonic(mnemonics, L'f', std::nullopt), 0u);
    EXPECT_EQ(ItemWithMnemonic(mnemonics, L'F', 0), 2u);
    EXPECT_EQ(ItemWithMnemonic(mnemonics, L'F', 2), 0u);
    EXPECT_EQ(ItemWithMnemonic(mnemonics, L'X', 1), std::nullopt);
    EXPECT_EQ(ItemWithMnemonic(mnemonics, 0, 1), std::nullopt);

    EXPECT_EQ(NeighbourItem(3, 0, -1), 2u);
    EXPECT_EQ(NeighbourItem(3, 2, 1), 0u);
    EXPECT_EQ(NeighbourItem(3, 1, 1), 2u);
}

TEST(MenuBarRulesTest, TheFrameTakesTheBarFromTheClientAreaAndItsPixelsAnswerMenu) {
    FrameMetrics metrics;
    metrics.titleBarHeight = 30;
    metrics.sideWidth = 4;
    metrics.bottomHeight = 4;
    FrameStyle style;
    style.menuBarHeight = 22;
    const FrameLayout layout = LayOutFrame(metrics, style, 300, 200, 16);
    EXPECT_EQ(layout.menuBar.x, 4);
    EXPECT_EQ(layout.menuBar.y, 30);
    EXPECT_EQ(layout.menuBar.width, 292);
    EXPECT_EQ(layout.menuBar.height, 22);
    EXPECT_EQ(layout.client.y, 52);
    EXPECT_EQ(layout.client.height, 200 - 30 - 22 - 4);
    EXPECT_EQ(layout.HitTest(10, 35, false), FrameHit::Menu);
    EXPECT_EQ(layout.HitTest(10, 60, false), FrameHit::Client);
    // A window too short for its bar: the client area is empty, never negative.
    const FrameLayout tiny = LayOutFrame(metrics, style, 300, 40, 16);
    EXPECT_GE(tiny.client.height, 0);
    EXPECT_LE(tiny.menuBar.y + tiny.menuBar.height, 40);
}

}  // namespace
}  // namespace qivyun::skin
